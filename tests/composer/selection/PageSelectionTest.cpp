// Page selection apart from the window: page-list files, pages that are not
// there, the folder listing and the replace-all behind autocorrect.
#include <gtest/gtest.h>

#include <filesystem>

#include "composer/ComposerTestSupport.h"
#include "composer/engine/PageSelection.h"
#include "framework/classes/StringList.h"

namespace {

struct ListNameCase {
    const char* Name;
    bool IsList;
};

class PageListNames : public ::testing::TestWithParam<ListNameCase> {};

TEST_P(PageListNames, KnownByTheExtensionInAnyCase) {
    EXPECT_EQ(TPageSelection::IsPageListFile(GetParam().Name), GetParam().IsList);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageListNames,
    ::testing::Values(ListNameCase{"/site/list.hfl", true}, ListNameCase{"/site/LIST.HFL", true},
                      ListNameCase{"/site/a.Hfl", true}, ListNameCase{"/site/pagehfl", false},
                      ListNameCase{"/site/a.shfl", false}, ListNameCase{"/site/x.hfl.html", false},
                      ListNameCase{"/site/index.html", false}));

TEST(PageListEntries, SkipsBlankLinesAndResolvesAgainstTheListsFolder) {
    TStringList lines;
    lines.SetText("a.html\r\n\r\n   \r\nsub\\b.html\r\n/abs/c.html\r\n\t\r\n  d.html  \r\n");
    const std::vector<String> pages = TPageSelection::PageListEntries("/site/lists/pages.hfl", &lines);
    const std::vector<String> expected = {"/site/lists/a.html", "/site/lists/sub/b.html",
                                          "/abs/c.html", "/site/lists/d.html"};
    EXPECT_EQ(pages, expected);
}

TEST(PageSelectionExpand, PagesAndListsMakeOneSelectionWithoutMissingPages) {
    TTempDir dir;
    for (const char* page : {"one.html", "two.htm", "three.html"})
        WriteAll(dir.File(page), "<html><head></head><body></body></html>");
    WriteAll(dir.File("site.HFL"), "two.htm\r\n\r\ngone.html\r\n  \r\nthree.html\r\n");

    const TExpandedSelection sel =
        TPageSelection::Expand({dir.File("one.html"), dir.File("site.HFL"), dir.File("lost.html")});
    const std::vector<String> pages = {dir.File("one.html"), dir.File("two.htm"),
                                       dir.File("three.html")};
    const std::vector<String> missing = {dir.File("gone.html"), dir.File("lost.html")};
    EXPECT_EQ(sel.Pages, pages);
    EXPECT_EQ(sel.Missing, missing);

    const String message = TPageSelection::MissingPagesMessage(sel.Missing);
    EXPECT_NE(message.find(dir.File("gone.html")), String::npos);
    EXPECT_NE(message.find(dir.File("lost.html")), String::npos);
    EXPECT_EQ(TPageSelection::MissingPagesMessage({}), "");
}

TEST(PageSelectionExpand, ListThatCannotBeReadRaises) {
    TTempDir dir;
    EXPECT_ANY_THROW(TPageSelection::Expand({dir.File("absent.hfl")}));
}

TEST(ListFiles, AddsBaseNamesOfFilesWithTheExtensionInAnyCase) {
    TTempDir dir;
    WriteAll(dir.File("a.tgs"), "");
    WriteAll(dir.File("b.TGS"), "");
    WriteAll(dir.File("notes.txt"), "");
    std::filesystem::create_directories(dir.File("folder.tgs"));
    TStringList names;
    names.Add("kept");
    int shown = 0;
    const int added = TPageSelection::ListFiles(dir.Path(), "tgs", &names,
                                                [&](const String&, TMessageKind) { ++shown; });
    EXPECT_EQ(added, 2);
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(names.Text(), "kept\r\na\r\nb\r\n");
}

TEST(ListFiles, MissingFolderIsNamedAndAddsNothing) {
    TTempDir dir;
    TStringList names;
    std::vector<String> messages;
    const int added = TPageSelection::ListFiles(
        dir.File("schemas"), "tgs", &names,
        [&](const String& text, TMessageKind) { messages.push_back(text); });
    EXPECT_EQ(added, 0);
    EXPECT_EQ(names.Count(), 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Invalid Directory - " + dir.File("schemas"));
}

struct ReplaceCase {
    const char* Text;
    const char* Find;
    const char* Replacement;
    const char* Expected;
};

class ReplaceAll : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAll, ReplacesUntilNoOccurrenceIsLeft) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(TPageSelection::StrReplaceAll(c.Text, c.Find, c.Replacement), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceAll,
    ::testing::Values(ReplaceCase{"a\rb\rc", "\r", " ", "a b c"},
                      ReplaceCase{"a\n\nb\n", "\n", "", "ab"},
                      // occurrences that the replacing forms go too
                      ReplaceCase{"aabb", "ab", "", ""}, ReplaceCase{"xaab", "ab", "b", "xb"},
                      // a replacement holding what it replaces would never end
                      ReplaceCase{"a-b", "-", "--", "a-b"}, ReplaceCase{"abc", "", "x", "abc"},
                      ReplaceCase{"none here", "zz", "y", "none here"}));

TEST(Autocorrect, LineBreaksBecomeOneLineAndEndsAreTrimmed) {
    EXPECT_EQ(TPageSelection::AutocorrectText("  web,\r\nmeta\ntags\r  "), "web, meta tags");
    EXPECT_EQ(TPageSelection::AutocorrectText("\r\n"), "");
    EXPECT_EQ(TPageSelection::AutocorrectText("a\r\n\r\nb"), "a  b");
}

}  // namespace
