#include "framework/controls/ScreenOutlines.h"

#include <algorithm>

#include "framework/controls/Screen.h"
#include "framework/controls/qt/WsControl.h"
#include "framework/controls/qt/WsOverlays.h"

struct TScreenOutlines::Impl {
    QWidget* Window = nullptr;
};

TScreenOutlines::TScreenOutlines() : FImpl(new Impl) {}

TScreenOutlines::~TScreenOutlines() {
    velmor_ws::DestroyWindow(FImpl->Window);
    delete FImpl;
}

void TScreenOutlines::Toggle(const TRect& r) {
    auto it = std::find(FShown.begin(), FShown.end(), r);
    if (it != FShown.end())
        FShown.erase(it);
    else if (!r.IsEmpty())
        FShown.push_back(r);
    Update();
}

void TScreenOutlines::Clear() {
    FShown.clear();
    Update();
}

bool TScreenOutlines::WindowShowing() const { return FImpl->Window && velmor_ws::IsVisible(FImpl->Window); }

void TScreenOutlines::Update() {
    if (!velmor_ws::HasToolkit() || !Screen || !Screen->HasDisplay()) return;
    if (FShown.empty()) {
        if (FImpl->Window) velmor_ws::SetVisible(FImpl->Window, false);
        return;
    }
    if (!FImpl->Window) FImpl->Window = velmor_ws::CreateOutlineWindow();
    velmor_ws::ShowOutlines(FImpl->Window, FShown);
}

void TScreenOutlines::Flush() {
    if (!WindowShowing()) return;
    velmor_ws::FlushWindow(FImpl->Window);
}
