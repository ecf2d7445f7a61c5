#include "framework/controls/RichEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "framework/classes/Stream.h"
#include "framework/controls/ControlsInternal.h"
#include "framework/controls/qt/EditTextInternal.h"
#include "framework/controls/qt/QtConvert.h"
#include "framework/controls/ParaAttributes.h"
#include "framework/controls/RtfDocument.h"
#include "framework/controls/TextAttributes.h"
#include "framework/graphics/Canvas.h"

using namespace velmor_internal;

// The formatted text lives in a text document of the toolkit. It is made
// the first time formatting is asked for; until then the rich edit is the
// memo it inherits, and plain-text users pay nothing for it.
struct TRichEdit::TDoc {
    QTextDocument Doc;
    bool Active = false;  // the document follows the text
    bool Rich = false;    // formatting was given: the widget shows it
    String Text;          // the text the document holds, in the control's form
    bool HasInsertFormat = false;
    int InsertPos = -1;   // document position the insert format belongs to
    QTextCharFormat InsertFormat;
};

namespace {

constexpr qreal kTabStop = 48;  // half an inch at 96 pixels per inch

String DocumentText(const QTextDocument& doc) {
    String out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b != doc.begin()) out += "\r\n";
        QString t = b.text();
        t.replace(QChar(0x2028), QStringLiteral("\r\n"));
        out += t.toStdString();
    }
    return out;
}

int Utf8Lead(const String& s, size_t i) {
    // Steps back from i to the first byte of its character.
    while (i > 0 && i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) --i;
    return static_cast<int>(i);
}

TColor FromQColor(const QColor& c) { return static_cast<TColor>(c.red() | (c.green() << 8) | (c.blue() << 16)); }

void ApplyCharFormat(QTextCharFormat& f, int mask, const TCharFormat& v) {
    if (mask & cfmFace) SetRtfFace(f, v.Name);
    if (mask & cfmSize) SetRtfHalfPoints(f, v.HalfPoints);
    if (mask & cfmBold) f.setFontWeight((v.Style & fsBold) ? QFont::Bold : QFont::Normal);
    if (mask & cfmItalic) f.setFontItalic(v.Style & fsItalic);
    if (mask & cfmUnderline) f.setFontUnderline(v.Style & fsUnderline);
    if (mask & cfmStrikeOut) f.setFontStrikeOut(v.Style & fsStrikeOut);
    if (mask & cfmColor) {
        if (v.Color == clDefault || v.Color == clNone)
            f.clearForeground();
        else
            f.setForeground(ToQColor(v.Color));
    }
    if (mask & cfmBackColor) {
        if (v.BackColor == clNone || v.BackColor == clDefault)
            f.clearBackground();
        else
            f.setBackground(ToQColor(v.BackColor));
    }
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
    FDoc->Doc.setUndoRedoEnabled(false);
    FDoc->Doc.setDocumentMargin(0);
    QTextOption opt = FDoc->Doc.defaultTextOption();
    opt.setTabStopDistance(kTabStop);
    FDoc->Doc.setDefaultTextOption(opt);
}

TRichEdit::~TRichEdit() = default;

int TRichEdit::FindText(const String& searchStr, int startPos, int length, TSearchTypes options) const {
    return TCustomEdit::FindText(searchStr, startPos, length, (options & stMatchCase) != 0,
                                 (options & stWholeWord) != 0, true);
}

// ---- the document ---------------------------------------------------------------

namespace {
QTextCharFormat BaseFormat(TFont* font) {
    QTextCharFormat f;
    SetRtfFace(f, font->Name());
    SetRtfHalfPoints(f, font->Size() * 2);
    f.setFontWeight((font->Style() & fsBold) ? QFont::Bold : QFont::Normal);
    f.setFontItalic(font->Style() & fsItalic);
    f.setFontUnderline(font->Style() & fsUnderline);
    f.setFontStrikeOut(font->Style() & fsStrikeOut);
    f.setFontStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    f.setFontHintingPreference(QFont::PreferFullHinting);
    f.setFontKerning(false);
    return f;
}
}  // namespace

