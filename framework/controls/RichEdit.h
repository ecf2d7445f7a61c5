#pragma once
#include <memory>

#include "framework/controls/CustomMemo.h"
#include "framework/graphics/Font.h"

class TCanvas;
class TStream;
class TTextAttributes;
class TParaAttributes;

// Search options of FindText; sets are bit flags.
enum TSearchType : int { stWholeWord = 1, stMatchCase = 2 };
using TSearchTypes = int;

// Character formatting as the rich edit reports and takes it: the face,
// the size in half points, the style, the text colour (clDefault: the
// control's font colour) and the colour behind the text (clNone: none).
struct TCharFormat {
    String Name;
    int HalfPoints = 16;
    TFontStyles Style = 0;
    TColor Color = clDefault;
    TColor BackColor = clNone;
};
// Which members of a TCharFormat a change sets; bit flags.
enum TCharFormatMask : int {
    cfmFace = 1,
    cfmSize = 2,
    cfmBold = 4,
    cfmItalic = 8,
    cfmUnderline = 16,
    cfmStrikeOut = 32,
    cfmColor = 64,
    cfmBackColor = 128,
    cfmStyle = cfmBold | cfmItalic | cfmUnderline | cfmStrikeOut,
    cfmAll = 255
};

// Paragraph formatting in pixels: Left is where the paragraph's lines
// start, First how much further (or, negative, less far) its first line
// starts, Right the room kept free at the right.
struct TParaFormat {
    TAlignment Alignment = taLeftJustify;
    int LeftIndent = 0;
    int FirstIndent = 0;
    int RightIndent = 0;
};

// The rich edit: a memo whose text carries character and paragraph
// formatting, read and written as RTF. Text, Lines and the selection work
// as in the memo and keep the formatting of the text around them; a rich
// edit used only through them is a plain memo (PlainText decides how
// LoadFromStream and SaveToStream treat the bytes).
class TRichEdit : public TCustomMemo {
public:
    explicit TRichEdit(TComponent* owner);
    ~TRichEdit() override;
    String ClassName() const override { return "TRichEdit"; }

    bool PlainText = true;
    // The position of `searchStr` within [startPos, startPos + length), or -1.
    int FindText(const String& searchStr, int startPos, int length, TSearchTypes options) const;

    // The formatting of the selection (of the character before an empty
    // selection; setting it there formats what is typed next) and the
    // formatting text gets where it has none of its own.
    TTextAttributes* SelAttributes() const { return FSelAttributes.get(); }
    TTextAttributes* DefAttributes() const { return FDefAttributes.get(); }
    // The formatting of the paragraphs the selection touches.
    TParaAttributes* Paragraph() const { return FParagraph.get(); }

    // Streaming: with PlainText off, bytes that begin as RTF are read as
    // RTF (damaged RTF loads as far as it can be read) and the text is
    // written as RTF; otherwise the bytes are the text.
    void LoadFromStream(TStream* stream);
    void SaveToStream(TStream* stream);
    // The whole text as RTF, and loading RTF; text that does not begin as
    // RTF loads as plain text.
    String RtfText() const;
    void SetRtfText(const String& rtf);

    // Draws characters [start, end) (end -1: to the end), wrapped to the
    // width of `rect`, into `rect` of the canvas, over whatever is there;
    // the text is clipped to the rectangle. Returns the first character
    // that did not fit (the text length when all did), so that a caller
    // can go on in the next rectangle.
    int FormatRange(TCanvas* canvas, const TRect& rect, int start = 0, int end = -1);
    // The room the formatted text takes: wrapped to `width` pixels, or
    // with no wrapping but its own line ends when width <= 0.
    TSize FormattedExtent(int width) const;

    // Framework-internal: what the attribute objects read and change.
    TCharFormat GetCharFormat(bool selection) const;
    void SetCharFormat(bool selection, int mask, const TCharFormat& format);
    TParaFormat GetParaFormat() const;
    void SetParaFormat(int mask, const TParaFormat& format);

protected:
    void TextChanged() override;
    void FontChanged() override;
    void PushTextToWidget() override;

private:
    struct TDoc;
    TDoc& Doc() const;
    void SyncDocument(const String& text);
    void RefreshWidget();
    std::unique_ptr<TDoc> FDoc;
    std::unique_ptr<TTextAttributes> FSelAttributes, FDefAttributes;
    std::unique_ptr<TParaAttributes> FParagraph;
};
