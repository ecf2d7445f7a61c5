#pragma once
// Framework-internal: RTF in and out, the store format of the rich edit.
// The reader hands what it reads to a sink (the rich edit's document,
// qt/WsRichText); the writer takes the document as paragraphs of runs.
// Text is UTF-16, as the document holds it. Only framework sources
// include this.
#include <string>
#include <vector>

#include "framework/graphics/Color.h"

namespace velmor_internal {

// Character formatting as RTF gives it.
struct TRtfCharFormat {
    std::string Face;  // empty: the base formatting's face
    int HalfPoints = 24;
    bool Bold = false, Italic = false, Underline = false, Strike = false;
    bool HasFore = false, HasBack = false;  // else: no colour of its own
    TColor Fore = clBlack, Back = clBlack;
    bool operator==(const TRtfCharFormat&) const = default;
};

enum class TRtfAlign { Left, Right, Center, Justify };

// Paragraph formatting; indents in twips.
struct TRtfParaFormat {
    TRtfAlign Align = TRtfAlign::Left;
    int Left = 0, Right = 0, First = 0;
};

// Where the reader puts what it reads.
class TRtfSink {
public:
    virtual ~TRtfSink() = default;
    // Empties the document; what follows goes into its first paragraph.
    virtual void Clear() = 0;
    virtual void InsertText(const std::u16string& text, const TRtfCharFormat& format) = 0;
    // Formats the paragraph being filled.
    virtual void FormatParagraph(const TRtfParaFormat& format) = 0;
    // Ends the paragraph being filled; the next one starts in `format`.
    virtual void NewParagraph(const TRtfCharFormat& format) = 0;
    // The mark that ends the last paragraph opens no line of its own: an
    // empty last paragraph (after another) goes, keeping the formatting of
    // the one before.
    virtual void DropEmptyLastParagraph() = 0;
};

// Reads the RTF into the sink; damaged input loads as far as it can be
// read. False (and nothing given to the sink) when the text does not start
// as RTF does ("{\rtf").
bool ReadRtf(const std::string& rtf, TRtfSink& sink);

struct TRtfRun {
    std::u16string Text;
    TRtfCharFormat Format;  // Face always given
};
struct TRtfParagraph {
    TRtfParaFormat Format;
    std::vector<TRtfRun> Runs;
};
// The paragraphs as RTF: fonts and colours in tables, character and
// paragraph formatting, text outside ASCII as code-page bytes or \u.
std::string WriteRtf(const std::vector<TRtfParagraph>& paragraphs);

}  // namespace velmor_internal
