#pragma once
// Framework-internal: RTF in and out of the toolkit's text document, the
// store behind the rich edit. Only framework sources include this.
#include <string>

class QTextDocument;
class QTextCharFormat;

namespace velmor_internal {

// Properties of the character formats beyond the toolkit's own: the size
// in half points as written (the layout uses pixels at 96 per inch) and
// the face name as written (the layout uses an installed look-alike).
constexpr int kRtfHalfPoints = 0x100000 + 1;
constexpr int kRtfFaceName = 0x100000 + 2;
// clNone where a character has no colour of its own.
constexpr int kRtfNoColor = -1;

// Replaces the document's content with what the RTF text holds; damaged
// input loads as far as it can be read. False (and nothing loaded) when
// the text does not start as RTF does ("{\rtf").
bool ReadRtf(const std::string& rtf, QTextDocument& doc, const QTextCharFormat& base);
// The document as RTF: fonts and colours in tables, character and
// paragraph formatting, text outside ASCII as code-page bytes or \u.
std::string WriteRtf(const QTextDocument& doc);

// Sets face name and size (half points) on a format, layout included.
void SetRtfFace(QTextCharFormat& f, const std::string& face);
void SetRtfHalfPoints(QTextCharFormat& f, int halfPoints);
std::string RtfFace(const QTextCharFormat& f);
int RtfHalfPoints(const QTextCharFormat& f);

}  // namespace velmor_internal
