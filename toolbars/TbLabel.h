#pragma once
#include "framework/controls/Label.h"
#include "toolbars/TbCommon.h"

enum TTextStyle { tsNormal, tsRaised, tsRecessed, tsShadow };
enum TRotation { roNone, roFlat, roCurve };
enum TCenterPoint {
    cpUpperLeft,
    cpUpperCenter,
    cpUpperRight,
    cpLeftCenter,
    cpCenter,
    cpRightCenter,
    cpLowerLeft,
    cpLowerCenter,
    cpLowerRight,
};

// A label with raised, recessed or shadowed text, text turned by an angle
// or laid along a curve, a frame, a fly-by colour and blinking in step
// with every other blinking label.
class TTbLabel : public TLabel {
public:
    explicit TTbLabel(TComponent* owner);
    ~TTbLabel() override;
    String ClassName() const override { return "TTbLabel"; }

    int Angle() const { return FAngle; }
    // A negative angle gets one turn added (-30 is 330, -400 is -40); any
    // other is taken within one turn. A non-zero angle turns a level label
    // flat.
    virtual void SetAngle(int v);
    TRotation Rotation() const { return FRotation; }
    // Level and flat start at angle 0, flat about the centre; while
    // loading, the stored angle and centre stay.
    void SetRotation(TRotation v);
    TCenterPoint CenterPoint() const { return FCenterPoint; }
    void SetCenterPoint(TCenterPoint v);
    TTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TTextStyle v);
    bool LightTextStyle() const { return FLightTextStyle; }
    void SetLightTextStyle(bool v);
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor v);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v);
    int ShadowDepth() const { return FShadowDepth; }
    void SetShadowDepth(int v);

    bool Blinking() const { return FBlinking; }
    virtual void SetBlinking(bool v);
    TColor BlinkColor() const { return FBlinkColor; }
    virtual void SetBlinkColor(TColor v);
    // Shared by every label: they blink in step.
    Word BlinkIntervalOn() const;
    virtual void SetBlinkIntervalOn(Word v);
    Word BlinkIntervalOff() const;
    virtual void SetBlinkIntervalOff(Word v);
    // The colour the text is drawn in now.
    TColor DrawnColor() const { return FDrawnColor; }

    bool FlyByEnabled() const { return FFlyByEnabled; }
    void SetFlyByEnabled(bool v);
    TColor FlyByColor() const { return FFlyByColor; }
    void SetFlyByColor(TColor v);

    int BevelWidth() const { return FFrame.BevelWidth; }
    void SetBevelWidth(int v);
    TColor BorderColor() const { return FFrame.BorderColor; }
    void SetBorderColor(TColor v);
    TFrameStyle BorderInner() const { return FFrame.BorderInner; }
    void SetBorderInner(TFrameStyle v);
    TFrameStyle BorderOuter() const { return FFrame.BorderOuter; }
    void SetBorderOuter(TFrameStyle v);
    TSides BorderSides() const { return FFrame.BorderSides; }
    void SetBorderSides(TSides v);
    TColor BorderHighlight() const { return FFrame.BorderHighlight; }
    void SetBorderHighlight(TColor v);
    TColor BorderShadow() const { return FFrame.BorderShadow; }
    void SetBorderShadow(TColor v);
    int BorderWidth() const { return FFrame.BorderWidth; }
    void SetBorderWidth(int v);
    TColor FlatColor() const { return FFrame.FlatColor; }
    void SetFlatColor(TColor v);
    TSides FrameSides() const { return FFrame.FrameSides; }
    void SetFrameSides(TSides v);

    // Hide the plain label's: the frame and the turned text count too.
    void SetAutoSize(bool v);
    void SetWordWrap(bool v);

    // The box the text with its effects and frame needs.
    virtual void AdjustSizeForBorders(TRect& rect) const;
    virtual void AdjustForBorders(TRect& rect, bool includeBorderWidth) const;
    // The curve's centre and radii for the current CenterPoint.
    void CurveGeometry(TPoint& centre, int& radiusX, int& radiusY) const;

protected:
    virtual void Blink(bool phase);
    void Paint() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void TextChanged() override;
    void FontChanged() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void AdjustSize();
    void Changed();

private:
    void DrawEffects(TCanvas* c, const std::function<void(int dx, int dy)>& draw);
    void EnsureOutlineFont();
    void PaintFlat(TCanvas* c, const TRect& inner);
    void PaintCurve(TCanvas* c);

    int FAngle = 0;
    TRotation FRotation = roNone;
    TCenterPoint FCenterPoint = cpCenter;
    TTextStyle FTextStyle = tsRecessed;
    bool FLightTextStyle = false;
    TColor FHighlightColor = clBtnHighlight;
    TColor FShadowColor = clBtnShadow;
    int FShadowDepth = 2;
    bool FBlinking = false;
    TColor FBlinkColor = clHighlight;
    TColor FNormalColor = clWindowText;
    TColor FDrawnColor = clWindowText;
    bool FFlyByEnabled = false;
    TColor FFlyByColor = clHighlight;
    TColor FFlyBySaved = clWindowText;
    bool FFlyByActive = false;
    TTbFrameLook FFrame;
    bool FSizing = false;
};
