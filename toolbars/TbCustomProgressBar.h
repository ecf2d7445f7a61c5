#pragma once
#include <functional>

#include "framework/controls/GraphicControl.h"
#include "toolbars/TbCommon.h"

enum TProgressBarStyle { bsTraditional, bsLED };

using TTbProgressChangeEvent = std::function<void(TObject* Sender, Word Percent)>;

// A painted progress bar: a filled bar with the percentage written across
// it, or a row of segments. Progress is set as Percent or as parts done
// out of a total.
class TTbCustomProgressBar : public TGraphicControl {
public:
    explicit TTbCustomProgressBar(TComponent* owner);
    String ClassName() const override { return "TTbCustomProgressBar"; }

    TColor BackColor() const { return FBackColor; }
    virtual void SetBackColor(TColor v);
    TColor BarColor() const { return FBarColor; }
    // The text takes the bar's colour too.
    virtual void SetBarColor(TColor v);
    TProgressBarStyle BarStyle() const { return FBarStyle; }
    virtual void SetBarStyle(TProgressBarStyle v);
    int BevelWidth() const { return FFrame.BevelWidth; }
    virtual void SetBevelWidth(int v);
    TColor BorderColor() const { return FFrame.BorderColor; }
    virtual void SetBorderColor(TColor v);
    TFrameStyle BorderInner() const { return FFrame.BorderInner; }
    virtual void SetBorderInner(TFrameStyle v);
    TFrameStyle BorderOuter() const { return FFrame.BorderOuter; }
    virtual void SetBorderOuter(TFrameStyle v);
    int BorderWidth() const { return FFrame.BorderWidth; }
    virtual void SetBorderWidth(int v);
    int InteriorOffset() const { return FInteriorOffset; }
    virtual void SetInteriorOffset(int v);
    int NumSegments() const { return FNumSegments; }
    virtual void SetNumSegments(int v);
    TOrientation Orientation() const { return FOrientation; }
    virtual void SetOrientation(TOrientation v);
    int PartsComplete() const { return FPartsComplete; }
    virtual void SetPartsComplete(int v);
    int TotalParts() const { return FTotalParts; }
    virtual void SetTotalParts(int v);
    Word Percent() const { return FPercent; }
    virtual void SetPercent(Word v);
    bool ShowPercent() const { return FShowPercent; }
    virtual void SetShowPercent(bool v);

    TTbProgressChangeEvent OnChange;

    // How a bar `length` pixels long is cut into segments.
    static void SegmentLayout(int length, int numSegments, int& count, int& size, int& margin);

protected:
    void Paint() override;
    void Resize() override;

private:
    void PaintTraditional(TCanvas* c, const TRect& r);
    void PaintLED(TCanvas* c, const TRect& r);

    TColor FBackColor = clWhite;
    TColor FBarColor = clHighlight;
    TProgressBarStyle FBarStyle = bsTraditional;
    TTbFrameLook FFrame;
    int FInteriorOffset = 0;
    int FNumSegments = 20;
    TOrientation FOrientation = orHorizontal;
    int FPartsComplete = 0;
    int FTotalParts = 0;
    Word FPercent = 0;
    bool FShowPercent = true;
};
