// The rich edit's formatted text: RTF from word processors, the clipboard
// and damaged sources; the round trip through writing; plain-text editing
// that keeps the formatting around it; drawing a range into a rectangle.
#include <gtest/gtest.h>

#include <vector>

#include "framework/classes/MemoryStream.h"
#include "framework/classes/Strings.h"
#include "framework/controls/ParaAttributes.h"
#include "framework/controls/RichEdit.h"
#include "framework/controls/TextAttributes.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/rtl/FileUtils.h"

namespace {

struct TAttrAt {
    int Pos;  // byte in the plain text
    const char* Face;
    int HalfPoints;
    TFontStyles Style;
    TColor Color;  // clDefault: none of its own
    TColor Back;
};

struct TRtfCase {
    const char* Name;
    String Rtf;  // a fixture file name when it ends in ".rtf"
    String Plain;
    std::vector<TAttrAt> Attrs;
};

String Source(const String& rtf) {
    if (rtf.size() > 4 && rtf.compare(rtf.size() - 4, 4, ".rtf") == 0)
        return ReadFileToString(String(VELMOR_FIXTURES "/rtf/") + rtf);
    return rtf;
}

void ExpectAttrs(TRichEdit& e, const std::vector<TAttrAt>& attrs, const char* where) {
    for (const TAttrAt& a : attrs) {
        e.SetSelStart(a.Pos);
        e.SetSelLength(1);
        TTextAttributes* t = e.SelAttributes();
        SCOPED_TRACE(String(where) + " at " + std::to_string(a.Pos));
        if (a.Face) {
            EXPECT_EQ(t->Name(), a.Face);
        }
        if (a.HalfPoints) {
            EXPECT_EQ(t->SizeHalfPoints(), a.HalfPoints);
        }
        EXPECT_EQ(t->Style(), a.Style);
        EXPECT_EQ(t->Color(), a.Color == clDefault ? e.Font()->Color() : a.Color);
        EXPECT_EQ(t->BackColor(), a.Back);
    }
}

class RtfFixtures : public ::testing::TestWithParam<TRtfCase> {};

TEST_P(RtfFixtures, LoadGivesTextAndFormattingAndWritingKeepsThem) {
    const TRtfCase& k = GetParam();
    TRichEdit e(nullptr);
    e.SetRtfText(Source(k.Rtf));
    EXPECT_EQ(e.Text(), k.Plain);
    ExpectAttrs(e, k.Attrs, "loaded");

    TRichEdit back(nullptr);
    back.SetRtfText(e.RtfText());
    EXPECT_EQ(back.Text(), k.Plain);
    ExpectAttrs(back, k.Attrs, "written and read again");
}

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kMaroon = 0x000080, kLinkBlue = 0xFF0000,
                 kGreen = 0x008000;

INSTANTIATE_TEST_SUITE_P(
    Sources, RtfFixtures,
    ::testing::Values(
        TRtfCase{"WordPad", "wordpad.rtf",
                 "Plain bold italic under gone\r\nCentered red\r\nIndented\tcode\r\nnext\r\nCaf\xC3\xA9 \xE2\x82\xAC "
                 "\xD0\x96 end",
                 {{0, "Calibri", 22, 0, clDefault, clNone},
                  {6, "Calibri", 22, fsBold, clDefault, clNone},
                  {11, nullptr, 22, fsItalic, clDefault, clNone},
                  {18, nullptr, 22, fsUnderline, clDefault, clNone},
                  {24, nullptr, 22, fsStrikeOut, clDefault, clNone},
                  {30, "Calibri", 32, 0, kRed, clNone},
                  {44, "Courier New", 22, 0, clDefault, clNone},
                  {65, "Calibri", 22, 0, clDefault, kBlue},
                  {71, "Calibri", 22, 0, clDefault, clNone}}},
        TRtfCase{"Word", "word.rtf",
                 "Quarterly Report\r\n\xC2\xB7\tSales rose by 12%\r\nexample.org\xE2\x80\x93" "done",
                 {{0, "Arial", 32, fsBold, clDefault, clNone},
                  {18, "Symbol", 24, 0, clDefault, clNone},
                  {35, "Times New Roman", 24, 0, kGreen, clNone},
                  {40, "Times New Roman", 24, fsUnderline, kLinkBlue, clNone}}},
        TRtfCase{"Clipboard", "clipboard.rtf",
                 "Price: low \xE6\x97\xA5\xE6\x9C\xAC\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82",
                 {{0, "Liberation Sans", 24, 0, clDefault, clNone},
                  {7, "Liberation Sans", 24, fsItalic, kMaroon, clNone},
                  {17, "Arial Cyr", 24, 0, clDefault, clNone}}},
        TRtfCase{"CodePage1251", "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\\f0 \\'cf\\'f0\\'e8\\b \\'e2\\'e5\\'f2}",
                 "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82", {{6, "Arial", 24, fsBold, clDefault, clNone}}},
        TRtfCase{"UnclosedGroups", "{\\rtf1 abc{\\b def", "abcdef", {{3, nullptr, 24, fsBold, clDefault, clNone}}},
        TRtfCase{"TextAfterTheEnd", "{\\rtf1 a}}}b}", "a", {}},
        TRtfCase{"BrokenHexEscapes", "{\\rtf1 x\\'zzy\\'4", "xzzy", {}},
        TRtfCase{"UnknownWordsAndDestinations",
                 "{\\rtf1 {\\*\\unknowndest secret}{\\unknownword\\xyz12 visible}\\par}", "visible", {}},
        TRtfCase{"BinaryData", "{\\rtf1 a\\bin3 {}}b}", "ab", {}},
        TRtfCase{"DeepNesting", "{\\rtf1 " + String(10000, '{') + "deep" + String(10000, '}') + "}", "deep", {}},
        TRtfCase{"UnicodeFallbacks", "{\\rtf1 \\u8364\\'80x{\\uc2 \\u26085 ab}\\u-3913?}",
                 "\xE2\x82\xAC" "x\xE6\x97\xA5\xEF\x82\xB7", {}},
        TRtfCase{"FaceNamesOutsideTheCodePage",
                 "{\\rtf1{\\fonttbl{\\f0\\fnil \\u24494?\\u36719?\\u38597?\\u40657? UI;}{\\f1 No\\~Break;}}\\f0 a\\f1 b}", "ab",
                 {{0, "\xE5\xBE\xAE\xE8\xBD\xAF\xE9\x9B\x85\xE9\xBB\x91 UI", 24, 0, clDefault, clNone},
                  {1, "No\xC2\xA0" "Break", 24, 0, clDefault, clNone}}},
        TRtfCase{"ControlCharactersAreNoText", "{\\rtf1 a\\u1?b\\'01c\\u9?d}", "abc\td", {}},
        TRtfCase{"HugeNumbers", "{\\rtf1 \\fs99999999999999 big\\cf7777777777 gone}", "biggone",
                 {{0, nullptr, 3276, 0, clDefault, clNone}}},
        TRtfCase{"NotRtfAtAll", "{\\b not rtf}", "{\\b not rtf}", {}},
        TRtfCase{"EmptyDocument", "{\\rtf1}", "", {}}),
    [](const ::testing::TestParamInfo<TRtfCase>& i) { return String(i.param.Name); });

TEST(RichEditParagraphs, AlignmentAndIndentsComeFromTheRtfAndGoBack) {
    TRichEdit e(nullptr);
    e.SetRtfText(Source("wordpad.rtf"));
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass ? "written and read again" : "loaded");
        e.SetSelStart(0);
        EXPECT_EQ(e.Paragraph()->Alignment(), taLeftJustify);
        e.SetSelStart(30);
        EXPECT_EQ(e.Paragraph()->Alignment(), taCenter);
        e.SetSelStart(44);
        EXPECT_EQ(e.Paragraph()->Alignment(), taLeftJustify);
        EXPECT_EQ(e.Paragraph()->LeftIndent(), 48);  // 720 twips
        EXPECT_EQ(e.Paragraph()->FirstIndent(), -24);
        EXPECT_EQ(e.Paragraph()->RightIndent(), 24);
        const String rtf = e.RtfText();
        e.SetRtfText(rtf);
    }
}

