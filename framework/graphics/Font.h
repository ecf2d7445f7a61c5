#pragma once
#include "framework/classes/Persistent.h"
#include "framework/graphics/Color.h"

class QFont;

// Style sets are bit flags.
enum TFontStyle : int { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = int;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

using TFontCharset = Byte;
inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
inline constexpr TFontCharset SYMBOL_CHARSET = 2;
inline constexpr TFontCharset OEM_CHARSET = 255;

// Sizes are points at 96 pixels per inch: Height is the negative character
// height in pixels, Size = -Height * 72 / 96 rounded, and a positive Height
// is a cell height (characters plus internal leading).
class TFont : public TPersistent {
public:
    static constexpr int PixelsPerInch = 96;

    TFont();
    ~TFont() override;
    String ClassName() const override { return "TFont"; }
    void Assign(TPersistent* source) override;

    const String& Name() const { return FName; }
    void SetName(const String& v);
    int Size() const;
    void SetSize(int v);
    int Height() const { return FHeight; }
    void SetHeight(int v);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch v);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset v);
    // Angle of the text base line in tenths of a degree, counter-clockwise.
    int Orientation() const { return FOrientation; }
    void SetOrientation(int v);

    TNotifyEvent OnChange;

    // Framework-internal: the toolkit font these properties select (the
    // classic face names map to installed look-alikes).
    QFont QtFont() const;

protected:
    virtual void Changed();

private:
    String FName = "MS Sans Serif";
    int FHeight = -11;  // 8 points
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    TFontPitch FPitch = fpDefault;
    TFontCharset FCharset = DEFAULT_CHARSET;
    int FOrientation = 0;
};
