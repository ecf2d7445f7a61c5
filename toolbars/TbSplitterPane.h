#pragma once
#include "toolbars/TbCustomPanel.h"

class TTbSplitter;

// One of the two panes a splitter makes for itself; the controls of that
// side are placed on it.
class TTbSplitterPane : public TTbCustomPanel {
public:
    TTbSplitterPane(TComponent* owner, TTbSplitter* splitter);
    String ClassName() const override { return "TTbSplitterPane"; }
    TTbSplitter* Splitter() const { return FSplitter; }
    // Showing or hiding a pane lays the splitter out again.
    void SetVisible(bool v) override;

protected:
    // At run time the empty area of a pane that is not a dock site belongs
    // to the splitter: the mouse there reaches the splitter (its
    // OnMouseDown, OnClick…), as if the pane were not there. Controls on
    // the pane keep their own mouse.
    void WndProc(TMessage& message) override;

private:
    TTbSplitter* FSplitter;
};
