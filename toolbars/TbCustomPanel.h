#pragma once
#include "framework/controls/Panel.h"
#include "toolbars/TbCommon.h"

// A panel whose edge is drawn from two frame styles, a border band and a
// set of sides: the base of the toolbar, the splitter and its panes.
class TTbCustomPanel : public TPanel {
public:
    explicit TTbCustomPanel(TComponent* owner);
    String ClassName() const override { return "TTbCustomPanel"; }

    // 0 top, 1 centre, 2 bottom.
    Byte AlignmentVertical() const { return FAlignmentVertical; }
    virtual void SetAlignmentVertical(Byte v);
    TColor BorderColor() const { return FBorderColor; }
    virtual void SetBorderColor(TColor v);
    TFrameStyle BorderInner() const { return FBorderInner; }
    virtual void SetBorderInner(TFrameStyle v);
    TFrameStyle BorderOuter() const { return FBorderOuter; }
    virtual void SetBorderOuter(TFrameStyle v);
    TSides BorderSides() const { return FBorderSides; }
    virtual void SetBorderSides(TSides v);
    TColor BorderHighlight() const { return FBorderHighlight; }
    virtual void SetBorderHighlight(TColor v);
    TColor BorderShadow() const { return FBorderShadow; }
    virtual void SetBorderShadow(TColor v);
    TColor FlatColor() const { return FFlatColor; }
    virtual void SetFlatColor(TColor v);
    TSides FrameSides() const { return FFrameSides; }
    virtual void SetFrameSides(TSides v);
    // Docked clients get a caption bar (dock sites with a dock manager).
    bool ShowDockClientCaptions() const { return FShowDockClientCaptions; }
    virtual void SetShowDockClientCaptions(bool v);

    void SetBounds(int left, int top, int width, int height) override;

    // Shrinks rect by the frame; the border band only when asked.
    virtual void AdjustForBorders(TRect& rect, bool includeBorderWidth) const;
    virtual TRect GetControlRect() const { return Rect(0, 0, Width(), Height()); }
    // The area inside the frame (what children are laid out in).
    TRect InnerRect() const;
    // Inside the frame, unless the panel is a dock site: a site keeps its
    // whole rectangle and its frame is taken off where the children are
    // laid out, where its dock manager places its clients.
    TRect ClientRect() const override;

protected:
    void Paint() override;
    void AdjustClientRect(TRect& rect) override;
    std::unique_ptr<IDockManager> CreateDockManager() override;
    void EnabledChanged() override;
    virtual void DrawCaption(TRect rect);
    // Where the caption sits at a size: its lines across the whole inner
    // width, placed by AlignmentVertical.
    TRect CaptionBand(int width, int height) const override;

    TTbFrameLook FrameLook() const;
    // The edge changed: the area inside moved.
    void FrameChanged();

    Byte FAlignmentVertical = 1;
    TColor FBorderColor = clBtnFace;
    TFrameStyle FBorderInner = TFrameStyle::fsNone;
    TFrameStyle FBorderOuter = TFrameStyle::fsRaised;
    TSides FBorderSides = AllSides;
    TColor FBorderHighlight = clBtnHighlight;
    TColor FBorderShadow = clBtnShadow;
    TColor FFlatColor = clBlack;
    TSides FFrameSides = 0;
    bool FShowDockClientCaptions = true;
};
