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
    {"content before name is not recognised: a second tag goes in",
     "<head>\r\n<meta content=\"old\" name=\"keywords\">\r\n</head>\r\n",
     "<head>\r\n<meta name=\"keywords\" content=\"web,seo\">\r\n<meta content=\"old\" name=\"keywords\">\r\n"
     "</head>\r\n"},
    {"a > inside the old value does not cut the tag short",
     "<head><meta name=\"keywords\" content=\"a > b\"></head>",
     "<head><meta name=\"keywords\" content=\"web,seo,a > b\"></head>"},
    {"the XHTML slash and other attributes go with the old tag",
     "<head><meta name=\"keywords\" content=\"x\" lang=\"en\" /></head>",
     "<head><meta name=\"keywords\" content=\"web,seo,x\"></head>"},
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
        "<html><head lang=\"en\"><title>T</title></head><body>x</body>",  // not exactly <HEAD>
        "<html><head><title>T</title></head><p>no body</p>",
        "<html><head><title>T</title><body>x</body></head>",  // </HEAD> after the body
    };
    for (const char* page : pages) {
        TKeywordsTag tag;
        EXPECT_THROW(tag.MergeIntoPage(page, {"w"}), EInvalidHTMLFile) << page;
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
