#include "framework/controls/qt/WsRichText.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFragment>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/controls/ParaAttributes.h"
#include "framework/controls/RtfDocument.h"
#include "framework/controls/qt/EditTextInternal.h"
#include "framework/controls/qt/QtConvert.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"

using namespace velmor_internal;

namespace {

constexpr qreal kTabStop = 48;  // half an inch at 96 pixels per inch

// ---- formats ---------------------------------------------------------------------

// Properties of the character formats beyond the toolkit's own: the size
// in half points as written (the layout uses pixels at 96 per inch) and
// the face name as written (the layout uses an installed look-alike).
constexpr int kRtfHalfPoints = 0x100000 + 1;
constexpr int kRtfFaceName = 0x100000 + 2;

// Sets face name and size (half points) on a format, layout included.
void SetRtfFace(QTextCharFormat& f, const std::string& face) {
    f.setProperty(kRtfFaceName, QString::fromStdString(face));
    TFont font;
    font.SetName(face);
    f.setFontFamilies(font.QtFont().families());
}

void SetRtfHalfPoints(QTextCharFormat& f, int halfPoints) {
    halfPoints = std::clamp(halfPoints, 2, 3276);
    f.setProperty(kRtfHalfPoints, halfPoints);
    // Points at 96 pixels per inch, as the framework's fonts are sized.
    f.setProperty(QTextFormat::FontPixelSize, std::max(1, (halfPoints * 96 + 72) / 144));
}

std::string RtfFace(const QTextCharFormat& f) {
    if (f.hasProperty(kRtfFaceName)) return f.stringProperty(kRtfFaceName).toStdString();
    const QStringList families = f.fontFamilies().toStringList();
    return families.isEmpty() ? std::string("MS Sans Serif") : families.first().toStdString();
}

int RtfHalfPoints(const QTextCharFormat& f) {
    if (f.hasProperty(kRtfHalfPoints)) return f.intProperty(kRtfHalfPoints);
    if (f.hasProperty(QTextFormat::FontPixelSize)) return (f.intProperty(QTextFormat::FontPixelSize) * 144 + 48) / 96;
    return 16;
}

// ---- RTF in and out of the document ----------------------------------------------

TColor FromQColor(const QColor& c);

// What the RTF reader reads goes into the document, over `base`.
class TDocumentSink : public TRtfSink {
public:
    TDocumentSink(QTextDocument& doc, const QTextCharFormat& base) : Doc(doc), Base(base), Cursor(&doc) {}

    void Clear() override {
        Doc.clear();
        Cursor = QTextCursor(&Doc);
        Cursor.setBlockFormat(QTextBlockFormat());
    }
    void InsertText(const std::u16string& text, const TRtfCharFormat& format) override {
        Cursor.insertText(QString::fromStdU16String(text), Format(format));
    }
    void FormatParagraph(const TRtfParaFormat& p) override {
        QTextBlockFormat b;
        b.setAlignment(p.Align == TRtfAlign::Right    ? Qt::AlignRight
                       : p.Align == TRtfAlign::Center  ? Qt::AlignHCenter
                       : p.Align == TRtfAlign::Justify ? Qt::AlignJustify
                                                       : Qt::AlignLeft);
        // Twips to pixels at 96 per inch.
        b.setLeftMargin(std::max(0, p.Left) / 15.0);
        b.setRightMargin(std::max(0, p.Right) / 15.0);
        b.setTextIndent(p.First / 15.0);
        Cursor.setBlockFormat(b);
    }
    void NewParagraph(const TRtfCharFormat& format) override { Cursor.insertBlock(QTextBlockFormat(), Format(format)); }
    void DropEmptyLastParagraph() override {
        if (Doc.blockCount() > 1 && Doc.lastBlock().length() <= 1) {
            QTextCursor c(&Doc);
            c.movePosition(QTextCursor::End);
            const QTextBlockFormat keep = Doc.lastBlock().previous().blockFormat();
            c.deletePreviousChar();
            c.setBlockFormat(keep);
        }
    }

private:
    QTextCharFormat Format(const TRtfCharFormat& r) const {
        QTextCharFormat f = Base;
        if (!r.Face.empty()) SetRtfFace(f, r.Face);
        SetRtfHalfPoints(f, r.HalfPoints);
        f.setFontWeight(r.Bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(r.Italic);
        f.setFontUnderline(r.Underline);
        f.setFontStrikeOut(r.Strike);
        if (r.HasFore)
            f.setForeground(QColor(GetRValue(r.Fore), GetGValue(r.Fore), GetBValue(r.Fore)));
        else
            f.clearForeground();
        if (r.HasBack)
            f.setBackground(QColor(GetRValue(r.Back), GetGValue(r.Back), GetBValue(r.Back)));
        else
            f.clearBackground();
        return f;
    }

    QTextDocument& Doc;
    QTextCharFormat Base;
    QTextCursor Cursor;
};

// The document as the RTF writer takes it.
std::vector<TRtfParagraph> Paragraphs(const QTextDocument& doc) {
    std::vector<TRtfParagraph> out;
    const auto twips = [](qreal px) { return static_cast<int>(std::lround(px * 15)); };
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        TRtfParagraph& para = out.emplace_back();
        const QTextBlockFormat bf = block.blockFormat();
        const Qt::Alignment a = bf.alignment() & Qt::AlignHorizontal_Mask;
        para.Format.Align = (a & Qt::AlignRight)     ? TRtfAlign::Right
                            : (a & Qt::AlignHCenter) ? TRtfAlign::Center
                            : (a & Qt::AlignJustify) ? TRtfAlign::Justify
                                                     : TRtfAlign::Left;
        para.Format.Left = twips(bf.leftMargin());
        para.Format.Right = twips(bf.rightMargin());
        para.Format.First = twips(bf.textIndent());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid()) continue;
            const QTextCharFormat f = frag.charFormat();
            TRtfRun& run = para.Runs.emplace_back();
            run.Text = frag.text().toStdU16String();
            run.Format.Face = RtfFace(f);
            run.Format.HalfPoints = RtfHalfPoints(f);
            run.Format.Bold = f.fontWeight() >= QFont::DemiBold;
            run.Format.Italic = f.fontItalic();
            run.Format.Underline = f.fontUnderline();
            run.Format.Strike = f.fontStrikeOut();
            run.Format.HasFore = f.foreground().style() != Qt::NoBrush;
            if (run.Format.HasFore) run.Format.Fore = FromQColor(f.foreground().color());
            run.Format.HasBack = f.background().style() != Qt::NoBrush;
            if (run.Format.HasBack) run.Format.Back = FromQColor(f.background().color());
        }
    }
    return out;
}

