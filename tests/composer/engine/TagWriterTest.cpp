// Writing composed Tag lines into page files: what changes in the head, what
// never changes outside it, and how a page that cannot be written is left.
#include <gtest/gtest.h>

#include <filesystem>

#include "EngineTestUtil.h"
#include "composer/engine/PageExceptions.h"
#include "composer/engine/TagComposer.h"
#include "composer/engine/TagReader.h"
#include "composer/engine/TagWriter.h"
#include "framework/rtl/FileUtils.h"

namespace fs = std::filesystem;

namespace {

std::string Crlf(std::string s) {
    std::string r;
    for (char c : s) {
        if (c == '\n') r += '\r';
        r += c;
    }
    return r;
}

const char* kPage =
    "<html>\n<head>\n<title>T</title>\n<meta name=\"a\" content=\"1\">\n<link rel=\"x\">\n"
    "</head>\n<body>B  <p>x = y</p></body>\n</html>\n";

class TagWriterTest : public ::testing::Test {
protected:
    TagWriterTest() {
        writer.OnShowMessage = [this](const String& t, TMessageKind k) {
            shown.push_back(t);
            kinds.push_back(k);
        };
    }
    // Writes `page` to a file, runs the writer over it and returns the file.
    std::string Run(const std::string& page, bool expected = true) {
        path = dir.File("page.html");
        WriteAll(path, page);
        EXPECT_EQ(writer.WriteTags(path), expected);
        return ReadAll(path);
    }
    TTempDir dir;
    std::string path;
    TTagWriter writer;
    std::vector<std::string> shown;
    std::vector<TMessageKind> kinds;
};

}  // namespace

TEST_F(TagWriterTest, MissingTagGoesLastAmongTheMetaLinesAndTheBodyStaysByteForByte) {
    writer.TagLineList = {"<meta name=\"keywords\" content=\"k\">"};
    const std::string head =
        "<html>\n<head>\n<title>T</title>\n<meta name=\"a\" content=\"1\">\n"
        "<meta name=\"keywords\" content=\"k\">\n<link rel=\"x\">\n</head>";
    const std::string rest = "\n<body>B  <p>x = y</p></body>\n</html>\n";
    EXPECT_EQ(Run(kPage), head + rest);  // a page with LF keeps LF
    EXPECT_EQ(Run(Crlf(kPage)), Crlf(head + rest));
    EXPECT_TRUE(shown.empty());
}

TEST_F(TagWriterTest, OnlyTheFirstOfTwoEqualTagsIsReplaced) {
    writer.TagLineList = {"<meta name=\"description\" content=\"new\">"};
    EXPECT_EQ(Run("<html><head><title>T</title>\n<META NAME=\"description\" CONTENT=\"one\">\n"
                  "<meta name=\"description\" content=\"two\">\n</head><body>"),
              "<html>\n<head>\n<title>T</title>\n<meta name=\"description\" content=\"new\">"
              "\n<meta name=\"description\" content=\"two\">\n</head><body>");
}

TEST_F(TagWriterTest, EmptyHeadTakesTheLinesInListOrder) {
    writer.TagLineList = {"<meta name=\"a\" content=\"1\">", "", "<meta name=\"b\" content=\"2\">",
                          "<meta name=\"c\" content=\"3\">"};
    EXPECT_EQ(Run("<head></head><body>"),
              "<head>\r\n<meta name=\"a\" content=\"1\">\r\n<meta name=\"b\" content=\"2\">\r\n"
              "<meta name=\"c\" content=\"3\">\r\n</head><body>");
}

TEST_F(TagWriterTest, PicsLabelEndsFirstAfterTheTitle) {
    writer.TagLineList = {"<meta name=\"k\" content=\"new\">"};
    EXPECT_EQ(Run("<head>\n<title>T</title>\n<link rel=\"s\">\n<meta name=\"k\" content=\"old\">\n\n"
                  "<meta http-equiv=\"PICS-Label\" content='(p)'>\n</head>\n<body>"),
              "<head>\n<title>T</title>\n<meta http-equiv=\"PICS-Label\" content='(p)'>\n"
              "<meta name=\"k\" content=\"new\">\n<link rel=\"s\">\n</head>\n<body>");
}

TEST_F(TagWriterTest, TagTextInsideAScriptIsNeverReplaced) {
    writer.TagLineList = {"<meta name=\"keywords\" content=\"new\">"};
    EXPECT_EQ(Run("<head>\n<title>T</title>\n<script>\n"
                  "var s = '<meta name=\"keywords\" content=\"js\">';\n</script>\n</head>\n<body>"),
              "<head>\n<title>T</title>\n<meta name=\"keywords\" content=\"new\">\n<script>\n"
              "var s = '<meta name=\"keywords\" content=\"js\">';\n</script>\n</head>\n<body>");
}

struct TitleCase {
    const char* name;
    const char* page;
    bool writeTitle;
    const char* title;
    const char* result;
};

class TitleWrite : public TagWriterTest, public ::testing::WithParamInterface<TitleCase> {};