TEST(RichEditEditing, PlainEditsKeepTheFormattingAroundThem) {
    TRichEdit e(nullptr);
    e.SetRtfText("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 one \\b two\\b0  three}");
    e.SetSelStart(6);  // inside "two"
    e.SetSelText("XX");
    EXPECT_EQ(e.Text(), "one twXXo three");
    e.SetSelStart(6);
    e.SetSelLength(2);
    EXPECT_EQ(e.SelAttributes()->Style(), fsBold);
    e.Lines()->Add("four");
    EXPECT_EQ(e.Text(), "one twXXo three\r\nfour");
    e.SetSelStart(0);
    e.SetSelLength(3);
    e.SelAttributes()->SetColor(kRed);
    e.SelAttributes()->SetStyle(fsItalic | fsUnderline);
    TRichEdit back(nullptr);
    back.SetRtfText(e.RtfText());
    EXPECT_EQ(back.Text(), e.Text());
    back.SetSelStart(1);
    back.SetSelLength(1);
    EXPECT_EQ(back.SelAttributes()->Color(), kRed);
    EXPECT_EQ(back.SelAttributes()->Style(), fsItalic | fsUnderline);
    back.SetSelStart(4);
    back.SetSelLength(1);
    EXPECT_EQ(back.SelAttributes()->Style(), fsBold);
    EXPECT_EQ(back.SelAttributes()->Color(), back.Font()->Color());  // a colour was taken from "one" only
    // A colour can be taken away again.
    back.SetSelStart(0);
    back.SetSelLength(3);
    back.SelAttributes()->SetColor(clDefault);
    back.SetSelLength(1);
    EXPECT_EQ(back.SelAttributes()->Color(), back.Font()->Color());
}

