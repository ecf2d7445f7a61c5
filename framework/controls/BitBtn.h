#pragma once
#include <memory>

#include "framework/controls/Button.h"

class TBitmap;

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// A push button with a picture. Kind gives a standard button its caption,
// modal result and Default/Cancel role. A Glyph holds NumGlyphs pictures
// side by side (up, disabled, down, held); the first shows, the second
// when disabled. Pixels of the bottom-left colour are see-through.
class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;
    String ClassName() const override { return "TBitBtn"; }

    TBitBtnKind Kind() const { return FKind; }
    void SetKind(TBitBtnKind v);
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* v);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout v);
    // Pixels between the glyph and the edge Layout puts it at; -1: the
    // glyph and caption are centred together. Spacing: between the two.
    int Margin() const { return FMargin; }
    void SetMargin(int v);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v);

    void Click() override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget() override;
    void ApplyGlyph();

private:
    TBitBtnKind FKind = bkCustom;
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
};
