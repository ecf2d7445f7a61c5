#include "framework/controls/ComboBox.h"

#include "framework/classes/StringList.h"
#include "framework/controls/Screen.h"
#include "framework/controls/qt/WsControl.h"
#include "framework/controls/qt/WsLists.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/messages/MessageQueue.h"

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner), FItems(new TStringList) {
    ControlStyle &= ~csClickEvents;
    FWidth = 145;
    FHeight = 21;
    FColor = clWindow;
    FParentColor = false;
    SetTabStop(true);
    static_cast<TStringList*>(FItems.get())->OnChange = [this](TObject*) { ItemsChanged(); };
}

TComboBox::~TComboBox() { static_cast<TStringList*>(FItems.get())->OnChange = nullptr; }

TStrings* TComboBox::Items() const { return FItems.get(); }
void TComboBox::SetItems(TStrings* v) { FItems->Assign(v); }

bool TComboBox::Sorted() const { return static_cast<TStringList*>(FItems.get())->Sorted(); }
void TComboBox::SetSorted(bool v) { static_cast<TStringList*>(FItems.get())->SetSorted(v); }

void TComboBox::SetStyle(TComboBoxStyle v) {
    if (v == FStyle) return;
    FStyle = v;
    if (FWidget) {
        FPushing = true;
        velmor_ws::SetComboEditable(FWidget, FStyle == csDropDown || FStyle == csSimple);
        FPushing = false;
        InitWidget();
    }
}

void TComboBox::SetItemIndex(int v) {
    if (v < -1 || v >= FItems->Count()) v = -1;
    FItemIndex = v;
    // The text follows the pick; no pick leaves an empty text.
    FText = v >= 0 ? FItems->Get(v) : String();
    if (FWidget) PushIndex();
}

void TComboBox::SetDropDownCount(int v) {
    FDropDownCount = std::max(1, v);
    if (FWidget) velmor_ws::SetComboDropDownCount(FWidget, FDropDownCount);
}

void TComboBox::SetDroppedWidth(int v) {
    v = std::max(0, v);
    if (v == FDroppedWidth) return;
    FDroppedWidth = v;
    // An open list takes the new width at once.
    if (FWidget && FDroppedDown) velmor_ws::SetComboDroppedWidth(FWidget, DroppedWidth());
}

void TComboBox::SetMaxLength(int v) {
    FMaxLength = std::max(0, v);
    if (FWidget) velmor_ws::SetComboMaxLength(FWidget, FMaxLength);
}

void TComboBox::SetDroppedDown(bool v) {
    if (v == FDroppedDown) return;
    if (!FWidget || !velmor_ws::IsVisible(FWidget)) {
        if (v) DoDropDown(); else DoCloseUp();
        return;
    }
    velmor_ws::ShowComboList(FWidget, v);
}

TRect TComboBox::DroppedListRect() const {
    return FWidget && FDroppedDown ? velmor_ws::ComboListRect(FWidget) : TRect{};
}

void TComboBox::DoDropDown() {
    if (FDroppedDown) return;
    FDroppedDown = true;
    if (PaintsOwnFace()) Invalidate();
    if (OnDropDown) OnDropDown(this);
}

void TComboBox::DoCloseUp() {
    if (!FDroppedDown) return;
    FDroppedDown = false;
    if (PaintsOwnFace()) Invalidate();
    if (OnCloseUp) OnCloseUp(this);
}

void TComboBox::Clear() {
    FItems->Clear();
    SetText(String());
}

void TComboBox::SelectAll() {
    if (FWidget) velmor_ws::SelectAllComboText(FWidget);
}

int TComboBox::SelStart() const {
    int start = 0, length = 0;
    return FWidget && velmor_ws::ComboSelection(FWidget, start, length) ? start : 0;
}

int TComboBox::SelLength() const {
    int start = 0, length = 0;
    return FWidget && velmor_ws::ComboSelection(FWidget, start, length) ? length : 0;
}

void TComboBox::SetSelStart(int v) {
    if (FWidget) velmor_ws::SetComboSelection(FWidget, v, 0);
}

void TComboBox::SetSelLength(int v) {
    if (FWidget) velmor_ws::SetComboSelection(FWidget, SelStart(), v);
}

// --- an own face -------------------------------------------------------------------

TRect TComboBox::EditBand() const {
    int h = FHeight;
    if (FStyle == csSimple) h = FWidget ? velmor_ws::ComboEditHeight(FWidget) : std::min(FHeight, 21);
    return Rect(0, 0, FWidth, h);
}

void TComboBox::OwnFaceChanged() {
    if (FWidget) velmor_ws::ComboFaceChanged(FWidget);
}

