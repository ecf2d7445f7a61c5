#include "toolbars/TbPaneData.h"

#include "toolbars/TbSplitterPane.h"

void TTbPaneData::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TTbPaneData*>(source)) {
        SetBorderColor(other->BorderColor());
        SetBorderInner(other->BorderInner());
        SetBorderOuter(other->BorderOuter());
        SetBorderWidth(other->BorderWidth());
        SetColor(other->Color());
        SetVisible(other->Visible());
        SetDockSite(other->DockSite());
        SetShowDockClientCaptions(other->ShowDockClientCaptions());
        return;
    }
    TPersistent::Assign(source);
}

TColor TTbPaneData::BorderColor() const { return FPane->BorderColor(); }
void TTbPaneData::SetBorderColor(TColor v) { FPane->SetBorderColor(v); }
TFrameStyle TTbPaneData::BorderInner() const { return FPane->BorderInner(); }
void TTbPaneData::SetBorderInner(TFrameStyle v) { FPane->SetBorderInner(v); }
TFrameStyle TTbPaneData::BorderOuter() const { return FPane->BorderOuter(); }
void TTbPaneData::SetBorderOuter(TFrameStyle v) { FPane->SetBorderOuter(v); }
int TTbPaneData::BorderWidth() const { return FPane->BorderWidth(); }
void TTbPaneData::SetBorderWidth(int v) { FPane->SetBorderWidth(v); }
TColor TTbPaneData::Color() const { return FPane->Color(); }
void TTbPaneData::SetColor(TColor v) { FPane->SetColor(v); }
bool TTbPaneData::Visible() const { return FPane->Visible(); }
void TTbPaneData::SetVisible(bool v) { FPane->SetVisible(v); }
bool TTbPaneData::DockSite() const { return FPane->DockSite(); }
void TTbPaneData::SetDockSite(bool v) { FPane->SetDockSite(v); }
bool TTbPaneData::ShowDockClientCaptions() const { return FPane->ShowDockClientCaptions(); }
void TTbPaneData::SetShowDockClientCaptions(bool v) { FPane->SetShowDockClientCaptions(v); }
