#include "styled/forms/StyCustomFormFill.h"

#include "framework/controls/Form.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "styled/controls/StyPictureRef.h"
#include "styled/graphics/StyStoredProperties.h"

TStyCustomFormFill::TStyCustomFormFill(TComponent* AOwner)
    : TStyWndProcComponent(AOwner), FPicture(std::make_unique<TStyPictureRef>(this, [this] { Refresh(); })) {}

TStyCustomFormFill::~TStyCustomFormFill() = default;

TForm* TStyCustomFormFill::Form() const { return dynamic_cast<TForm*>(Owner()); }

TStyCustomImageList* TStyCustomFormFill::ImageList() const { return FPicture->ImageList(); }
void TStyCustomFormFill::SetImageList(TStyCustomImageList* Value) { FPicture->SetImageList(Value); }
int TStyCustomFormFill::ImageIndex() const { return FPicture->ImageIndex(); }
void TStyCustomFormFill::SetImageIndex(int Value) { FPicture->SetImageIndex(Value); }
int TStyCustomFormFill::ListIndex() const { return FPicture->ListIndex(); }
void TStyCustomFormFill::SetListIndex(int Value) { FPicture->SetListIndex(Value); }
bool TStyCustomFormFill::PictureValid() const { return FPicture->Valid(); }

void TStyCustomFormFill::SetPaintMode(TStyPaintMode Value) {
    if (Value == FPaintMode) return;
    FPaintMode = Value;
    Refresh();
}

namespace {
constexpr const char* kPaintModes[] = {"pcNone", "pcControl", "pcOwnerDraw"};
}

void TStyCustomFormFill::WriteStored(TStyStoredProperties& P) const {
    if (!DefaultFill) P.WriteBool("DefaultFill", false);
    if (!Enabled()) P.WriteBool("Enabled", false);
    if (FPaintMode != pcControl) P.WriteIdent("PaintMode", FPaintMode, kPaintModes);
    FPicture->WriteStored(P);
}

void TStyCustomFormFill::ReadStored(const TStyStoredProperties& P) {
    const bool defaultFill = P.ReadBool("DefaultFill", true);
    const bool enabled = P.ReadBool("Enabled", true);
    const auto mode = static_cast<TStyPaintMode>(P.ReadIdent("PaintMode", pcControl, kPaintModes));
    FPicture->ReadStored(P);
    DefaultFill = defaultFill;
    SetPaintMode(mode);
    SetEnabled(enabled);
}

void TStyCustomFormFill::Notification(TComponent* Component, TOperation Operation) {
    TStyWndProcComponent::Notification(Component, Operation);
    if (Operation == opRemove) FPicture->Removed(Component);
}

void TStyCustomFormFill::Refresh() {
    if (HasState(csDestroying) || HasState(csLoading)) return;
    if (TForm* f = Form(); f && !f->HasState(csDestroying)) f->Invalidate();
}

void TStyCustomFormFill::GetChange(TObject* Sender) {
    if (!HasState(csDesigning)) {
        NeedsRepaint = true;
        Refresh();
    }
    TStyWndProcComponent::GetChange(Sender);
}

void TStyCustomFormFill::Init() {
    TStyWndProcComponent::Init();
    if (!HasState(csLoading)) Refresh();
}

void TStyCustomFormFill::Done() {
    TStyWndProcComponent::Done();
    if (!HasState(csDestroying)) Refresh();
}

bool TStyCustomFormFill::PaintBackground(TCanvas* Canvas) {
    TForm* form = Form();
    if (HasState(csLoading) || !form || !Canvas || FPaintMode != pcOwnerDraw || !OnPaint) return false;
    const TRect client = Rect(0, 0, form->ClientWidth(), form->ClientHeight());
    if (DefaultFill) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(form->Color());
        Canvas->FillRect(client);
    }
    OnPaint(this, Canvas, client);
    return true;
}

void TStyCustomFormFill::WndProc(TMessage& Message) {
    if (Enabled()) {
        switch (Message.Msg) {
        case WM_SIZE:
            NeedsRepaint = true;
            if (TForm* f = Form()) f->Invalidate();
            break;
        case WM_ERASEBKGND:
            if (PaintBackground(reinterpret_cast<TCanvas*>(Message.WParam))) {
                Message.Result = 1;
                return;
            }
            break;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (TForm* f = Form()) f->Invalidate();
            break;
        default:
            break;
        }
    }
    CallPrevious(Message);
}
