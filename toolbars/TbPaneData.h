#pragma once
#include "framework/classes/Persistent.h"
#include "framework/graphics/Color.h"
#include "toolbars/TbTypes.h"

class TTbSplitterPane;

// A splitter pane's look, as a nested property of the splitter.
class TTbPaneData : public TPersistent {
public:
    explicit TTbPaneData(TTbSplitterPane* pane) : FPane(pane) {}
    String ClassName() const override { return "TTbPaneData"; }
    void Assign(TPersistent* source) override;
    TTbSplitterPane* Pane() const { return FPane; }

    TColor BorderColor() const;
    void SetBorderColor(TColor v);
    TFrameStyle BorderInner() const;
    void SetBorderInner(TFrameStyle v);
    TFrameStyle BorderOuter() const;
    void SetBorderOuter(TFrameStyle v);
    int BorderWidth() const;
    void SetBorderWidth(int v);
    TColor Color() const;
    void SetColor(TColor v);
    bool Visible() const;
    void SetVisible(bool v);
    bool DockSite() const;
    void SetDockSite(bool v);
    bool ShowDockClientCaptions() const;
    void SetShowDockClientCaptions(bool v);

private:
    TTbSplitterPane* FPane;
};
