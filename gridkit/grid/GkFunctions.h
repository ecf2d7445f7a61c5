#pragma once
// Plain string functions used across the grid kit: text kinds, number
// classes, URLs, cell references, lines and the cell-file text encoding.
#include <string_view>

#include "framework/graphics/Color.h"
#include "framework/rtl/Types.h"

// How a cell's text is shown: as it is, as markup, as rich text (RTF),
// or as the result of its formula.
enum class TCellTextKind { Plain = 0, Markup = 1, RichText = 2, Formula = 3 };
TCellTextKind TextKind(const String& text, bool allowMarkup);
// 0 whole number (or empty), 1 float, 2 anything else; uses the locale's
// thousand and decimal separators.
int ClassifyNumberText(const String& text);
bool IsURL(const String& text);
String StripURLProtocol(const String& text);
// "R<row>C<col>" (any case) -> col, row.
bool ParseRowCol(const String& text, int& col, int& row);
// The text up to the first CR; rest gets what follows it, one LF dropped.
String FirstLine(const String& text, String* rest = nullptr);
int LineCount(const String& text, bool multiLine);
String DecodeHeaderBreaks(const String& text);
String FillChars(const String& text, char c);
String OemToAnsiText(const String& text);

class TCanvas;
class TBitmap;
// Draws the bitmap into rect with the colour of its top-left pixel made
// the background colour (glyphs with a "transparent" corner colour).
void DrawTransparentBitmap(TCanvas* canvas, TBitmap* bitmap, TColor background, const TRect& rect);

// The cell-file forms of a cell text. A text that holds a CR is stored
// with every CR as TAB and every LF as #8; any other text as it is.
// Decoding turns TAB back into CR and #8 into LF when the stored text
// holds a #8 (so files that wrote every line break as TAB #8 read too).
String EncodeCellText(const String& text);
String DecodeCellText(const String& text, bool multiLineCells);
// DecodeCellText on `size` bytes at `text`, in place (the decoded text is
// never longer): returns the decoded text's size.
size_t DecodeCellTextInPlace(char* text, size_t size, bool multiLineCells);

// A number field of the cell file, read as the runtime's integer
// conversion reads it when its error is ignored: leading blanks skipped,
// sign, "$" or "0x" hex; a field that stops early gives the digits before
// the stop without their sign; no digits give 0. digits reports whether
// any digit was read.
int CellFileNumber(std::string_view field, bool* digits = nullptr);

// The short warning sound of a refused key. A test can catch it with a
// hook; without one it is the system's beep.
#include <functional>
void GkMessageBeep();
void SetGkBeepHook(std::function<void()> hook);
