#include "toolbars/TbURLLabel.h"

#include "framework/graphics/Font.h"
#include "framework/rtl/StrUtils.h"
#include "toolbars/ATCommon.h"
#include "toolbars/TbCursors.h"

TTbURLLabel::TTbURLLabel(TComponent* owner) : TTbLabel(owner) {
    SetCursor(TbHandCursor());
    SetLayout(tlTop);
    SetTextStyle(tsNormal);
    Font()->SetColor(clHighlight);
    Font()->SetStyle(Font()->Style() | fsUnderline);
}

void TTbURLLabel::UpdateColor() { Font()->SetColor(FVisited ? FVisitedColor : FUnvisitedColor); }

void TTbURLLabel::SetVisited(bool v) {
    if (v == FVisited) return;
    FVisited = v;
    UpdateColor();
    Invalidate();
}

void TTbURLLabel::SetUnvisitedColor(TColor v) {
    if (v == FUnvisitedColor) return;
    FUnvisitedColor = v;
    UpdateColor();
    Invalidate();
}

void TTbURLLabel::SetVisitedColor(TColor v) {
    if (v == FVisitedColor) return;
    FVisitedColor = v;
    UpdateColor();
    Invalidate();
}

void TTbURLLabel::Click() {
    TTbLabel::Click();
    Open();
}

bool TTbURLLabel::Open() {
    String target = Trim(URL);
    if (target.empty()) target = Trim(Caption());
    if (target.empty()) return false;
    if (OpenURL(target)) {
        SetVisited(true);
        return true;
    }
    if (OnOpenFailed) OnOpenFailed(this, target);
    return false;
}