TColor FromQColor(const QColor& c) { return static_cast<TColor>(c.red() | (c.green() << 8) | (c.blue() << 16)); }

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

// `ownColor`: a colour the format sets is reported; otherwise the font's.
TCharFormat FromFormat(const QTextCharFormat& f, bool ownColor, TFont* font) {
    TCharFormat out;
    out.Name = RtfFace(f);
    out.HalfPoints = RtfHalfPoints(f);
    out.Style = (f.fontWeight() >= QFont::DemiBold ? fsBold : 0) | (f.fontItalic() ? fsItalic : 0) |
                (f.fontUnderline() ? fsUnderline : 0) | (f.fontStrikeOut() ? fsStrikeOut : 0);
    out.Color = ownColor && f.foreground().style() != Qt::NoBrush ? FromQColor(f.foreground().color()) : font->Color();
    out.BackColor = f.background().style() != Qt::NoBrush ? FromQColor(f.background().color()) : clNone;
    return out;
}

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

namespace velmor_ws {

TCharFormat FontCharFormat(TFont* font) { return FromFormat(BaseFormat(font), false, font); }

struct TRichDocument::TImpl {
    QTextDocument Doc;
    bool HasInsertFormat = false;
    int InsertPos = -1;  // document position the insert format belongs to
    QTextCharFormat InsertFormat;
};

TRichDocument::TRichDocument() : F(new TImpl) {
    F->Doc.setUndoRedoEnabled(false);
    F->Doc.setDocumentMargin(0);
    QTextOption opt = F->Doc.defaultTextOption();
    opt.setTabStopDistance(kTabStop);
    F->Doc.setDefaultTextOption(opt);
}

TRichDocument::~TRichDocument() = default;

void TRichDocument::SetPlainText(const String& text, TFont* font) {
    F->Doc.clear();
    F->Doc.setDefaultFont(font->QtFont());
    QTextCursor c(&F->Doc);
    QString t = ToWidgetText(text);
    c.setCharFormat(BaseFormat(font));
    if (!t.isEmpty()) c.insertText(t, BaseFormat(font));
    F->HasInsertFormat = false;
}

void TRichDocument::Replace(const String& old, int from, int to, const String& inserted, TFont* font) {
    const int docFrom = ToWidgetPos(old, from);
    const int docTo = ToWidgetPos(old, to);
    QTextCursor c(&F->Doc);
    c.setPosition(docFrom);
    QTextCharFormat format = c.charFormat();
    if (F->HasInsertFormat && F->InsertPos == docFrom) format = F->InsertFormat;
    if (F->Doc.isEmpty()) format = BaseFormat(font);
    c.setPosition(docTo, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    if (!inserted.empty()) c.insertText(ToWidgetText(inserted), format);
    F->HasInsertFormat = false;
}

String TRichDocument::Text() const {
    String out;
    for (QTextBlock b = F->Doc.begin(); b.isValid(); b = b.next()) {
        if (b != F->Doc.begin()) out += "\r\n";
        QString t = b.text();
        t.replace(QChar(0x2028), QStringLiteral("\r\n"));
        out += t.toStdString();
    }
    return out;
}

TCharFormat TRichDocument::CharFormat(const String& text, int start, int length, TFont* font) const {
    const int pos = ToWidgetPos(text, start);
    QTextCharFormat f;
    if (length == 0 && F->HasInsertFormat && F->InsertPos == pos) {
        f = F->InsertFormat;
    } else {
        QTextCursor c(&F->Doc);
        c.setPosition(std::min(pos + (length > 0 ? 1 : 0), F->Doc.characterCount() - 1));
        f = F->Doc.isEmpty() ? BaseFormat(font) : c.charFormat();
    }
    return FromFormat(f, true, font);
}

bool TRichDocument::SetCharFormat(const String& text, int start, int length, int mask, const TCharFormat& v,
                                  TFont* font) {
    const int from = ToWidgetPos(text, start);
    const int to = ToWidgetPos(text, start + length);
    if (from == to) {
        QTextCursor c(&F->Doc);
        c.setPosition(from);
        QTextCharFormat f = F->HasInsertFormat && F->InsertPos == from ? F->InsertFormat
                            : F->Doc.isEmpty()                         ? BaseFormat(font)
                                                                       : c.charFormat();
        ApplyCharFormat(f, mask, v);
        F->InsertFormat = f;
        F->InsertPos = from;
        F->HasInsertFormat = true;
        return false;
    }
    // Fragment by fragment, so that a colour can also be taken away.
    struct TRun {
        int Start, End;
        QTextCharFormat Format;
    };
    std::vector<TRun> runs;
    for (QTextBlock b = F->Doc.findBlock(from); b.isValid() && b.position() < to; b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            const int s = std::max(from, frag.position()), e = std::min(to, frag.position() + frag.length());
            if (s < e) runs.push_back({s, e, frag.charFormat()});
        }
    for (TRun& r : runs) {
        ApplyCharFormat(r.Format, mask, v);
        QTextCursor c(&F->Doc);
        c.setPosition(r.Start);
        c.setPosition(r.End, QTextCursor::KeepAnchor);
        c.setCharFormat(r.Format);
    }
    return true;
}

TParaFormat TRichDocument::ParaFormat(const String& text, int start) const {
    const QTextBlockFormat b = F->Doc.findBlock(ToWidgetPos(text, start)).blockFormat();
    TParaFormat out;
    const Qt::Alignment a = b.alignment() & Qt::AlignHorizontal_Mask;
    out.Alignment = (a & Qt::AlignRight) ? taRightJustify : (a & Qt::AlignHCenter) ? taCenter : taLeftJustify;
    out.LeftIndent = static_cast<int>(std::lround(b.leftMargin()));
    out.FirstIndent = static_cast<int>(std::lround(b.textIndent()));
    out.RightIndent = static_cast<int>(std::lround(b.rightMargin()));
    return out;
}

void TRichDocument::SetParaFormat(const String& text, int start, int length, int mask, const TParaFormat& v) {
    const int from = ToWidgetPos(text, start);
    const int to = ToWidgetPos(text, start + length);
    for (QTextBlock b = F->Doc.findBlock(from); b.isValid() && (b.position() <= to); b = b.next()) {
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
}

String TRichDocument::Rtf() const { return WriteRtf(Paragraphs(F->Doc)); }

bool TRichDocument::LoadRtf(const String& rtf, TFont* font) {
    F->Doc.setDefaultFont(font->QtFont());
    TDocumentSink sink(F->Doc, BaseFormat(font));
    if (!ReadRtf(rtf, sink)) return false;
    F->HasInsertFormat = false;
    return true;
}

void TRichDocument::ShowIn(QWidget* memo) const {
    auto* e = static_cast<QPlainTextEdit*>(memo);
    const QTextDocumentFragment all(&F->Doc);
    e->document()->clear();
    QTextCursor c(e->document());
    c.insertFragment(all);
}

int TRichDocument::FormatRange(TCanvas* canvas, const TRect& rect, const String& text, int start, int end,
                               TColor textColor) const {
    const int docStart = ToWidgetPos(text, start), docEnd = ToWidgetPos(text, end);
    std::unique_ptr<QTextDocument> part(F->Doc.clone());
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
        ctx.palette.setColor(QPalette::Text, ToQColor(textColor));
        ctx.clip = QRectF(0, 0, w, cut);
        p->setClipRect(QRectF(0, 0, w, cut), Qt::IntersectClip);
        layout->draw(p, ctx);
        p->restore();
    }
    if (firstOut < 0) return end;
    // Back to the control's positions, counted from the start of the text.
    const QString before = ToWidgetText(text).left(docStart + firstOut);
    return static_cast<int>(FromWidgetText(before, true).size());
}

TSize TRichDocument::Extent(int width) const {
    F->Doc.setTextWidth(width > 0 ? width : -1);
    const QSizeF s = width > 0 ? F->Doc.size() : QSizeF(F->Doc.idealWidth(), F->Doc.size().height());
    F->Doc.setTextWidth(-1);
    return TSize{static_cast<int>(std::ceil(s.width())), static_cast<int>(std::ceil(s.height()))};
}

}  // namespace velmor_ws
