#pragma once
// The toolkit side of the rich edit: its formatted text lives in a text
// document of the toolkit, read and written as RTF. Positions are the
// control's (bytes of its UTF-8 text, a CR LF counting two); a call that
// takes positions also takes the text the document holds, in the
// control's form, to count them in.
#include <memory>

#include "framework/controls/RichEdit.h"
#include "framework/rtl/Types.h"

class QWidget;
class TCanvas;
class TFont;

namespace velmor_ws {
// The formatting text has where it has none of its own: the font's.
TCharFormat FontCharFormat(TFont* font);

class TRichDocument {
public:
    TRichDocument();
    ~TRichDocument();
    TRichDocument(const TRichDocument&) = delete;
    TRichDocument& operator=(const TRichDocument&) = delete;

    // Holds `text`, all of it in the font's formatting.
    void SetPlainText(const String& text, TFont* font);
    // Replaces [from, to) of `old`, the text held, by `inserted`, which
    // takes the formatting of the character at `from` (or the one set for
    // typing there). An empty document gives the font's formatting.
    void Replace(const String& old, int from, int to, const String& inserted, TFont* font);
    // The text as the document holds it (CR LF breaks).
    String Text() const;

    // The formatting of [start, start + length) - of the character before
    // an empty range, or what was set for typing there. The colour of text
    // with none of its own is the font's.
    TCharFormat CharFormat(const String& text, int start, int length, TFont* font) const;
    // Formats the range; an empty range keeps the formatting for what is
    // typed there next, and answers false: the text itself is unchanged.
    bool SetCharFormat(const String& text, int start, int length, int mask, const TCharFormat& format, TFont* font);
    TParaFormat ParaFormat(const String& text, int start) const;
    void SetParaFormat(const String& text, int start, int length, int mask, const TParaFormat& format);

    String Rtf() const;
    // Loads the RTF; false, and nothing loaded, when it does not begin as
    // RTF. Text without formatting of its own gets the font's.
    bool LoadRtf(const String& rtf, TFont* font);

    // Puts the formatted text into a memo widget (CreateMemo).
    void ShowIn(QWidget* memo) const;
    // TRichEdit::FormatRange over the text held; `textColor` for text with
    // no colour of its own.
    int FormatRange(TCanvas* canvas, const TRect& rect, const String& text, int start, int end,
                    TColor textColor) const;
    // The room the text takes wrapped to `width` (<= 0: unwrapped).
    TSize Extent(int width) const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> F;
};
}  // namespace velmor_ws
