// Heads as real sites write them: each page is given new values, and the
// head must come out in the expected bytes, read back with the same values
// by the program and by an independent reader that decodes the page in its
// real encoding, stay well-formed XML when it was, and not change again
// when the same values are written once more.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "EngineTestUtil.h"
#include "composer/engine/TagReader.h"

namespace {

using namespace std::string_literals;

struct HeadCase {
    const char* name;
    std::string page;  // a body follows
    const char* title;
    const char* description;
    const char* keywords;
    bool xhtmlSetting;
    std::string expected;  // the page after the write, up to where the body follows
    // The page's real encoding, as Python names it; a page that declares
    // none may be in any.
    const char* encoding = "utf-8";
};

const char* kBody = "\n<body><p>Text &amp; <b>more</b></p></body></html>\n";

// Values that hold everything that could end a tag or a title early.
const char* kTitle = "Vers\xC3\xA3o <1> & \"2\"";
const char* kDescription = "Say \"hi\" & <b> \xE2\x80\x94 done";

// New text for legacy pages, and the same as numeric references.
const char* kCyrillic =
    "\xD0\x9D\xD0\xBE\xD0\xB2\xD0\xBE\xD1\x81\xD1\x82\xD0\xB8 \xE2\x80\x94 "
    "\xD1\x81\xD0\xB5\xD0\xB3\xD0\xBE\xD0\xB4\xD0\xBD\xD1\x8F";
const char* kCyrillicReferences =
    "&#1053;&#1086;&#1074;&#1086;&#1089;&#1090;&#1080; &#8212; &#1089;&#1077;&#1075;&#1086;&#1076;&#1085;&#1103;";
const char* kJapanese =
    "\xE6\x96\xB0\xE3\x81\x97\xE3\x81\x84 \xE2\x80\x94 \xE3\x83\x8B\xE3\x83\xA5\xE3\x83\xBC\xE3\x82\xB9";
const char* kJapaneseReferences = "&#26032;&#12375;&#12356; &#8212; &#12491;&#12517;&#12540;&#12473;";
const char* kChinese = "\xE6\x96\xB0\xE8\x81\x9E \xE2\x80\x94 \xE4\xBB\x8A\xE5\xA4\xA9";
const char* kChineseReferences = "&#26032;&#32862; &#8212; &#20170;&#22825;";
const char* kGreek = "\xCE\x9D\xCE\xAD\xCE\xB1 \xE2\x80\x94 \xCF\x83\xCE\xAE\xCE\xBC\xCE\xB5\xCF\x81\xCE\xB1";
const char* kGreekReferences = "&#925;&#941;&#945; &#8212; &#963;&#942;&#956;&#949;&#961;&#945;";

// A legacy page that declares nothing, its title and description in its
// own bytes: the new title and keywords are written as references, the
// description nobody changed keeps its bytes.
HeadCase Undeclared(const char* name, const char* encoding, const std::string& title, const std::string& description,
                    const char* text, const std::string& references) {
    const std::string old = "<meta name=\"description\" content=\"" + description + "\">";
    return {name, "<html><head><title>" + title + "</title>\n" + old + "</head>", text, "", text, false,
            "<html>\n<head>\n<title>" + references + "</title>\n" + old + "\n<meta name=\"keywords\" content=\"" +
                references + "\">\n</head>",
            encoding};
}

const HeadCase kCases[] = {
    {"QuoteStylesAndAttributeOrder",
     "<html><head><title>T</title>\n<META CONTENT='old d' NAME=Description>\n"
     "<meta content=old name=\"keywords\" lang=en>\n</head>",
     kTitle, kDescription, "a, b", false,
     "<html>\n<head>\n<title>Vers&#227;o &lt;1&gt; &amp; \"2\"</title>\n"
     "<meta name=\"description\" content=\"Say &quot;hi&quot; &amp; &lt;b&gt; &#8212; done\">\n"
     "<meta name=\"keywords\" content=\"a, b\">\n</head>"},
    {"TagOverSeveralLinesWithOtherAttributesBetween",
     "<html><head><title>T</title>\r\n<meta\r\n  name=\"keywords\"\r\n  scheme=\"x\" id=k\r\n  content=\"old\"\r\n/>"
     "\r\n</head>",
     "T", "", "new", false,
     "<html>\r\n<head>\r\n<title>T</title>\r\n<meta name=\"keywords\" content=\"new\"/>\r\n</head>"},
    {"ConditionalCommentsAndScriptTextStayPut",
     "<html><head><title>T</title>\n<!--[if lt IE 9]>\n<meta name=\"keywords\" content=\"ie\">\n"
     "<script src=\"h.js\"></script>\n<![endif]-->\n"
     "<script>document.write('<meta name=\"keywords\" content=\"js\"></head><body>');</script>\n</head>",
     "T", "", "k", false,
     "<html>\n<head>\n<title>T</title>\n<meta name=\"keywords\" content=\"k\">\n"
     "<!--[if lt IE 9]>\n<meta name=\"keywords\" content=\"ie\">\n<script src=\"h.js\"></script>\n<![endif]-->\n"
     "<script>document.write('<meta name=\"keywords\" content=\"js\"></head><body>');</script>\n</head>"},
    {"XhtmlPageGetsSelfClosingTagsAndKeepsExistingEndings",
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
     "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\n<html xmlns=\"http://www.w3.org/1999/xhtml\">"
     "<head><title>T</title><meta name=\"description\" content=\"old\"></meta></head>",
     "T", "d & e", "k", false,
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
     "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\n<html xmlns=\"http://www.w3.org/1999/xhtml\">\n"
     "<head>\n<title>T</title>\n<meta name=\"description\" content=\"d &amp; e\"></meta>\n"
     "<meta name=\"keywords\" content=\"k\"/>\n</head>"},
    {"Windows1252PageGetsItsOwnBytes",
     "<html><head><meta charset=windows-1252><title>Old</title></head>",
     "\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D", "", "", false,
     "<html>\n<head>\n<title>\x80 \x93q\x94</title>\n<meta charset=windows-1252>\n</head>", "cp1252"},
    {"Iso88591PageGetsItsOwnBytesAndReferencesBeyond",
     "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\">"
     "<title>Vers\xE3o</title></head>",
     "Vers\xC3\xA3o", "\xE2\x82\xAC 5 \xE2\x98\xBA", "", false,
     "<html>\n<head>\n<title>Vers\xE3o</title>\n"
     "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\">\n"
     "<meta name=\"description\" content=\"&#8364; 5 &#9786;\">\n</head>", "cp1252"},
    {"Utf8PageGetsUtf8",
     "<html><head><meta charset=utf-8><title>Old</title></head>",
     kTitle, "", "", false,
     "<html>\n<head>\n<title>Vers\xC3\xA3o &lt;1&gt; &amp; \"2\"</title>\n<meta charset=utf-8>\n</head>"},
    // An undeclared page that is no UTF-8 may be in any legacy encoding:
    // new text beyond ASCII is written as references, which all read alike.
    {"UndeclaredLatinPageGetsReferences",
     "<html><head><title>Jan Pokorn\xFD</title></head>",
     "Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x94", "", "", false,
     "<html>\n<head>\n<title>Caf&#233; &#8364; &#8212;</title>\n</head>", "cp1250"},
    {"UndeclaredAsciiPageGetsReferences",
     "<html><head><title>Old</title></head>",
     "L\xC3\xADnguas", "", "", false,
     "<html>\n<head>\n<title>L&#237;nguas</title>\n</head>"},
    {"UnchangedValuesKeepTheirBytes",
     "<html>\r\n<head>\r\n<title>Caf&eacute; &amp; bar</title>\r\n"
     "<meta name=\"description\" content=\"Caf&#233; &amp; bar\">\r\n</head>",
     "Caf\xC3\xA9 & bar", "Caf\xC3\xA9 & bar", "", false,
     "<html>\r\n<head>\r\n<title>Caf&eacute; &amp; bar</title>\r\n"
     "<meta name=\"description\" content=\"Caf&#233; &amp; bar\">\r\n</head>"},
    {"HeadProfileAndTitleAttributes",
     "<html><head profile=\"http://gmpg.org/xfn/11\"><title lang=\"en\">Old</title></head>",
     "New", "", "", true,
     "<html>\n<head profile=\"http://gmpg.org/xfn/11\">\n<title lang=\"en\">New</title>\n</head>"},
    {"DuplicateTagsOnlyTheFirstIsReplacedNoneAdded",
     "<html><head><title>T</title><meta name=\"keywords\" content=\"one\"><META name=KEYWORDS content=two>"
     "</head>",
     "T", "", "new", true,
     "<html>\n<head>\n<title>T</title>\n<meta name=\"keywords\" content=\"new\"/>\n"
     "<META name=KEYWORDS content=two>\n</head>"},
    // Polyglot pages: HTML5, void tags self-closed, well-formed XML without
    // an XML declaration. New and replaced tags close the same way.
    {"PolyglotPageKeepsClosingItsTags",
     "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"/><title>Old</title>"
     "<meta name=\"description\" content=\"old\"/>\n<link rel=\"stylesheet\" href=\"s.css\"/></head>",
     kTitle, kDescription, "a, b", false,
     "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<title>Vers\xC3\xA3o &lt;1&gt; &amp; \"2\"</title>\n"
     "<meta charset=\"utf-8\"/>\n"
     "<meta name=\"description\" content=\"Say &quot;hi&quot; &amp; &lt;b&gt; \xE2\x80\x94 done\"/>\n"
     "<meta name=\"keywords\" content=\"a, b\"/>\n<link rel=\"stylesheet\" href=\"s.css\"/>\n</head>"},
    {"PolyglotPageWithOnlyALinkClosed",
     "<!DOCTYPE html>\r\n<html><head><title>T</title><link rel=\"icon\" href=\"f.ico\" /></head>",
     "T", "", "k", false,
     "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<title>T</title>\r\n<meta name=\"keywords\" content=\"k\"/>\r\n"
     "<link rel=\"icon\" href=\"f.ico\" />\r\n</head>"},
    Undeclared("UndeclaredKoi8r", "koi8_r", "\xF3\xD4\xC1\xD2\xC1\xD1", "\xF3\xD4\xD2\xC1\xCE\xC9\xC3\xC1", kCyrillic,
               kCyrillicReferences),
    Undeclared("UndeclaredWindows1251", "cp1251", "\xD1\xF2\xE0\xF0\xE0\xFF", "\xF1\xF2\xF0\xE0\xED\xE8\xF6\xE0",
               kCyrillic, kCyrillicReferences),
    Undeclared("UndeclaredShiftJis", "shift_jis", "\x8C\xC3\x82\xA2", "\x83y\x81[\x83W", kJapanese,
               kJapaneseReferences),
    Undeclared("UndeclaredEucJp", "euc_jp", "\xB8\xC5\xA4\xA4", "\xA5\xDA\xA1\xBC\xA5\xB8", kJapanese,
               kJapaneseReferences),
    Undeclared("UndeclaredBig5", "big5", "\xC2\xC2\xAA\xBA", "\xBA\xF4\xAD\xB6", kChinese, kChineseReferences),
    Undeclared("UndeclaredIso88597", "iso8859_7", "\xD0\xE1\xEB\xE9\xDC", "\xF3\xE5\xEB\xDF\xE4\xE1", kGreek,
               kGreekReferences),
    // Shift_JIS's "\x81\x5C" and "\x81\x60" read back as other dashes and
    // tildes than the ones written: those become references.
    {"DeclaredShiftJisDashAndWaveDash",
     "<html><head><meta charset=\"shift_jis\"><title>\x8C\xC3\x82\xA2</title></head>",
     "\xE6\x97\xA5\xE6\x9C\xAC \xE2\x80\x94 \xE3\x80\x9C", "", "", false,
     "<html>\n<head>\n<title>\x93\xFA\x96{ &#8212; &#12316;</title>\n<meta charset=\"shift_jis\">\n</head>",
     "shift_jis"},
    // gb2312 is read as browsers read it and written as GBK, without the
    // four-byte sequences of GB18030.
    {"Gb2312PageGetsNoFourByteSequences",
     "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\"><title>T</title></head>",
     "\xE4\xB8\xAD\xE6\x96\x87 \xF0\xA0\xAE\xB7 \xF0\x9F\x98\x80", "", "", false,
     "<html>\n<head>\n<title>\xD6\xD0\xCE\xC4 &#134071; &#128512;</title>\n"
     "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">\n</head>", "gbk"},
    // A title and META tags before "<head>" are in the head as browsers read
    // it: they are replaced, never doubled.
    {"HeadTagsBeforeTheHeadTag",
     "<html>\n<title>Old</title>\n<meta name=\"description\" content=\"old\">\n<head>\n"
     "<meta name=\"keywords\" content=\"old\">\n</head>",
     "New", "d", "k", false,
     "<html>\n<head>\n<title>New</title>\n<meta name=\"description\" content=\"d\">\n"
     "<meta name=\"keywords\" content=\"k\">\n</head>"},
    // Whatever stands between the head and the body stays as it was.
    {"EndOfHtmlAndMarkupBeforeTheBody",
     "<html><head><title>T</title></head></html>\n<div id=\"top\"><!-- <body> --></div>",
     "New", "", "k", false,
     "<html>\n<head>\n<title>New</title>\n<meta name=\"keywords\" content=\"k\">\n</head></html>\n"
     "<div id=\"top\"><!-- <body> --></div>"},
    // Bytes the engine has no use for stay as they were.
    {"NulAndControlBytesInTheHead",
     "<html><head>\0\n<title>T</title>\x01<meta name=\"robots\" content=\"a\x02b\">\x7F\x1B\n</head>"s,
     "New", "", "", false,
     "<html>\n<head>\n<title>New</title>\n<meta name=\"robots\" content=\"a\x02b\">\n\0\n\x01\n\x7F\x1B\n</head>"s},
};

class RealWorldHead : public ::testing::TestWithParam<HeadCase> {};

}  // namespace

TEST_P(RealWorldHead, WritesTheExpectedHeadAndReadsItBack) {
    const HeadCase& c = GetParam();
    TTempDir dir;
    const std::string path = dir.File("page.html");
    const std::string page = c.page + kBody;
    WriteAll(path, page);
    TMetaFields f;
    f.Title = c.title;
    f.Description = c.description;
    f.Keywords = c.keywords;
    TTagSettings settings;
    settings.usexhtml = c.xhtmlSetting ? "1" : "0";
    ASSERT_TRUE(enginetest::WritesFields(path, f, settings));
    const std::string written = ReadAll(path);
    EXPECT_EQ(written, c.expected + kBody);
    if (enginetest::WellFormedXml(page)) {
        EXPECT_TRUE(enginetest::WellFormedXml(written)) << "no longer well-formed XML";
    }

    // What was written reads the same to the program and to a reader that
    // knows the page's real encoding. An empty field writes nothing.
    TTagReader reader;
    TMetaFields back;
    ASSERT_TRUE(reader.xread(path, back));
    const auto seen = enginetest::SeenByIndependentReader(written, c.encoding);
    const std::tuple<const char*, const String&, const char*> values[] = {
        {"title", back.Title, c.title}, {"description", back.Description, c.description},
        {"keywords", back.Keywords, c.keywords}};
    for (const auto& [name, read, value] : values) {
        if (!*value) continue;
        EXPECT_EQ(read, value) << name;
        const auto it = seen.find(name);
        EXPECT_TRUE(it != seen.end() && it->second == value) << name << " reads otherwise to the independent reader";
    }

    ASSERT_TRUE(enginetest::WritesFields(path, f, settings));
    EXPECT_EQ(ReadAll(path), written) << "the same values written again changed the page";
}

INSTANTIATE_TEST_SUITE_P(Pages, RealWorldHead, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A value read from a legacy page that declares nothing shows as
// Windows-1252; the user changes part of it. What the user left as it was
// keeps the page's bytes, so its readers still read it in the page's own
// encoding, and the new part is written as references.
TEST(UndeclaredLegacyPage, AChangedValueKeepsTheBytesOfWhatDidNotChange) {
    const std::string old = "\xF3\xD4\xC1\xD2\xC1\xD1 &amp; \xD3\xD4\xD2\xC1\xCE\xC9\xC3\xC1";  // KOI8-R
    const std::string page = "<html><head><title>" + old + "</title><meta name=\"description\" content=\"" + old +
                             "\"></head><body></body></html>";
    struct Edit {
        const char* name;
        std::function<std::string(const std::string& shown)> change;
        std::string bytes;  // the value's bytes afterwards
        std::string seen;   // the value as a KOI8-R reader reads it
    };
    const std::string before = "\xD0\xA1\xD1\x82\xD0\xB0\xD1\x80\xD0\xB0\xD1\x8F";        // Старая
    const std::string after = "\xD1\x81\xD1\x82\xD1\x80\xD0\xB0\xD0\xBD\xD0\xB8\xD1\x86\xD0\xB0";  // страница
    const Edit edits[] = {
        {"appended", [](const std::string& v) { return v + " \xE2\x80\x94 2"; }, old + " &#8212; 2",
         before + " & " + after + " \xE2\x80\x94 2"},
        {"prepended", [](const std::string& v) { return "\xD0\x98: " + v; }, "&#1048;: " + old,
         "\xD0\x98: " + before + " & " + after},
        {"changed between",
         [](const std::string& v) { return v.substr(0, v.find(" & ")) + " \xD0\xB8 " + v.substr(v.find(" & ") + 3); },
         "\xF3\xD4\xC1\xD2\xC1\xD1 &#1080; \xD3\xD4\xD2\xC1\xCE\xC9\xC3\xC1", before + " \xD0\xB8 " + after},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        TTempDir dir;
        const std::string path = dir.File("page.html");
        WriteAll(path, page);
        TTagReader reader;
        TMetaFields f;
        ASSERT_TRUE(reader.xread(path, f));
        f.Title = edit.change(f.Title);
        f.Description = edit.change(f.Description);
        ASSERT_TRUE(enginetest::WritesFields(path, f));
        const std::string written = ReadAll(path);
        EXPECT_EQ(written, "<html>\r\n<head>\r\n<title>" + edit.bytes + "</title>\r\n<meta name=\"description\" "
                           "content=\"" + edit.bytes + "\">\r\n</head><body></body></html>");
        const auto seen = enginetest::SeenByIndependentReader(written, "koi8_r");
        EXPECT_EQ(seen.count("title") ? seen.at("title") : "", edit.seen);
        EXPECT_EQ(seen.count("description") ? seen.at("description") : "", edit.seen);
    }
}
