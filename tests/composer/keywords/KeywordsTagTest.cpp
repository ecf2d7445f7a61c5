// The batch generator's edit of one page's keywords tag: what changes in
// the page, what never does, and the pages it refuses.
#include <gtest/gtest.h>

#include <filesystem>

#include "composer/engine/KeywordsTag.h"
#include "composer/engine/PageExceptions.h"
#include "framework/rtl/Exception.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

const String Body = "<body>\r\n<p>Text &amp; more</p>\r\n</body>\r\n</html>\r\n";

struct TagCase {
    const char* Name;
    const char* Head;      // the page up to and with "</head>"
    const char* Expected;  // the same after the edit
};

// Chosen words "seo", "web" merged into each head.
const TagCase TagCases[] = {
    {"the old tag is replaced, the rest of its line and the head stay",
     "<html><HEAD>\r\n<title>T</title>\r\n<META NAME=\"Keywords\" CONTENT=\"meta, Web\"> <!-- x -->\r\n"
     "<meta name=\"robots\" content=\"all\">\r\n</head>\r\n",
     "<html><HEAD>\r\n<title>T</title>\r\n<meta name=\"keywords\" content=\"seo,meta, Web\"> <!-- x -->\r\n"
     "<meta name=\"robots\" content=\"all\">\r\n</head>\r\n"},
    {"a head without the tag gets one on its own line after <HEAD>, in the page's line break",
     "<html>\n<head><title>T</title>\n</head>\n",
     "<html>\n<head>\n<meta name=\"keywords\" content=\"web,seo\"><title>T</title>\n</head>\n"},
    {"content before name, unquoted: the tag is found and replaced",
     "<head>\r\n<meta content=old name=KEYWORDS>\r\n</head>\r\n",
     "<head>\r\n<meta name=\"keywords\" content=\"web,seo,old\">\r\n</head>\r\n"},
    {"a > inside the old value does not cut the tag short; it is written escaped",
     "<head><meta name=\"keywords\" content=\"a > b\"></head>",
     "<head><meta name=\"keywords\" content=\"web,seo,a &gt; b\"></head>"},
    {"the old tag keeps its XHTML ending; its other attributes go",
     "<head><meta name=\"keywords\" content=\"x\" lang=\"en\" /></head>",
     "<head><meta name=\"keywords\" content=\"web,seo,x\"/></head>"},
    {"words already there leave the tag byte for byte",
     "<head profile=\"p\"><meta name='keywords' content='Web, &#83;EO'></head>",
     "<head profile=\"p\"><meta name='keywords' content='Web, &#83;EO'></head>"},
    {"a tag in a comment is not the tag; an ISO-8859-1 page gets its own bytes",
     "<head><meta charset=\"iso-8859-1\"><!-- <meta name=\"keywords\" content=\"c\"> --></head>",
     "<head>\r\n<meta name=\"keywords\" content=\"web,seo\"><meta charset=\"iso-8859-1\">"
     "<!-- <meta name=\"keywords\" content=\"c\"> --></head>"},
    {"a tag before <head> is in the head as browsers read it: it is the one replaced",
     "<html><meta name=\"keywords\" content=\"old\">\r\n<head><title>T</title></head>\r\n",
     "<html><meta name=\"keywords\" content=\"web,seo,old\">\r\n<head><title>T</title></head>\r\n"},
    {"a page that closes its void tags gets a new tag closed the same way",
     "<!DOCTYPE html><html><head><meta charset=\"utf-8\"/><title>T</title></head>\r\n",
     "<!DOCTYPE html><html><head>\r\n<meta name=\"keywords\" content=\"web,seo\"/><meta charset=\"utf-8\"/>"
     "<title>T</title></head>\r\n"},
    {"and its old tag closed so, even where that one was not",
     "<head><link rel=\"icon\" href=\"i\"/><meta name=\"keywords\" content=\"a\"></head>",
     "<head><link rel=\"icon\" href=\"i\"/><meta name=\"keywords\" content=\"web,seo,a\"/></head>"},
};