TEST(RichEditStreams, PlainTextDecidesHowBytesAreRead) {
    const String rtf = "{\\rtf1 \\b x}";
    TMemoryStream in;
    in.WriteBuffer(rtf.data(), static_cast<Int64>(rtf.size()));
    TRichEdit plain(nullptr);
    in.SetPosition(0);
    plain.LoadFromStream(&in);
    EXPECT_EQ(plain.Text(), rtf);

    TRichEdit rich(nullptr);
    rich.PlainText = false;
    in.SetPosition(0);
    rich.LoadFromStream(&in);
    EXPECT_EQ(rich.Text(), "x");
    TMemoryStream out;
    rich.SaveToStream(&out);
    TRichEdit again(nullptr);
    again.PlainText = false;
    out.SetPosition(0);
    again.LoadFromStream(&out);
    again.SelectAll();
    EXPECT_EQ(again.Text(), "x");
    EXPECT_EQ(again.SelAttributes()->Style(), fsBold);
}

TEST(RichEditDrawing, FormatRangeDrawsWhatFitsAndSaysWhereItStopped) {
    TRichEdit e(nullptr);
    e.SetRtfText("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0\\fs20\\cf1 "
                 "first\\par second\\par third}");
    TBitmap bmp;
    bmp.SetSize(200, 100);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect(TRect{0, 0, 200, 100});
    const int line = e.FormattedExtent(0).cy / 3;
    ASSERT_GT(line, 5);
    // Room for two lines: the third starts the next range.
    const int next = e.FormatRange(bmp.Canvas(), TRect{10, 10, 190, 10 + 2 * line + 1});
    EXPECT_EQ(next, static_cast<int>(String("first\r\nsecond\r\n").size()));
    int red = 0, outside = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (bmp.Canvas()->Pixels(x, y) == kRed) {
                ++red;
                if (y < 10 || y >= 10 + 2 * line + 1 || x < 10) ++outside;
            }
    EXPECT_GT(red, 20);       // the text is drawn in its own colour
    EXPECT_EQ(outside, 0);    // and kept inside the rectangle
    EXPECT_EQ(e.FormatRange(bmp.Canvas(), TRect{10, 60, 190, 99}, next), e.GetTextLen());
}

TEST(RichEditDrawing, ExtentWrapsToTheWidthGiven) {
    TRichEdit e(nullptr);
    e.SetRtfText("{\\rtf1 a few words that wrap when the width is small}");
    const TSize natural = e.FormattedExtent(0);
    const TSize narrow = e.FormattedExtent(natural.cx / 3);
    EXPECT_GT(narrow.cy, natural.cy * 2);
    EXPECT_LE(narrow.cx, natural.cx / 3 + 1);
}

}  // namespace