void TComboBox::WMPaint(TMessage& m) {
    if (!m.LParam || !FWidget || !PaintsOwnFace()) {
        TWinControl::WMPaint(m);
        return;
    }
    // In place of the toolkit's frame, button and label.
    const TRect band = EditBand();
    TCanvas canvas;
    velmor_ws::PaintWidget(FWidget, &canvas, band.Width(), band.Height(), [&] {
        canvas.Font()->Assign(Font());
        canvas.Brush()->SetColor(Color());
        PaintFace(&canvas);
        if (FStyle != csDropDown && FStyle != csSimple) {
            // A list box shows its picked line; it is the selection while
            // the box has the focus and the list is closed.
            const TRect t = OwnFaceTextRect();
            const bool marked = Focused() && !FDroppedDown;
            canvas.Brush()->SetColor(marked ? clHighlight : Color());
            canvas.Font()->SetColor(marked ? clHighlightText : Font()->Color());
            canvas.FillRect(t);
            canvas.TextRect(t, t.Left + 1, t.Top + (t.Height() - canvas.TextHeight("Wg")) / 2, FText);
            canvas.Brush()->SetColor(Color());
            canvas.Font()->Assign(Font());
        }
        PaintFrame(&canvas);
    });
    m.Result = 1;
}

void TComboBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_MOUSEENTER:
        // Entering the edit from the box is no new entry.
        if (FMouseInside) return;
        FMouseInside = true;
        TWinControl::WndProc(m);
        if (PaintsOwnFace() && Enabled()) Invalidate();
        return;
    case CM_MOUSELEAVE:
        // Nor is leaving the edit for the box (its button) a leave.
        if (FWidget && velmor_ws::MouseOverWidget(FWidget)) return;
        if (!FMouseInside) return;
        FMouseInside = false;
        TWinControl::WndProc(m);
        if (PaintsOwnFace() && Enabled()) Invalidate();
        return;
    default:
        TWinControl::WndProc(m);
    }
}

void TComboBox::DoEnter() {
    TWinControl::DoEnter();
    if (PaintsOwnFace()) Invalidate();
}

void TComboBox::DoExit() {
    TWinControl::DoExit();
    if (PaintsOwnFace()) Invalidate();
}

void TComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TComboBox::ItemsChanged() {
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    if (FWidget) PushItems();
}

void TComboBox::KeyPress(char& key) {
    TWinControl::KeyPress(key);
    if (key && FMaxLength > 0 && static_cast<unsigned char>(key) >= 32 && static_cast<int>(FText.size()) >= FMaxLength)
        key = 0;
}

void TComboBox::UserPicked(int index) {
    if (FPushing) return;
    FItemIndex = index;
    const String t = index >= 0 && index < FItems->Count() ? FItems->Get(index) : String();
    FUserText = true;
    SetTextFromWidget(t);
    FUserText = false;
    if (OnSelect) OnSelect(this);
    Change();
    Click();
}

void TComboBox::UserTyped(const String& text) {
    if (FPushing || text == FText) return;
    FUserText = true;
    SetTextFromWidget(text);
    FUserText = false;
    // Typing leaves the list without a pick unless the text is one of its lines.
    FItemIndex = -1;
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Get(i) == text) {
            FItemIndex = i;
            break;
        }
    Change();
}

QWidget* TComboBox::CreateWidget(QWidget* parent) {
    velmor_ws::TComboBoxHooks hooks;
    hooks.DroppingDown = [this] { DoDropDown(); };
    hooks.ClosedUp = [this] { DoCloseUp(); };
    hooks.DroppedDown = [this] { return DroppedDown(); };
    hooks.DroppedWidth = [this] { return DroppedWidth(); };
    hooks.WorkArea = [] { return Screen ? Screen->WorkAreaRect() : TRect{}; };
    hooks.OwnFace = [this] { return PaintsOwnFace(); };
    hooks.OwnFaceTextArea = [this] { return OwnFaceTextRect(); };
    hooks.Picked = [this](int i) { GuardedCall([this, i] { UserPicked(i); }); };
    hooks.TextEdited = [this](const String& t) { GuardedCall([this, t] { UserTyped(t); }); };
    return velmor_ws::CreateComboBox(parent, std::move(hooks));
}

void TComboBox::InitWidget() {
    FPushing = true;
    velmor_ws::SetComboStyle(FWidget, FStyle == csDropDown || FStyle == csSimple, FStyle == csSimple, FBridge);
    velmor_ws::ComboFaceChanged(FWidget);
    FPushing = false;
    TWinControl::InitWidget();
    velmor_ws::SetComboDropDownCount(FWidget, FDropDownCount);
    SetMaxLength(FMaxLength);
    PushItems();
}

void TComboBox::PushItems() {
    FPushing = true;
    velmor_ws::SetComboItems(FWidget, FItems.get());
    FPushing = false;
    PushIndex();
}

void TComboBox::PushIndex() {
    FPushing = true;
    velmor_ws::SetComboIndex(FWidget, FItemIndex, FText);
    FPushing = false;
}

void TComboBox::ApplyText() { PushIndex(); }

void TComboBox::TextChanged() {
    if (!FUserText) SyncIndexToText();
    TWinControl::TextChanged();
}

void TComboBox::SyncIndexToText() {
    // Setting the text of a list-only combo box picks the line that has it.
    if (FStyle == csDropDownList) {
        FItemIndex = FItems->IndexOf(FText);
        if (FItemIndex < 0) FText.clear();
    } else {
        FItemIndex = -1;
        for (int i = 0; i < FItems->Count(); ++i)
            if (FItems->Get(i) == FText) FItemIndex = i;
    }
    if (FWidget) PushIndex();
}