TEST_P(TitleWrite, TitleComesOnlyFromTheBoxAndOnlyForOnePage) {
    writer.WriteTitle = GetParam().writeTitle;
    writer.Title = GetParam().title;
    EXPECT_EQ(Run(GetParam().page), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, TitleWrite,
    ::testing::Values(
        TitleCase{"OnePage", "<head><title>Old</title></head><body>", true, "New",
                  "<head>\r\n<title>New</title>\r\n</head><body>"},
        TitleCase{"SeveralPages", "<head><title>Old</title></head><body>", false, "New",
                  "<head>\r\n<title>Old</title>\r\n</head><body>"},
        TitleCase{"EmptyBox", "<head><title>Old</title></head><body>", true, "",
                  "<head>\r\n<title>Old</title>\r\n</head><body>"},
        TitleCase{"EmptyTitleFilled", "<head><title></title></head><body>", true, "New",
                  "<head>\r\n<title>New</title>\r\n</head><body>"},
        TitleCase{"NoTitleGetsOneFromTheBox", "<head><meta name=\"a\" content=\"1\"></head><body>",
                  true, "New\r\nLine",
                  "<head>\r\n<title>New Line</title>\r\n<meta name=\"a\" content=\"1\">\r\n</head><body>"},
        TitleCase{"PlaceholderIsNeverWritten", "<head><meta name=\"a\" content=\"1\"></head><body>",
                  true, "Title Missing - Velmor",
                  "<head>\r\n<meta name=\"a\" content=\"1\">\r\n</head><body>"},
        TitleCase{"TitleWithAttributesIsWritten", "<head><title lang=\"en\">Old</title></head><body>",
                  true, "New", "<head>\r\n<title lang=\"en\">New</title>\r\n</head><body>"},
        TitleCase{"TitleIsEscaped", "<head><title>Old</title></head><body>", true, "a<b> & c",
                  "<head>\r\n<title>a&lt;b&gt; &amp; c</title>\r\n</head><body>"},
        TitleCase{"NoTitleStaysWithoutOne", "<head><meta name=\"a\" content=\"1\"></head><body>", false,
                  "New", "<head>\r\n<meta name=\"a\" content=\"1\">\r\n</head><body>"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TagWriterTest, RemoveModeDeletesOnlyTheFirstTagOfRemovedFields) {
    TMetaFields f;
    f.Description = "Remove";
    f.Keywords = "remove ";  // not exactly the word: kept
    f.Author = "REMOVE";
    f.CustomRows = {{" DC.Title ", " Remove "}};
    TTagSettings s;
    s.aname = "";  // an empty tag name removes nothing
    EXPECT_EQ(writer.BuildRemoveList(f, s), 2);
    EXPECT_EQ(writer.RemoveList, (std::vector<String>{"<meta name=\"description\"",
                                                      "<meta name=\"dc.title\""}));
    writer.RemoveMode = true;
    writer.WriteTitle = true;
    writer.Title = "Not written";
    writer.TagLineList = {"<meta name=\"x\" content=\"not written\">"};
    EXPECT_EQ(Run("<head><title>T</title><meta name=\"description\" content=\"a\">"
                  "<meta name=\"\" content=\"e\"><meta name=\"description\" content=\"b\">"
                  "<meta name=\"keywords\" content=\"k\"><meta name=\"dc.title\" content=\"d\">"
                  "</head><body>"),
              "<head>\r\n<title>T</title>\r\n<meta name=\"\" content=\"e\">\r\n"
              "<meta name=\"description\" content=\"b\">\r\n<meta name=\"keywords\" content=\"k\">"
              "\r\n</head><body>");
    // A tag before "<head>" is the head's first of its name.
    EXPECT_EQ(Run("<html><meta name=\"description\" content=\"a\"><head><title>T</title>"
                  "<meta name=\"description\" content=\"b\"></head><body>"),
              "<html>\r\n<head>\r\n<title>T</title>\r\n<meta name=\"description\" content=\"b\">\r\n</head><body>");
}

TEST_F(TagWriterTest, ValuesWrittenReadBackUnchanged) {
    TMetaFields f;
    f.Description = "say \"hi\" & <b>bye</b>";
    f.Keywords = "one\r\ntwo";
    f.CustomRows = {{"dc.title", "x = y"}};
    writer.TagLineList = TTagComposer::ComposeTagLines(f, TTagSettings(), {}).TagLineList;
    Run(kPage);
    TTagReader reader;
    TMetaFields back;
    back.CustomRows = {{"dc.title", ""}};
    ASSERT_TRUE(reader.xread(path, back));
    EXPECT_EQ(back.Description, "say \"hi\" & <b>bye</b>");
    EXPECT_EQ(back.Keywords, "one two");
    EXPECT_EQ(back.CustomRows[0].Value, "x = y");
    // And written once more, the page does not change again.
    const std::string once = ReadAll(path);
    back.Title = "";
    writer.TagLineList = TTagComposer::ComposeTagLines(back, TTagSettings(), {}).TagLineList;
    EXPECT_TRUE(writer.WriteTags(path));
    EXPECT_EQ(ReadAll(path), once);
}

TEST_F(TagWriterTest, ReadOnlyPageIsRefusedAndLeftWhole) {
    writer.TagLineList = {"<meta name=\"k\" content=\"v\">"};
    path = dir.File("page.html");
    WriteAll(path, kPage);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(writer.WriteTags(path));
    EXPECT_EQ(shown, (std::vector<std::string>{"Could not update File, Error 102!"}));
    EXPECT_EQ(kinds[0], mkError);
    EXPECT_EQ(ReadAll(path), kPage);
}

TEST_F(TagWriterTest, SaveFailingHalfWayLeavesThePageWhole) {
    writer.TagLineList = {"<meta name=\"k\" content=\"v\">"};
    for (const char* stage : {"create", "write", "sync", "rename"}) {
        SetSafeWriteHook([stage](const char* at) {
            if (std::string(at) == stage) throw EWriteError("disk full");
        });
        EXPECT_EQ(Run(kPage, false), kPage) << stage;
        SetSafeWriteHook(nullptr);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1)
            << "a temporary file was left behind at " << stage;
    }
    EXPECT_EQ(shown, std::vector<std::string>(4, "Could not update File, Error 102!"));
}

TEST_F(TagWriterTest, LinkIsFollowedAndModeKept) {
    writer.TagLineList = {"<meta name=\"k\" content=\"v\">"};
    const std::string target = dir.File("real.html");
    WriteAll(target, kPage);
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real.html", dir.File("link.html"));
    ASSERT_TRUE(writer.WriteTags(dir.File("link.html")));
    EXPECT_TRUE(fs::is_symlink(dir.File("link.html")));
    EXPECT_NE(ReadAll(target).find("<meta name=\"k\" content=\"v\">"), std::string::npos);
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(dir.Path())) left.push_back(e.path().filename());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"link.html", "real.html"}));
}