class KeywordsTagEdit : public ::testing::TestWithParam<TagCase> {};

TEST_P(KeywordsTagEdit, OnlyTheTagChanges) {
    const TagCase& c = GetParam();
    TKeywordsTag tag;
    tag.CurrentPage = "page.html";
    EXPECT_EQ(tag.MergeIntoPage(String(c.Head) + Body, {"seo", "web"}), String(c.Expected) + Body) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(Keywords, KeywordsTagEdit, ::testing::ValuesIn(TagCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(KeywordsTagEdit, PagesWithoutTheirLandmarksAreRefused) {
    const char* pages[] = {
        "<html><head><title>T</title></head><p>no body</p>",
        "<html><head><title>T</title><body>x</body></head>",  // </HEAD> after the body
    };
    for (const char* page : pages) {
        TKeywordsTag tag;
        EXPECT_THROW(tag.MergeIntoPage(page, {"w"}), EInvalidHTMLFile) << page;
    }
}

// An ISO-8859-1 page gets its own bytes where it can hold the letter and a
// reference where it cannot; a page that names no encoding and is plain
// ASCII gets references. In a page that names none and is no UTF-8, the
// words, read out of its body, go back in the bytes they were read from, and
// the old words keep theirs.
TEST(KeywordsTagEdit, WordsAreWrittenInThePagesEncoding) {
    struct {
        const char* head;
        const char* expected;
    } cases[] = {
        {"<head><meta charset=\"ISO-8859-1\"><meta name=\"keywords\" content=\"caf\xE9\"></head>",
         "<head><meta charset=\"ISO-8859-1\"><meta name=\"keywords\" content=\"L\xEDnguas,&#8230;,caf\xE9\"></head>"},
        {"<head><meta name=\"keywords\" content=\"caf&eacute;\"></head>",
         "<head><meta name=\"keywords\" content=\"L&#237;nguas,&#8230;,caf&#233;\"></head>"},
        {"<head><meta name=\"keywords\" content=\"caf\xC3\xA9\"></head>",
         "<head><meta name=\"keywords\" content=\"L\xC3\xADnguas,\xE2\x80\xA6,caf\xC3\xA9\"></head>"},
        {"<head><meta name=\"keywords\" content=\"caf\xE9 &amp; \xF0\"></head>",
         "<head><meta name=\"keywords\" content=\"L\xEDnguas,\x85,caf\xE9 &amp; \xF0\"></head>"},
    };
    for (const auto& c : cases) {
        TKeywordsTag tag;
        EXPECT_EQ(tag.MergeIntoPage(String(c.head) + Body, {"\xE2\x80\xA6", "L\xC3\xADnguas"}),
                  String(c.expected) + Body);
    }
}

TEST(KeywordsTagFile, SavedWholeOrNotAtAll) {
    TTempDir dir;
    const std::string page = dir.File("page.html");
    const std::string original = "<html><head><title>T</title></head>" + Body;
    WriteAll(page, original);
    TKeywordsTag tag;
    tag.UpdatePage(page, {"web"});
    EXPECT_EQ(ReadAll(page), "<html><head>\r\n<meta name=\"keywords\" content=\"web\"><title>T</title></head>" + Body);

    // A page the owner made read-only stays as it is.
    const std::string ro = dir.File("ro.html");
    WriteAll(ro, original);
    fs::permissions(ro, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_ANY_THROW(tag.UpdatePage(ro, {"web"}));
    EXPECT_EQ(ReadAll(ro), original);

    EXPECT_THROW(tag.UpdatePage("", {"web"}), ENoFile);
    EXPECT_THROW(tag.UpdatePage(dir.File("gone.html"), {"web"}), EFOpenError);
    // Nothing was left behind by the refused writes.
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir.Path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 2);
}

}  // namespace