TRichEdit::TDoc& TRichEdit::Doc() const {
    TDoc& d = *FDoc;
    if (!d.Active) {
        d.Doc.clear();
        d.Doc.setDefaultFont(Font()->QtFont());
        QTextCursor c(&d.Doc);
        QString t = ToWidgetText(FText);
        c.setCharFormat(BaseFormat(Font()));
        if (!t.isEmpty()) c.insertText(t, BaseFormat(Font()));
        d.Text = FText;
        d.Active = true;
        d.HasInsertFormat = false;
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
    const int from = ToWidgetPos(old, static_cast<int>(pre));
    const int to = ToWidgetPos(old, static_cast<int>(old.size() - suf));
    const String inserted = text.substr(pre, text.size() - suf - pre);

    QTextCursor c(&d.Doc);
    c.setPosition(from);
    QTextCharFormat format = c.charFormat();
    if (d.HasInsertFormat && d.InsertPos == from) format = d.InsertFormat;
    if (d.Doc.isEmpty()) format = BaseFormat(Font());
    c.setPosition(to, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    if (!inserted.empty()) c.insertText(ToWidgetText(inserted), format);
    d.HasInsertFormat = false;
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
    auto* e = static_cast<QPlainTextEdit*>(FWidget);
    const QTextDocumentFragment all(&FDoc->Doc);
    e->document()->clear();
    QTextCursor c(e->document());
    c.insertFragment(all);
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
    TCharFormat out;
    QTextCharFormat f;
    if (!selection) {
        f = BaseFormat(Font());
    } else {
        TDoc& d = Doc();
        const int pos = ToWidgetPos(d.Text, FSelStart);
        QTextCursor c(&d.Doc);
        if (FSelLength == 0 && d.HasInsertFormat && d.InsertPos == pos) {
            f = d.InsertFormat;
        } else {
            c.setPosition(std::min(pos + (FSelLength > 0 ? 1 : 0), d.Doc.characterCount() - 1));
            f = d.Doc.isEmpty() ? BaseFormat(Font()) : c.charFormat();
        }
    }
    out.Name = RtfFace(f);
    out.HalfPoints = RtfHalfPoints(f);
    out.Style = (f.fontWeight() >= QFont::DemiBold ? fsBold : 0) | (f.fontItalic() ? fsItalic : 0) |
                (f.fontUnderline() ? fsUnderline : 0) | (f.fontStrikeOut() ? fsStrikeOut : 0);
    out.Color = selection && f.foreground().style() != Qt::NoBrush ? FromQColor(f.foreground().color())
                                                                    : Font()->Color();
    out.BackColor = f.background().style() != Qt::NoBrush ? FromQColor(f.background().color()) : clNone;
    return out;
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
    const int from = ToWidgetPos(d.Text, FSelStart);
    const int to = ToWidgetPos(d.Text, FSelStart + FSelLength);
    d.Rich = true;
    if (from == to) {
        QTextCursor c(&d.Doc);
        c.setPosition(from);
        QTextCharFormat f = d.HasInsertFormat && d.InsertPos == from ? d.InsertFormat
                            : d.Doc.isEmpty()                        ? BaseFormat(Font())
                                                                     : c.charFormat();
        ApplyCharFormat(f, mask, v);
        d.InsertFormat = f;
        d.InsertPos = from;
        d.HasInsertFormat = true;
        return;
    }
    // Fragment by fragment, so that a colour can also be taken away.
    struct TPiece {
        int Start, End;
        QTextCharFormat Format;
    };
    std::vector<TPiece> pieces;
    for (QTextBlock b = d.Doc.findBlock(from); b.isValid() && b.position() < to; b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            const int s = std::max(from, frag.position()), e = std::min(to, frag.position() + frag.length());
            if (s < e) pieces.push_back({s, e, frag.charFormat()});
        }
    for (TPiece& p : pieces) {
        ApplyCharFormat(p.Format, mask, v);
        QTextCursor c(&d.Doc);
        c.setPosition(p.Start);
        c.setPosition(p.End, QTextCursor::KeepAnchor);
        c.setCharFormat(p.Format);
    }
    RefreshWidget();
}

TParaFormat TRichEdit::GetParaFormat() const {
    TDoc& d = Doc();
    const QTextBlockFormat b = d.Doc.findBlock(ToWidgetPos(d.Text, FSelStart)).blockFormat();
    TParaFormat out;
    const Qt::Alignment a = b.alignment() & Qt::AlignHorizontal_Mask;
    out.Alignment = (a & Qt::AlignRight) ? taRightJustify : (a & Qt::AlignHCenter) ? taCenter : taLeftJustify;
    out.LeftIndent = static_cast<int>(std::lround(b.leftMargin()));
    out.FirstIndent = static_cast<int>(std::lround(b.textIndent()));
    out.RightIndent = static_cast<int>(std::lround(b.rightMargin()));
    return out;
}

void TRichEdit::SetParaFormat(int mask, const TParaFormat& v) {
    TDoc& d = Doc();
    d.Rich = true;
    const int from = ToWidgetPos(d.Text, FSelStart);
    const int to = ToWidgetPos(d.Text, FSelStart + FSelLength);
    for (QTextBlock b = d.Doc.findBlock(from); b.isValid() && (b.position() <= to); b = b.next()) {
        QTextBlockFormat f = b.blockFormat();
        if (mask & pfmAlignment)
            f.setAlignment(v.Alignment == taRightJustify ? Qt::AlignRight
                           : v.Alignment == taCenter     ? Qt::AlignHCenter
                                                         : Qt::AlignLeft);
        if (mask & pfmLeftIndent) f.setLeftMargin(std::max(0, v.LeftIndent));
        if (mask & pfmFirstIndent) f.setTextIndent(v.FirstIndent);
        if (mask & pfmRightIndent) f.setRightMargin(std::max(0, v.RightIndent));
        QTextCursor c(b);
        c.setBlockFormat(f);
        if (b.position() + b.length() > to) break;
    }
    RefreshWidget();
}

// ---- RTF and streams ------------------------------------------------------------

String TRichEdit::RtfText() const { return WriteRtf(Doc().Doc); }

void TRichEdit::SetRtfText(const String& rtf) {
    TDoc& d = *FDoc;
    d.Doc.setDefaultFont(Font()->QtFont());
    if (!ReadRtf(rtf, d.Doc, BaseFormat(Font()))) {
        d.Active = false;
        d.Rich = false;
        SetText(rtf);
        return;
    }
    d.Active = true;
    d.Rich = true;
    d.HasInsertFormat = false;
    d.Text = PrepareText(DocumentText(d.Doc));
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
    const int docStart = ToWidgetPos(d.Text, start), docEnd = ToWidgetPos(d.Text, end);
    std::unique_ptr<QTextDocument> part(d.Doc.clone());
    part->setUndoRedoEnabled(false);
    part->setDocumentMargin(0);
    {
        QTextCursor c(part.get());
        c.setPosition(docEnd);
        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        c.removeSelectedText();
        c.setPosition(0);
        c.setPosition(docStart, QTextCursor::KeepAnchor);
        c.removeSelectedText();
    }
    const int w = std::max(1, rect.Width()), h = std::max(0, rect.Height());
    part->setTextWidth(w);
    QAbstractTextDocumentLayout* layout = part->documentLayout();
    // The first line that does not fit whole ends the range drawn.
    int firstOut = -1;
    qreal cut = h;
    for (QTextBlock b = part->begin(); b.isValid() && firstOut < 0; b = b.next()) {
        const QRectF br = layout->blockBoundingRect(b);
        QTextLayout* tl = b.layout();
        for (int i = 0; tl && i < tl->lineCount(); ++i) {
            const QTextLine line = tl->lineAt(i);
            const qreal bottom = br.top() + line.y() + line.height();
            if (bottom > h + 0.5) {
                firstOut = b.position() + line.textStart();
                cut = br.top() + line.y();
                break;
            }
        }
    }
    if (QPainter* p = canvas->Painter()) {
        p->save();
        p->setClipRect(QRect(rect.Left, rect.Top, w, h), Qt::IntersectClip);
        p->translate(rect.Left, rect.Top);
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.palette.setColor(QPalette::Text, ToQColor(Font()->Color()));
        ctx.clip = QRectF(0, 0, w, cut);
        p->setClipRect(QRectF(0, 0, w, cut), Qt::IntersectClip);
        layout->draw(p, ctx);
        p->restore();
    }
    if (firstOut < 0) return end;
    // Back to the control's positions, counted from the start of the text.
    const QString before = ToWidgetText(d.Text).left(docStart + firstOut);
    return static_cast<int>(FromWidgetText(before, true).size());
}

TSize TRichEdit::FormattedExtent(int width) const {
    TDoc& d = Doc();
    d.Doc.setTextWidth(width > 0 ? width : -1);
    const QSizeF s = width > 0 ? d.Doc.size() : QSizeF(d.Doc.idealWidth(), d.Doc.size().height());
    d.Doc.setTextWidth(-1);
    return TSize{static_cast<int>(std::ceil(s.width())), static_cast<int>(std::ceil(s.height()))};
}
