#pragma once
#include <memory>

#include "styled/base/StyWndProcComponent.h"
#include "styled/forms/StyFormTypes.h"

class TFont;
class TForm;
class TSty3DCaption;

// The caption text's alignment, in the order of the framework's TAlignment
// (whose names clash with the library's bevel styles).
enum class TStyCaptionAlignment { LeftJustify, RightJustify, Center };

enum TStyFormStyleOption {
    fsAdjustRect,
    fsUseDefaultFont,
    fsUseFontColor,
    fsInactiveGradient,
    fsDrawCaptionEvent,
    fsUseFormCaption,
    fsCheckSystemGradient,
};
using TStyFormStyleOptions = unsigned;
constexpr TStyFormStyleOptions FormStyleOption(TStyFormStyleOption o) { return 1u << o; }

// Paints the caption bar of the form that owns it: a gradient of Colors
// steps from black to the caption colour in place of the flat bar, the
// text in its own alignment, font and 3-D style, or all of it by the
// program's events. One per form.
//
// The form's frame is the one the program draws (TForm::DrawnFrame): the
// styler switches it on while it is enabled, and paints over it whenever
// the frame paints (WM_NCPAINT) or changes between active and inactive
// (WM_NCACTIVATE). The window manager still moves and sizes the window.
class TStyFormStyler : public TStyWndProcComponent {
public:
    static constexpr int MinColors = 2, MaxColors = 236;
    static constexpr TStyFormStyleOptions DefaultOptions =
        FormStyleOption(fsAdjustRect) | FormStyleOption(fsUseDefaultFont) | FormStyleOption(fsUseFormCaption) |
        FormStyleOption(fsCheckSystemGradient);

    explicit TStyFormStyler(TComponent* AOwner);
    ~TStyFormStyler() override;
    String ClassName() const override { return "TStyFormStyler"; }

    String About;
    TStyCaptionAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TStyCaptionAlignment Value);
    int Colors() const { return FColors; }
    // A count outside 2..236 raises ERangeError and changes nothing.
    void SetColors(int Value);
    TFont* Font() const { return FFont.get(); }
    TSty3DCaption* Font3D() const { return FFont3D.get(); }
    TStyPaintMode PaintMode() const { return FPaintMode; }
    void SetPaintMode(TStyPaintMode Value);
    TStyFormStyleOptions Options() const { return FOptions; }
    bool Has(TStyFormStyleOption o) const { return (FOptions & FormStyleOption(o)) != 0; }
    void SetOptions(TStyFormStyleOptions Value);
    TStyPaintEvent OnPaint;
    TStyPaintEvent OnCaptionPaint;

    // The form's caption is drawn active.
    bool Active() const { return FActive; }
    // The text the styler paints.
    const String& Caption() const { return FCaption; }

    // Paints the caption bar. The frame is painted by the form, so outside
    // its WM_NCPAINT this asks the form for that paint instead.
    void PaintCaption(bool DrawIcon);
    // Sends WM_NCACTIVATE (1) to the form.
    void Refresh();

    void WndProc(TMessage& Message) override;

protected:
    void Init() override;
    void Done() override;

private:
    TForm* Form() const;
    void Repaint(bool DrawIcon);

    TStyCaptionAlignment FAlignment = TStyCaptionAlignment::LeftJustify;
    int FColors = 32;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TSty3DCaption> FFont3D;
    TStyPaintMode FPaintMode = pcControl;
    TStyFormStyleOptions FOptions = DefaultOptions;
    bool FActive = false;
    bool FPainting = false;
    bool FMadeDrawnFrame = false;
    String FCaption;
};
