#include "toolbars/TbSplitterPane.h"

#include "toolbars/TbSplitter.h"

TTbSplitterPane::TTbSplitterPane(TComponent* owner, TTbSplitter* splitter)
    : TTbCustomPanel(owner), FSplitter(splitter) {
    SetBorderOuter(TFrameStyle::fsNone);
    ControlStyle |= csAcceptsControls;
    SetTabStop(false);
}

void TTbSplitterPane::SetVisible(bool v) {
    if (v == Visible()) return;
    TTbCustomPanel::SetVisible(v);
    if (FSplitter && !FSplitter->HasState(csDestroying)) FSplitter->UpdatePanes();
}
