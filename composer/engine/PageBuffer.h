#pragma once
// The page buffer: one page's text as bytes, worked on the way a plain-text
// editor control would be, by case-insensitive find, replacement of a
// selection and whole-line operations. Matching folds ASCII letters only, so
// a page in any encoding passes through untouched.
#include <vector>

#include "framework/rtl/Types.h"

class TPageBuffer {
public:
    const String& Text() const { return FText; }
    void SetText(const String& text);
    void Clear();
    int Length() const { return static_cast<int>(FText.size()); }
    void LoadFromFile(const String& path);  // EFOpenError

    // Position of the first match of `sub` that lies wholly inside the
    // `length` characters from `start`, letter case ignored; -1 when none.
    int Find(const String& sub, int start, int length) const;
    // Find over the rest of the text from `start`.
    int Find(const String& sub, int start = 0) const;

    int SelStart() const { return FSelStart; }
    int SelLength() const { return FSelLength; }
    void SetSel(int start, int length);
    String SelText() const;
    // Replaces the selection; the caret ends behind the new text.
    void SetSelText(const String& text);

    // Lines split at CR LF, CR and LF; a final line break opens no new line.
    // Lines passed in may hold line breaks: they become several lines.
    std::vector<String> Lines() const;
    void SetLines(const std::vector<String>& lines);
    int LineCount() const;
    String Line(int index) const;
    void SetLine(int index, const String& s);
    void InsertLine(int index, const String& s);
    void DeleteLine(int index);
    // Index of the first line equal to `s`, letter case ignored; -1 when none.
    int IndexOfLine(const String& s) const;

    static int IndexOfLine(const std::vector<String>& lines, const String& s);

private:
    String FText;
    int FSelStart = 0;
    int FSelLength = 0;
};

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
