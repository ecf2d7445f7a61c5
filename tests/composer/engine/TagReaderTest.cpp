// Reading a page's title and META tags into the fields, mode by mode.
#include <gtest/gtest.h>

#include "EngineTestUtil.h"
#include "composer/engine/MetaFieldTable.h"
#include "composer/engine/PageExceptions.h"
#include "composer/engine/TagReader.h"


namespace {

TTagSettings ReaderSettings() {
    TTagSettings s;
    s.aname = "creator";
    s.clasname = "classification";
    s.lname = "language";
    s.catstr = "subject";
    return s;
}

struct Shown {
    std::string text;
    TMessageKind kind;
};

struct Reader {
    TTagReader reader;
    std::vector<Shown> shown;
    std::vector<std::string> captions;
    Reader() {
        reader.Settings = ReaderSettings();
        reader.OnShowMessage = [this](const String& t, TMessageKind k) { shown.push_back({t, k}); };
        reader.OnCaption = [this](const String& c) { captions.push_back(c); };
    }
};

}  // namespace

// META tags as browsers recognise them: any attribute order and letter
// case, any quoting, other attributes between, line breaks inside.
struct ParseCase {
    const char* tag;
    bool httpEquiv;
    const char* name;
    const char* content;
    const char* token;
};

class ParseMeta : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseMeta, ReadsNameAndContentAsText) {
    TMetaTag t;
    ASSERT_TRUE(TPageHead::ReadMetaTag(GetParam().tag, TPageEncoding(), t));
    EXPECT_EQ(t.HttpEquiv, GetParam().httpEquiv);
    EXPECT_EQ(t.Name, GetParam().name);
    EXPECT_EQ(t.Content, GetParam().content);
    EXPECT_EQ(t.Token, GetParam().token);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, ParseMeta,
    ::testing::Values(
        ParseCase{"<meta name=\"keywords\" content=\"a, b\" z=\"K1\">", false, "keywords", "a, b", "K1"},
        ParseCase{"<meta name=\"x\" content=\"y\" />", false, "x", "y", ""},
        ParseCase{"<META HTTP-EQUIV=\"Expires\" CONTENT=\" Tue, 1 Jan \">", true, "Expires", "Tue, 1 Jan", ""},
        ParseCase{"<meta content=\"y\" name=\"x\">", false, "x", "y", ""},
        ParseCase{"<meta name=robots content=noindex,follow >", false, "robots", "noindex,follow", ""},
        ParseCase{"<meta name='a' content='say \"hi\"'>", false, "a", "say \"hi\"", ""},
        ParseCase{"<meta\r\n  lang=\"pt\" content=\"Vers&atilde;o &amp; &#x263A;\"\n name = \"d\">", false, "d",
                  "Vers\xC3\xA3o & \xE2\x98\xBA", ""},
        ParseCase{"<meta name=\"q\" content=\"&quot;&lt;b&gt;&quot;\">", false, "q", "\"<b>\"", ""},
        ParseCase{"<meta name=\"e\" content=\"\">", false, "e", "", ""},
        ParseCase{"<meta name= content=\"x\">", false, "content=\"x\"", "", ""},
        ParseCase{"<meta>", false, "", "", ""}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(ParseMetaTag, OnlyMetaTagsAreRead) {
    TMetaTag t;
    EXPECT_FALSE(TPageHead::ReadMetaTag("<link rel=\"x\">", TPageEncoding(), t));
    EXPECT_FALSE(TPageHead::ReadMetaTag("<metax name=\"x\">", TPageEncoding(), t));
    EXPECT_FALSE(TPageHead::ReadMetaTag("text", TPageEncoding(), t));
}

TEST(TagReader, ReadsEveryModeAndSkipsMalformedLines) {
    Reader r;
    TMetaFields f;
    f.Pragma = "TRUE";
    f.BulletinDate = "kept";
    f.Robots = "ALL";
    f.CustomRows = {{" DC.Title ", "old"}, {"dc.creator", "old"}, {"dc.subject", "old"},
                    {"dc.format", "old"}, {"  ", "untouched"}};
    ASSERT_TRUE(r.reader.xread(std::string(VELMOR_FIXTURES) + "/read_page.html", f));
    EXPECT_TRUE(r.shown.empty());
    EXPECT_EQ(f.Title, "Reader   Page");
    EXPECT_EQ(f.Description, "The description");
    EXPECT_EQ(f.Keywords, "alpha, beta");
    EXPECT_EQ(f.Generator, "Gen 1");
    EXPECT_EQ(f.Robots, "");
    EXPECT_EQ(f.Distribution, "global");
    EXPECT_EQ(f.Rating, "general");
    EXPECT_EQ(f.Copyright, "(c) me & you");
    EXPECT_EQ(f.Author, "Ann");
    EXPECT_EQ(f.Classification, "docs");
    EXPECT_EQ(f.Language, "en");
    EXPECT_EQ(f.Revisit, "7 days");
    EXPECT_EQ(f.ReplyTo, "a@b.c");
    EXPECT_EQ(f.Subject, "Tests");
    EXPECT_EQ(f.Expires, "never");
    EXPECT_EQ(f.BulletinText, "news");
    EXPECT_EQ(f.Pragma, "TRUE");       // pragma and bulletin date are not read back
    EXPECT_EQ(f.BulletinDate, "kept");
    EXPECT_EQ(f.CustomRows[0].Value, "Custom Title");
    EXPECT_EQ(f.CustomRows[1].Value, "reversed");  // content before name
    EXPECT_EQ(f.CustomRows[2].Value, "never reached");  // "<metax" is no META tag
    EXPECT_EQ(f.CustomRows[3].Value, "");
    EXPECT_EQ(f.CustomRows[4].Value, "untouched");
    EXPECT_EQ(r.captions,
              (std::vector<std::string>{"Velmor - Reading Title Line...",
                                        "Velmor - Reading keywords and description...",
                                        "Velmor - Reading other tags...", "Velmor - Reading custom...",
                                        std::string("Velmor - ") + VELMOR_FIXTURES +
                                            "/read_page.html"}));
}

// Which encoding a page's bytes are read in: a byte order mark, then the
// XML declaration, then a META declaration, else UTF-8 where the bytes are
// valid UTF-8 and Windows-1252 where not. ISO-8859-1 is read as
// Windows-1252, as browsers read it.
TEST(TagReader, ValuesAreReadInThePagesEncoding) {
    const struct {
        const char* Name;
        std::string Page;
        std::string Title;
    } cases[] = {
        {"BomOutranksTheMetaDeclaration",
         "\xEF\xBB\xBF<html><head><meta charset=iso-8859-1><title>Vers\xC3\xA3o</title></head>", "Vers\xC3\xA3o"},
        {"XmlDeclaration", "<?xml version='1.0' encoding='ISO-8859-1'?>\n<html><head><title>Vers\xE3o</title></head>",
         "Vers\xC3\xA3o"},
        {"MetaCharsetAfterTheTitle", "<html><head><title>\x93q\x94</title><META CHARSET=\"Latin1\"></head>",
         "\xE2\x80\x9Cq\xE2\x80\x9D"},
        {"ContentType",
         "<html><head><meta content='text/html; charset=windows-1252' http-equiv=content-type>"
         "<title>\x80 5</title></head>",
         "\xE2\x82\xAC 5"},
        {"UndeclaredValidUtf8", "<html><head><title>Vers\xC3\xA3o</title></head>", "Vers\xC3\xA3o"},
        {"UndeclaredOtherBytes", "<html><head><title>Vers\xE3o</title></head>", "Vers\xC3\xA3o"},
        {"References", "<html><head><title>&atilde; &#227; &#xE3; &amp;lt; &nosuch;</title></head>",
         "\xC3\xA3 \xC3\xA3 \xC3\xA3 &lt; &nosuch;"},
    };
    TTempDir dir;
    for (const auto& c : cases) {
        WriteAll(dir.File("p.html"), c.Page + "<body></body></html>");
        Reader r;
        TMetaFields f;
        ASSERT_TRUE(r.reader.xread(dir.File("p.html"), f)) << c.Name;
        EXPECT_EQ(f.Title, c.Title) << c.Name;
    }
}

// What a read changes in fields that held values: every field is compared,
// so a case also shows what it leaves alone.
TEST(TagReader, ReadChangesOnlyWhatThePageGives) {
    auto fields = [](std::initializer_list<std::pair<String TMetaFields::*, const char*>> values,
                     std::vector<TCustomRow> custom = {}) {
        TMetaFields f;
        for (const auto& [field, value] : values) f.*field = value;
        f.CustomRows = std::move(custom);
        return f;
    };
    const struct {
        const char* Name;
        std::string Page;
        bool NoNames;  // the author and subject tag names are configured empty
        TMetaFields Before, After;
    } cases[] = {
        {"HeadWithOnlyATitleChangesOnlyTheTitle", "<html><head><title>Only</title></head><body></body></html>", false,
         fields({{&TMetaFields::Keywords, "k"}, {&TMetaFields::Generator, "g"}}, {{"dc.title", "v"}}),
         fields({{&TMetaFields::Title, "Only"}, {&TMetaFields::Keywords, "k"}, {&TMetaFields::Generator, "g"}},
                {{"dc.title", "v"}})},
        {"PageWithoutTitleShowsThePlaceholderAndStillReadsItsFirstTag",
         "<html><head>\n<meta name=\"keywords\" content=\"first\">\n</head><body></body></html>", false, fields({}),
         fields({{&TMetaFields::Title, "Title Missing - Velmor"}, {&TMetaFields::Keywords, "first"}})},
        {"EmptyTitleReadsEmpty", "<html><head><title></title></head><body></body></html>", false,
         fields({{&TMetaFields::Title, "old"}}), fields({})},
        {"EmptyConfiguredTagNameIsNotRead",
         "<html><head><title>T</title><meta name=\"\" content=\"ghost\">"
         "<meta name=\"creator\" content=\"Ann\"></head><body>",
         true, fields({{&TMetaFields::Author, "mine"}, {&TMetaFields::Subject, "mine too"}}),
         fields({{&TMetaFields::Title, "T"}, {&TMetaFields::Author, "mine"}, {&TMetaFields::Subject, "mine too"}})},
    };
    TTempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteAll(dir.File("p.html"), c.Page);
        Reader r;
        if (c.NoNames) r.reader.Settings.aname = r.reader.Settings.catstr = "";
        TMetaFields f = c.Before;
        ASSERT_TRUE(r.reader.xread(dir.File("p.html"), f));
        EXPECT_EQ(f.Title, c.After.Title);
        for (const TMetaFieldRow& row : MetaFieldTable()) EXPECT_EQ(f.*row.Value, c.After.*row.Value) << row.Name;
        ASSERT_EQ(f.CustomRows.size(), c.After.CustomRows.size());
        for (size_t i = 0; i < f.CustomRows.size(); ++i) EXPECT_EQ(f.CustomRows[i].Value, c.After.CustomRows[i].Value);
    }
}

TEST(TagReader, FailuresAreReportedAndStopTheRead) {
    TTempDir dir;
    WriteAll(dir.File("bad.html"), "<html><head><title>T</title><body>");
    Reader r;
    TMetaFields f;
    f.Keywords = "k";
    EXPECT_FALSE(r.reader.xread("", f));
    EXPECT_FALSE(r.reader.xread(dir.File("missing.html"), f));
    EXPECT_FALSE(r.reader.xread(dir.File("bad.html"), f));
    ASSERT_EQ(r.shown.size(), 3u);
    EXPECT_EQ(r.shown[0].text, "No File Selected.");
    EXPECT_EQ(r.shown[0].kind, mkError);
    EXPECT_EQ(r.shown[1].text, "Could not Load File, Error 101!\r(No such file or directory)");
    EXPECT_EQ(r.shown[1].kind, mkPlain);
    EXPECT_EQ(r.shown[2].text, "The File '" + dir.File("bad.html") +
                                   "' is not a valid HTML 3.2 File\r(Missing '</HEAD>' Tag)");
    EXPECT_EQ(r.shown[2].kind, mkPlain);
    EXPECT_TRUE(r.captions.empty());
    EXPECT_EQ(f.Keywords, "k");
}

TEST(TagReader, ReadHtmlButtonReadsOnlyTheCustomRows) {
    Reader r;
    TMetaFields f;
    f.CustomRows = {{"dc.title", ""}};
    ASSERT_TRUE(r.reader.ReadCustomTags(std::string(VELMOR_FIXTURES) + "/read_page.html", f));
    EXPECT_EQ(f.CustomRows[0].Value, "Custom Title");
    EXPECT_EQ(f.Title, "");
    EXPECT_EQ(f.Keywords, "");
    EXPECT_TRUE(r.captions.empty());
}
