#pragma once
// The head of one page, taken apart and brought into a fixed shape: the
// head's own tags on lines of their own, the title first, one tag per line,
// META tags gathered behind the title. The shape is built from the page's
// markup as a browser reads it, so comments, scripts, styles and attribute
// values keep every byte, and the page after its head is never touched.
#include <vector>

#include "composer/engine/HeadMarkup.h"
#include "composer/engine/MetaFields.h"
#include "composer/engine/PageEncoding.h"

class TFileSource;

// One piece of the head: a tag, an element taken whole (title, script,
// style), a comment, or stray text.
struct THeadItem {
    enum TRole { irTitle, irPicsLabel, irMeta, irOther };
    TRole Role = irOther;
    String Text;  // the bytes as they go back into the page
    // A title's text lies between these offsets of Text; npos when the
    // title has no end tag to put text before.
    size_t ContentStart = String::npos, ContentEnd = String::npos;
};

// A META tag read as a browser reads it.
struct TMetaTag {
    bool HttpEquiv = false;  // named by http-equiv rather than name
    String Name;             // the name (or http-equiv) as text
    String Content;          // the content as text, blanks trimmed
    String RawContent;       // the content's bytes as the page has them
    String Token;            // the composer's z attribute
    bool SelfClosed = false; // written "/>"
    size_t TagLength = 0;    // bytes of the start tag; an end tag may follow
};

class TPageHead {
public:
    // The page whose head this is; every error names it.
    String PagePath;
    // Lets the window process pending messages once per normalisation.
    TProcessMessagesEvent OnProcessMessages;

    // The page's first bytes, read as far as needed to find its head and
    // the body tag behind it.
    String Page;
    bool Complete = false;  // Page is the whole page
    THeadBounds Bounds;
    TPageEncoding Encoding;
    bool Xhtml = false;     // new tags are closed with "/>"
    String LineBreak;       // the page's own
    String Prefix;          // the page before the head's start tag
    String OpenTag, CloseTag;
    std::vector<THeadItem> Items;

    // A page is read up to this many bytes at most to find its head.
    static constexpr size_t MaxHeadBytes = 64u << 20;

    // Reads the page from `source` only as far as its head and body tag
    // go, then finds them. EInvalidHTMLFile, EReadError.
    void LoadFromSource(TFileSource& source);
    // Finds the head in `page`, the whole page. EInvalidHTMLFile.
    void LoadFromText(const String& page);

    // Learns the page's encoding, whether it is XHTML, and its line break.
    void LearnEncoding();
    // Takes the head apart into its items, in the fixed shape, and learns
    // the page's encoding. EInvalidMetaTag for a title holding a tag.
    void SetUpMetaLines();
    // Gathers the items: the title, then PICS labels (last one first), then
    // the META tags, then everything else, each group in page order.
    void PositionLines();
    // The head as it goes back into the page, through its end tag.
    String Text() const;
    // Where the head ends in the page (just behind "</head>").
    size_t HeadEnd() const { return Bounds.CloseEnd; }

    // The title item, or null when the head has none.
    THeadItem* Title();
    // The title's text as the page's reader sees it.
    String TitleText();
    // Reads a META tag out of an item's (or composed line's) bytes; false
    // when they hold none.
    static bool ReadMetaTag(const String& text, const TPageEncoding& encoding, TMetaTag& tag);

    // The page's own line break: that of its first line break, CR LF when it
    // has none.
    static String LineBreakOf(const String& page);

private:
    void Locate();
    String Squeezed(const TMarkupToken& t) const;
    String DeclaredCharset() const;
};
