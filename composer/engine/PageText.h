#pragma once
// Text helpers of the page engine. Matching folds ASCII letters only, as
// the markup's own names are ASCII.
#include <vector>

#include "framework/rtl/Types.h"

// ASCII-only helpers shared by the engine's sources.
namespace PageText {
char Upper(char c);
bool SameTextAscii(const String& a, const String& b);
// Case-insensitive search; 0-based result, -1 when none.
int FindNoCase(const String& s, const String& sub, size_t from = 0);
bool ContainsNoCase(const String& s, const String& sub);
String Lower(const String& s);
String TrimBlanks(const String& s);  // drops bytes <= 0x20 at both ends
std::vector<String> SplitLines(const String& text);
String JoinLines(const std::vector<String>& lines, const String& lineBreak);
}  // namespace PageText
