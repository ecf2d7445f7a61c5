#pragma once
// A page's markup as a browser's tokenizer sees it, as far as the engine
// needs it: start and end tags with their attributes in any order, case and
// quoting; comments and declarations, which are opaque; text; and the
// elements whose content is text rather than markup (script, style, title
// and their kind), taken whole. Positions are byte offsets into the page;
// nothing here changes a byte.
#include <vector>

#include "framework/rtl/Types.h"

struct TMarkupAttribute {
    size_t NameStart = 0, NameEnd = 0;
    size_t ValueStart = 0, ValueEnd = 0;  // the value without its quotes
    char Quote = 0;                       // '"', '\'', or 0 when unquoted
    bool HasValue = false;
};

enum TMarkupKind { tkText, tkComment, tkDeclaration, tkStartTag, tkEndTag };

struct TMarkupToken {
    TMarkupKind Kind = tkText;
    size_t Start = 0, End = 0;  // the whole token; for a text element, through its end tag
    String Name;                // tags: the name in lower case
    size_t NameEnd = 0;
    std::vector<TMarkupAttribute> Attributes;
    bool SelfClosing = false;   // the tag ends with "/>"
    size_t TagEnd = 0;          // just behind the start tag's ">"
    size_t ContentEnd = 0;      // a text element's content runs from TagEnd to here

    // The first attribute of that (lower-case) name; null when there is none.
    const TMarkupAttribute* Attribute(const String& text, const char* name) const;
    // Its raw value; empty when there is no such attribute.
    String Value(const String& text, const char* name) const;
};

enum TScanResult {
    srToken,     // a token was read
    srNeedMore,  // the bytes end inside a token: read more of the page
    srEnd,       // the bytes are all read
};

class TMarkupScanner {
public:
    // `complete`: `text` is the whole page, so a token cut off by its end
    // runs to the end.
    TMarkupScanner(const String& text, bool complete) : FText(text), FComplete(complete) {}

    // Whether the page is XML (XHTML): then an element written "<x/>" is
    // empty even where HTML would read text after it.
    bool Xml = false;

    TScanResult Next(size_t pos, TMarkupToken& token);

    // Scans a start tag (or end tag) whose "<" is at `pos`; false when the
    // bytes end inside it.
    bool ScanTag(size_t pos, TMarkupToken& token);

private:
    bool FindTextElementEnd(TMarkupToken& token);
    const String& FText;
    bool FComplete;
};

// Where a page's head is, as a browser finds it.
struct THeadBounds {
    size_t OpenStart = 0, OpenEnd = 0;    // "<head ...>"
    size_t CloseStart = 0, CloseEnd = 0;  // "</head>"
    bool Xml = false;                     // XML declaration, XHTML doctype or namespace
    bool SelfClosedTags = false;          // a meta, link or base tag of the head written "<x/>"
    String XmlEncoding;                   // the XML declaration's encoding
    std::vector<TMarkupToken> Tokens;     // the head's tokens, in page order
    // Title and META tags that stand before "<head>": browsers read them
    // into the head. A META tag's own end tag right behind it is part of it.
    std::vector<TMarkupToken> BeforeTokens;
};

enum THeadSearch { hsFound, hsNeedMore, hsFailed };

// Finds the head: the first "<head>" start tag (attributes allowed), the
// "</head>" that ends it, and the first "<body>" or "<frameset>" start tag
// after it, whatever stands between. Comments, scripts and styles hide what
// is in them. On failure `reason` is one of the head texts of
// PageExceptions.h, and true of the page.
THeadSearch LocateHead(const String& page, bool complete, THeadBounds& bounds, String& reason);

// ASCII letter case folded; the markup's names are ASCII.
bool StartsWithNoCase(const String& s, size_t at, const char* what);
bool IsMarkupBlank(char c);
