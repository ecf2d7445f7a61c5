#include "framework/graphics/Font.h"

#include <QFont>
#include <QStringList>
#include <cmath>

#include "framework/graphics/FontWarmUp.h"

TFont::TFont() = default;
TFont::~TFont() = default;

void TFont::Assign(TPersistent* source) {
    if (auto* f = dynamic_cast<TFont*>(source)) {
        FName = f->FName;
        FHeight = f->FHeight;
        FStyle = f->FStyle;
        FColor = f->FColor;
        FPitch = f->FPitch;
        FCharset = f->FCharset;
        FOrientation = f->FOrientation;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TFont::Changed() {
    if (OnChange) OnChange(this);
}

void TFont::SetName(const String& v) {
    if (v.empty() || v == FName) return;
    FName = v;
    Changed();
}

int TFont::Size() const {
    // -Height * 72 / 96, rounded half away from zero like MulDiv.
    long long n = -static_cast<long long>(FHeight) * 72;
    long long q = (std::llabs(n) * 2 + PixelsPerInch) / (2 * PixelsPerInch);
    return static_cast<int>(n < 0 ? -q : q);
}

void TFont::SetSize(int v) {
    long long n = static_cast<long long>(v) * PixelsPerInch;
    long long q = (std::llabs(n) * 2 + 72) / 144;
    SetHeight(static_cast<int>(n < 0 ? q : -q));
}

void TFont::SetHeight(int v) {
    if (v == FHeight) return;
    FHeight = v;
    Changed();
}

void TFont::SetStyle(TFontStyles v) {
    v &= fsBold | fsItalic | fsUnderline | fsStrikeOut;
    if (v == FStyle) return;
    FStyle = v;
    Changed();
}

void TFont::SetColor(TColor v) {
    if (v == FColor) return;
    FColor = v;
    Changed();
}

void TFont::SetPitch(TFontPitch v) {
    if (v == FPitch) return;
    FPitch = v;
    Changed();
}

void TFont::SetCharset(TFontCharset v) {
    if (v == FCharset) return;
    FCharset = v;
    Changed();
}

void TFont::SetOrientation(int v) {
    if (v == FOrientation) return;
    FOrientation = v;
    Changed();
}

namespace {

// The classic faces are rarely installed; pick look-alikes that are. DejaVu
// Sans Condensed at the classic pixel heights has nearly the classic
// dialog font's cell height and average width, so layouts made for it fit;
// plain DejaVu Sans stands in where the condensed face is missing.
QStringList FamiliesFor(const String& name, TFontPitch pitch) {
    QString n = QString::fromStdString(name);
    QString key = n.toLower();
    if (pitch == fpFixed || key == "courier" || key == "courier new" || key == "fixedsys" ||
        key == "terminal" || key == "lucida console")
        return {QStringLiteral("DejaVu Sans Mono")};
    if (key == "ms sans serif" || key == "microsoft sans serif" || key == "tahoma" ||
        key == "arial" || key == "verdana" || key == "system" || key == "ms shell dlg" ||
        key == "ms shell dlg 2" || key == "segoe ui" || key == "helvetica")
        return {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")};
    if (key == "times new roman" || key == "ms serif" || key == "times" || key == "georgia")
        return {QStringLiteral("DejaVu Serif Condensed"), QStringLiteral("DejaVu Serif")};
    return {n, QStringLiteral("DejaVu Sans")};
}

}  // namespace

QFont TFont::QtFont() const {
    WaitForFontWarmUp();
    QFont f;
    f.setFamilies(FamiliesFor(FName, FPitch));
    int h = FHeight;
    if (h < 0)
        f.setPixelSize(-h);
    else if (h > 0)
        f.setPixelSize(std::max(1, h * 4 / 5));  // a cell height includes about a fifth of leading
    else
        f.setPixelSize(11);
    f.setBold(FStyle & fsBold);
    f.setItalic(FStyle & fsItalic);
    f.setUnderline(FStyle & fsUnderline);
    f.setStrikeOut(FStyle & fsStrikeOut);
    if (FPitch == fpFixed) f.setFixedPitch(true);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setKerning(false);
    return f;
}