TEST_F(TagWriterTest, PagesThatCannotBeWritten) {
    EXPECT_THROW(writer.WriteTags(""), ENoFile);

    EXPECT_FALSE(writer.WriteTags(dir.File("missing.html")));
    EXPECT_EQ(shown, (std::vector<std::string>{"Could not Load File, Error 101!"}));

    WriteAll(dir.File("nohead.html"), "<html><head><title>T</title><body>");
    EXPECT_THROW(writer.WriteTags(dir.File("nohead.html")), EInvalidHTMLFile);

    // A title holding a tag fails quietly and the page is not touched.
    const std::string bad = "<html><head><title>a <b> c</title></head><body>";
    writer.TagLineList = {"<meta name=\"k\" content=\"v\">"};
    EXPECT_EQ(Run(bad, false), bad);
    EXPECT_EQ(shown.size(), 1u);
}

// The rest of a page comes from what was read when the whole page was read
// at once, and from the file otherwise; both give the page byte for byte,
// on either side of the first read's size.
TEST_F(TagWriterTest, TheRestOfAPageOfAnySizeStaysByteForByte) {
    writer.TagLineList = {"<meta name=\"keywords\" content=\"k\">"};
    const std::string head = "<html>\n<head>\n<title>T</title>\n</head>";
    const std::string added =
        "<html>\n<head>\n<title>T</title>\n<meta name=\"keywords\" content=\"k\">\n</head>";
    for (size_t size : {size_t{200}, size_t{65535}, size_t{65536}, size_t{65537}, size_t{300000}}) {
        std::string body = "\n<body>";
        for (size_t i = 0; body.size() + head.size() + 8 < size; ++i) body += static_cast<char>('a' + i * 7 % 26);
        body += "</body>\n";
        EXPECT_EQ(Run(head + body), added + body) << size;
    }
}

// A page put in place of the one that was read, or removed, while its new
// head is written stays as it is now: the run does not put the old page back.
TEST_F(TagWriterTest, APageReplacedOrRemovedWhileWrittenIsLeftAsItIsNow) {
    writer.TagLineList = {"<meta name=\"k\" content=\"v\">"};
    path = dir.File("page.html");
    const std::string other = dir.File("other.html");
    const char* newer = "<html><head><title>Newer</title></head></html>";
    WriteAll(path, kPage);
    SetSafeWriteHook([&](const char* at) {
        if (std::string(at) != "write") return;
        WriteAll(other, newer);
        fs::rename(other, path);
    });
    EXPECT_FALSE(writer.WriteTags(path));
    SetSafeWriteHook(nullptr);
    EXPECT_EQ(ReadAll(path), newer);
    EXPECT_EQ(writer.LastFailure, HeadTexts::SChangedMeanwhile);

    WriteAll(path, kPage);
    SetSafeWriteHook([&](const char* at) {
        if (std::string(at) == "write") fs::remove(path);
    });
    EXPECT_THROW(writer.WriteTags(path), EFOpenError);
    SetSafeWriteHook(nullptr);
    EXPECT_FALSE(fs::exists(path));
}
