#include "framework/controls/RichEdit.h"

#include <algorithm>

#include "framework/classes/Stream.h"
#include "framework/controls/ParaAttributes.h"
#include "framework/controls/TextAttributes.h"
#include "framework/controls/qt/WsRichText.h"

// The formatted text lives in a document of the toolkit. It is made the
// first time formatting is asked for; until then the rich edit is the
// memo it inherits, and plain-text users pay nothing for it.
struct TRichEdit::TDoc {
    velmor_ws::TRichDocument Doc;
    bool Active = false;  // the document follows the text
    bool Rich = false;    // formatting was given: the widget shows it
    String Text;          // the text the document holds, in the control's form
};

namespace {
int Utf8Lead(const String& s, size_t i) {
    // Steps back from i to the first byte of its character.
    while (i > 0 && i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) --i;
    return static_cast<int>(i);
}
}  // namespace

TRichEdit::TRichEdit(TComponent* owner)
    : TCustomMemo(owner),
      FDoc(new TDoc),
      FSelAttributes(new TTextAttributes(this, true)),
      FDefAttributes(new TTextAttributes(this, false)),
      FParagraph(new TParaAttributes(this)) {
    FWordWrap = true;
    FScrollBars = ssBoth;
}

TRichEdit::~TRichEdit() = default;

int TRichEdit::FindText(const String& searchStr, int startPos, int length, TSearchTypes options) const {
    return TCustomEdit::FindText(searchStr, startPos, length, (options & stMatchCase) != 0,
                                 (options & stWholeWord) != 0, true);
}

// ---- the document ---------------------------------------------------------------

TRichEdit::TDoc& TRichEdit::Doc() const {
    TDoc& d = *FDoc;
    if (!d.Active) {
        d.Doc.SetPlainText(FText, Font());
        d.Text = FText;
        d.Active = true;
    }
    return d;
}

void TRichEdit::SyncDocument(const String& text) {
    TDoc& d = *FDoc;
    if (!d.Active || text == d.Text) return;
    const String& old = d.Text;
    // The part that changed, cut at character boundaries (a CR LF and a
    // UTF-8 sequence stay whole).
    size_t pre = 0;
    const size_t limit = std::min(old.size(), text.size());
    while (pre < limit && old[pre] == text[pre]) ++pre;
    pre = static_cast<size_t>(Utf8Lead(old, pre));
    if (pre > 0 && pre < old.size() && old[pre - 1] == '\r' && old[pre] == '\n') --pre;
    size_t suf = 0;
    while (suf < limit - pre && old[old.size() - 1 - suf] == text[text.size() - 1 - suf]) ++suf;
    while (suf > 0 && (static_cast<unsigned char>(old[old.size() - suf]) & 0xC0) == 0x80) --suf;
    if (suf > 0 && old[old.size() - suf] == '\n' && old.size() - suf > 0 && old[old.size() - suf - 1] == '\r') --suf;
    const String inserted = text.substr(pre, text.size() - suf - pre);
    d.Doc.Replace(old, static_cast<int>(pre), static_cast<int>(old.size() - suf), inserted, Font());
    d.Text = text;
}

void TRichEdit::TextChanged() {
    if (FDoc->Active) SyncDocument(PrepareText(FText));
    TCustomMemo::TextChanged();
}

void TRichEdit::FontChanged() {
    // Plain text follows the font; formatted text keeps its own.
    if (FDoc->Active && !FDoc->Rich) FDoc->Active = false;
    TCustomMemo::FontChanged();
}

void TRichEdit::PushTextToWidget() {
    if (!FDoc->Active || !FDoc->Rich) {
        TCustomMemo::PushTextToWidget();
        return;
    }
    SyncDocument(FText);
    FDoc->Doc.ShowIn(FWidget);
}

void TRichEdit::RefreshWidget() {
    if (!FWidget) return;
    FPushing = true;
    PushTextToWidget();
    PushSelectionToWidget();
    FPushing = false;
}

// ---- formatting -----------------------------------------------------------------

TCharFormat TRichEdit::GetCharFormat(bool selection) const {
    if (!selection) return velmor_ws::FontCharFormat(Font());
    TDoc& d = Doc();
    return d.Doc.CharFormat(d.Text, FSelStart, FSelLength, Font());
}

void TRichEdit::SetCharFormat(bool selection, int mask, const TCharFormat& v) {
    if (!selection) {
        // The default formatting is the control's font.
        if (mask & cfmFace) Font()->SetName(v.Name);
        if (mask & cfmSize) Font()->SetSize((v.HalfPoints + 1) / 2);
        if (mask & cfmStyle) {
            TFontStyles s = Font()->Style();
            for (int bit : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
                if (mask & (bit == fsBold ? cfmBold : bit == fsItalic ? cfmItalic : bit == fsUnderline ? cfmUnderline : cfmStrikeOut))
                    s = (v.Style & bit) ? (s | bit) : (s & ~bit);
            Font()->SetStyle(s);
        }
        if ((mask & cfmColor) && v.Color != clDefault) Font()->SetColor(v.Color);
        return;
    }
    TDoc& d = Doc();
    d.Rich = true;
    if (d.Doc.SetCharFormat(d.Text, FSelStart, FSelLength, mask, v, Font())) RefreshWidget();
}

TParaFormat TRichEdit::GetParaFormat() const {
    TDoc& d = Doc();
    return d.Doc.ParaFormat(d.Text, FSelStart);
}

void TRichEdit::SetParaFormat(int mask, const TParaFormat& v) {
    TDoc& d = Doc();
    d.Rich = true;
    d.Doc.SetParaFormat(d.Text, FSelStart, FSelLength, mask, v);
    RefreshWidget();
}

// ---- RTF and streams ------------------------------------------------------------

String TRichEdit::RtfText() const { return Doc().Doc.Rtf(); }

void TRichEdit::SetRtfText(const String& rtf) {
    TDoc& d = *FDoc;
    if (!d.Doc.LoadRtf(rtf, Font())) {
        d.Active = false;
        d.Rich = false;
        SetText(rtf);
        return;
    }
    d.Active = true;
    d.Rich = true;
    d.Text = PrepareText(d.Doc.Text());
    if (d.Text != FText) {
        SetText(d.Text);  // the document already holds it: nothing to follow
    } else {
        SetSelection(0, 0);
    }
    RefreshWidget();
    Invalidate();
}

void TRichEdit::LoadFromStream(TStream* stream) {
    String bytes;
    char buf[65536];
    for (;;) {
        const Int64 n = stream->Read(buf, sizeof buf);
        if (n <= 0) break;
        bytes.append(buf, static_cast<size_t>(n));
    }
    if (!PlainText)
        SetRtfText(bytes);
    else {
        FDoc->Active = false;
        FDoc->Rich = false;
        SetText(bytes);
    }
}

void TRichEdit::SaveToStream(TStream* stream) {
    const String out = PlainText ? FText : RtfText();
    stream->WriteBuffer(out.data(), static_cast<Int64>(out.size()));
}

// ---- drawing and measuring ------------------------------------------------------

int TRichEdit::FormatRange(TCanvas* canvas, const TRect& rect, int start, int end) {
    TDoc& d = Doc();
    const int total = GetTextLen();
    start = std::clamp(start, 0, total);
    end = end < 0 ? total : std::clamp(end, start, total);
    return d.Doc.FormatRange(canvas, rect, d.Text, start, end, Font()->Color());
}

TSize TRichEdit::FormattedExtent(int width) const { return Doc().Doc.Extent(width); }
