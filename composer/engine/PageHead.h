#pragma once
// Cutting out and normalising the head of one page, and splicing it back.
// The head is brought into a fixed shape: CR LF line breaks, the head's tags
// on lines of their own, the title line first, one tag per line, META lines
// gathered. Attribute values and the title's text are never altered by the
// reshaping, and the page after its head is never touched.
#include <vector>

#include "composer/engine/MetaFields.h"
#include "composer/engine/PageBuffer.h"

class TPageHead {
public:
    TPageBuffer Buffer;  // the hidden editor the page is worked on in
    // The page whose text the buffer holds; every error names it.
    String PagePath;
    // Lets the window process pending messages once per normalisation.
    TProcessMessagesEvent OnProcessMessages;

    void ExtractHeadSection();
    void SetCRLFLineBreaks();
    void SetUpHeadBlock(int& headStart, int& headEnd);
    void FormatTitleLine(int& headStart, int& headEnd);
    void PositionTitleLine();
    void PositionLines();
    void SetUpMetaLines();
    void ReplaceHeadSection(const String& fileName);

    // Where a page's head ends (just behind its "</HEAD>"), checked against
    // "<BODY" or "<FRAMESET" as the extraction does. Raises EInvalidHTMLFile.
    static int HeadSectionEnd(const String& page, const String& pagePath);
    // The page's own line break: that of its first line break, CR LF when it
    // has none.
    static String LineBreakOf(const String& page);
    // For the lines of a head: which of them lie inside a script or style
    // block (after the line opening it, up to the line closing it). Those
    // lines are program text and are neither regrouped nor matched as tags.
    static std::vector<bool> BlockLines(const std::vector<String>& lines);
    // The head lines' join and squeeze of SetUpMetaLines, on its own so it
    // can be checked without a page: `pieces` are the untrimmed lines.
    static String JoinHeadLines(const std::vector<String>& pieces);
    static String SqueezeHeadText(const String& joined);
};
