#include "framework/controls/TextAttributes.h"

#include "framework/controls/RichEdit.h"

void TTextAttributes::Assign(TPersistent* source) {
    if (auto* font = dynamic_cast<TFont*>(source)) {
        TCharFormat f;
        f.Name = font->Name();
        f.HalfPoints = font->Size() * 2;
        f.Style = font->Style();
        f.Color = font->Color();
        FRichEdit->SetCharFormat(FSelection, cfmFace | cfmSize | cfmStyle | cfmColor, f);
        return;
    }
    TPersistent::Assign(source);
}

String TTextAttributes::Name() const { return FRichEdit->GetCharFormat(FSelection).Name; }
int TTextAttributes::Size() const { return (SizeHalfPoints() + 1) / 2; }
int TTextAttributes::SizeHalfPoints() const { return FRichEdit->GetCharFormat(FSelection).HalfPoints; }
TFontStyles TTextAttributes::Style() const { return FRichEdit->GetCharFormat(FSelection).Style; }
TColor TTextAttributes::Color() const { return FRichEdit->GetCharFormat(FSelection).Color; }
TColor TTextAttributes::BackColor() const { return FRichEdit->GetCharFormat(FSelection).BackColor; }

void TTextAttributes::SetName(const String& v) {
    TCharFormat f;
    f.Name = v;
    FRichEdit->SetCharFormat(FSelection, cfmFace, f);
}

void TTextAttributes::SetSize(int v) { SetSizeHalfPoints(v * 2); }

void TTextAttributes::SetSizeHalfPoints(int v) {
    TCharFormat f;
    f.HalfPoints = v;
    FRichEdit->SetCharFormat(FSelection, cfmSize, f);
}

void TTextAttributes::SetStyle(TFontStyles v) {
    TCharFormat f;
    f.Style = v;
    FRichEdit->SetCharFormat(FSelection, cfmStyle, f);
}

void TTextAttributes::SetColor(TColor v) {
    TCharFormat f;
    f.Color = v;
    FRichEdit->SetCharFormat(FSelection, cfmColor, f);
}

void TTextAttributes::SetBackColor(TColor v) {
    TCharFormat f;
    f.BackColor = v;
    FRichEdit->SetCharFormat(FSelection, cfmBackColor, f);
}
