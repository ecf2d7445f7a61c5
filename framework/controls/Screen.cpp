#include "framework/controls/Screen.h"

#include <algorithm>
#include <vector>

#include "framework/controls/ControlsInternal.h"
#include "framework/controls/Form.h"
#include "framework/controls/qt/WsScreen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Exception.h"

namespace {
TScreen gScreen(nullptr);
}  // namespace

TScreen* Screen = &gScreen;

void velmor_internal::ScreenAddForm(TForm* form) { Screen->AddForm(form); }
void velmor_internal::ScreenRemoveForm(TForm* form) { Screen->RemoveForm(form); }
void velmor_internal::ScreenFormActivated(TForm* form) { Screen->FormActivated(form); }

void velmor_internal::ScreenReleaseCursors() {
    if (Screen->Cursor() != crDefault) Screen->SetCursor(crDefault);
    velmor_ws::ClearCustomCursors();
}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}
TScreen::~TScreen() = default;

void TScreen::SetCursor(TCursor v) {
    if (v == FCursor) return;
    velmor_ws::ChangeOverrideCursor(FCursor, v);
    FCursor = v;
}

void TScreen::SetCursorImage(TCursor index, TBitmap* image, int hotX, int hotY) {
    if (!image || image->Empty()) throw EInvalidOperation("Cursor image is empty");
    velmor_ws::SetCustomCursorImage(index, image, hotX, hotY);
}

void TScreen::SetCursorShape(TCursor index, int toolkitShape) {
    velmor_ws::SetCustomCursorShape(index, toolkitShape);
}

bool TScreen::HasCursor(TCursor index) const {
    return velmor_ws::HasCustomCursor(index) || velmor_ws::HasBuiltInCursor(index);
}

TForm* TScreen::Forms(int index) const {
    if (index < 0 || index >= FormCount()) throw EListError(RtlConsts::SListIndexError, {index});
    return FForms[static_cast<size_t>(index)];
}

void TScreen::AddForm(TForm* form) { FForms.push_back(form); }

void TScreen::RemoveForm(TForm* form) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
    if (FActiveForm == form) {
        FActiveForm = nullptr;
        if (OnActiveFormChange) OnActiveFormChange(this);
    }
}

void TScreen::FormActivated(TForm* form) {
    if (form == FActiveForm) return;
    FActiveForm = form;
    // The most recently active form leads the list, as the classic one does.
    auto it = std::find(FForms.begin(), FForms.end(), form);
    if (it != FForms.end()) std::rotate(FForms.begin(), it, it + 1);
    if (OnActiveFormChange) OnActiveFormChange(this);
}

namespace {
TRect gScreenOverride, gWorkAreaOverride;

TRect ScreenGeometry(bool available) {
    if (!gScreenOverride.IsEmpty()) return available && !gWorkAreaOverride.IsEmpty() ? gWorkAreaOverride : gScreenOverride;
    return velmor_ws::PrimaryScreenRect(available);
}
}  // namespace

void SetScreenAreaOverride(const TRect& screen, const TRect& workArea) {
    gScreenOverride = screen;
    gWorkAreaOverride = workArea;
}

int TScreen::Width() const { return ScreenGeometry(false).Width(); }
int TScreen::Height() const { return ScreenGeometry(false).Height(); }

int TScreen::PixelsPerInch() const { return velmor_ws::ScreenPixelsPerInch(); }

TRect TScreen::WorkAreaRect() const { return ScreenGeometry(true); }

bool TScreen::HasDisplay() const { return velmor_ws::HasDisplay(); }

bool TScreen::Capture(const TRect& area, TBitmap* bitmap) const { return velmor_ws::GrabScreen(area, bitmap); }

bool TScreen::CaptureToFile(const TRect& area, const String& pngFile) const {
    return velmor_ws::GrabScreenToFile(area, pngFile);
}
