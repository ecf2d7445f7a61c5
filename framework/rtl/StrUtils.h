#pragma once
// String helpers with the runtime's semantics. Positions are 1-based;
// Copy/Delete/Insert clamp out-of-range arguments instead of throwing.
// Case rules of the plain functions are ASCII-only, so page text in any
// encoding passes through untouched; the Ansi* functions know UTF-8.
#include <vector>

#include "framework/rtl/Types.h"

// --- positions and pieces (1-based) ---
// Copy: an index below 1 counts as 1 (the count is kept), past the end or a
// count <= 0 gives "". PosEx: an offset below 1 counts as 1. Delete: an index
// outside 1..Length leaves the string alone; the count is cut at the end.
// Insert: an index below 1 prepends, past the end appends.
String Copy(const String& s, int index, int count);
int Pos(const String& sub, const String& s);
int PosEx(const String& sub, const String& s, int offset = 1);
void Delete(String& s, int index, int count);
void Insert(const String& source, String& s, int index);
int LastDelimiter(const String& delimiters, const String& s);
bool IsDelimiter(const String& delimiters, const String& s, int index);
String StringOfChar(char c, int count);
String LeftStr(const String& s, int count);
String RightStr(const String& s, int count);

// --- blanks: every byte <= 0x20 counts as blank ---
String Trim(const String& s);
String TrimLeft(const String& s);
String TrimRight(const String& s);

// --- case, ASCII only ---
String UpperCase(const String& s);
String LowerCase(const String& s);
int CompareStr(const String& a, const String& b);
int CompareText(const String& a, const String& b);
bool SameText(const String& a, const String& b);
// One byte; only the letters A-Z and a-z change.
inline char UpCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
inline char LoCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// --- case, UTF-8 aware (letters beyond ASCII fold too) ---
String AnsiUpperCase(const String& s);
String AnsiLowerCase(const String& s);
int AnsiCompareStr(const String& a, const String& b);
int AnsiCompareText(const String& a, const String& b);
bool AnsiSameText(const String& a, const String& b);
bool AnsiSameStr(const String& a, const String& b);
int AnsiPos(const String& sub, const String& s);

// --- UTF-8, one character at a time ---
// The length (1 to 4) of the valid UTF-8 character at byte `i`, with its
// code point in `cp`; 0 when no valid character starts there.
int Utf8CharAt(const String& s, size_t i, char32_t& cp);
// Appends a code point as UTF-8 (U+FFFD for what is no character).
void AppendUtf8(String& out, char32_t cp);
// UTF-8 as UTF-16; a byte that starts no valid character becomes U+FFFD.
std::u16string Utf8ToUtf16(const String& s);
// UTF-16 as UTF-8; a surrogate without its partner becomes U+FFFD.
String Utf16ToUtf8(const std::u16string& s);
// Whether a code point is a letter or a digit of any script.
bool IsLetterOrDigit(char32_t cp);

// --- numbers ---
String IntToStr(Int64 v);
String IntToHex(Int64 v, int digits);
int StrToInt(const String& s);            // leading/trailing blanks, "$"/"0x" hex; EConvertError
Int64 StrToInt64(const String& s);
int StrToIntDef(const String& s, int def);
Int64 StrToInt64Def(const String& s, Int64 def);
bool TryStrToInt(const String& s, int& value);
bool TryStrToInt64(const String& s, Int64& value);
double StrToFloat(const String& s);       // EConvertError
double StrToFloatDef(const String& s, double def);
bool TryStrToFloat(const String& s, double& value);
String FloatToStr(double v);              // 15 significant digits, shortest form
// FloatToStrF with the runtime's formats: ffGeneral (shortest of fixed and
// scientific), ffExponent ("1.00000000000000E+003"), ffFixed, ffNumber (with
// thousand separators), ffCurrency. Uses FormatSettings' separators.
enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
String FloatToStrF(double v, TFloatFormat format, int precision, int digits);
String BoolToStr(bool b, bool useBoolStrs = false);
bool StrToBool(const String& s);

// --- replacing and quoting ---
enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = int;
String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags);
String QuotedStr(const String& s);
String AnsiQuotedStr(const String& s, char quote);
String AnsiDequotedStr(const String& s, char quote);
String AdjustLineBreaks(const String& s);  // every CR, LF or CR LF becomes CR LF

// Splits at CR, LF and CR LF, as TStrings::SetText does.
std::vector<String> SplitLines(const String& s);
