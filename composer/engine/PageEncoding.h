#pragma once
// How the bytes of a page are text: its encoding and HTML's character
// references. Values read from a page are decoded to the UTF-8 text the
// fields show; values written go back escaped and in the page's encoding.
#include "framework/rtl/Types.h"

class TPageEncoding {
public:
    // The page's encoding, a name the framework converts ("UTF-8",
    // "windows-1252", "CP932"...).
    String Charset = "UTF-8";
    // The encoding new text is written in: the page's own label where the
    // web reads it as another ("ISO-8859-1" is read as Windows-1252 but
    // written strictly, so every reader agrees on what was written; so are
    // the bytes of a page that declares nothing and is no UTF-8).
    String WriteCharset = "UTF-8";
    // Nothing told the encoding and the page is plain ASCII as far as it was
    // read: anything beyond ASCII is written as a numeric reference, which
    // reads the same whatever the browser takes the page for.
    bool AsciiOnly = false;
    // Nothing declares the encoding and the page is no UTF-8: it is read as
    // Windows-1252, which keeps every byte, but its readers may take it for
    // any legacy encoding. New text is written as ASCII and references, and
    // a changed value keeps the page's own bytes where it did not change.
    bool Guessed = false;

    // The encoding a label names, as browsers read labels ("latin1" and
    // "ISO-8859-1" are Windows-1252); empty for a label nobody knows.
    static String CharsetOfLabel(const String& label);
    // The charset parameter of a Content-Type ("text/html; charset=x"),
    // as a label; empty when it has none.
    static String CharsetParameter(const String& contentType);
    // The encoding that a page's first bytes, its XML declaration or META
    // declaration, or failing those its bytes themselves show. `declared`
    // is the label of the page's own declaration, empty when it has none.
    static TPageEncoding Detect(const String& pageStart, const String& declared);

    // Bytes of the page (an attribute value or text) as UTF-8 text, with
    // every character reference resolved.
    String Text(const String& bytes, bool attribute) const;
    // UTF-8 text (already escaped) as bytes for the page; what the encoding
    // cannot hold, or what would read back as another character, becomes a
    // numeric reference.
    String Bytes(const String& text) const;
    // A value that replaces `raw`, the value's bytes as the page holds them:
    // `text` (not escaped) escaped as an attribute value or as text and
    // written as Bytes writes it. In a page whose encoding is a guess, the
    // beginning and end that `text` shares with what `raw` reads as keep the
    // page's bytes. `fromPage`: `text` was read out of this page, so it goes
    // back in the bytes it was read from.
    String ChangedBytes(const String& raw, const String& text, bool attribute, bool fromPage = false) const;

    // Character references in UTF-8 text resolved as a browser does; in an
    // attribute an old name without ";" that runs on into a letter, digit
    // or "=" is left as written.
    static String ResolveReferences(const String& text, bool attribute);
    // Escapes for a double-quoted attribute value (&, ", < and >) and for
    // text such as the title (&, < and >).
    static String EscapeAttribute(const String& text);
    static String EscapeText(const String& text);
};
