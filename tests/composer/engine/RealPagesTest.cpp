// Real pages: forty pages of the Apache HTTP Server manual (Debian's
// apache2-doc) are read, given new tags and written, then checked with
// Python's own HTML parser, which shares nothing with the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

#include "EngineTestUtil.h"
#include "composer/engine/PageExceptions.h"
#include "composer/engine/TagComposer.h"
#include "composer/engine/TagReader.h"
#include "composer/engine/TagWriter.h"

namespace fs = std::filesystem;

namespace {

const char* kManual = "/usr/share/doc/apache2-doc/manual";

struct PageTags {
    bool hasTitle = false;
    std::string title;                // as JSON
    std::vector<std::string> metas;   // as JSON, page order
};

std::map<std::string, PageTags> ParseWithPython(const std::vector<std::string>& files) {
    std::string cmd = std::string("python3 '") + VELMOR_FIXTURES + "/meta_set.py'";
    for (const std::string& f : files) cmd += " '" + f + "'";
    std::map<std::string, PageTags> result;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return result;
    std::string out;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    if (pclose(p) != 0) return {};
    PageTags* current = nullptr;
    size_t start = 0;
    while (start < out.size()) {
        size_t end = out.find('\n', start);
        if (end == std::string::npos) end = out.size();
        const std::string line = out.substr(start, end - start);
        start = end + 1;
        const size_t tab = line.find('\t');
        const std::string kind = line.substr(0, tab), value = line.substr(tab + 1);
        if (kind == "FILE") current = &result[value];
        else if (kind == "TITLE" && current) current->hasTitle = true, current->title = value;
        else if (kind == "META" && current) current->metas.push_back(value);
    }
    return result;
}

std::string Json(const std::string& s) {
    std::string r = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') r += '\\';
        r += c;
    }
    return r + "\"";
}

std::string MetaJson(const char* attr, const std::string& name, const std::string& content) {
    return "[[" + Json(attr) + ", " + Json(name) + "], [\"content\", " + Json(content) + "]]";
}

bool IsWrittenName(const std::string& metaJson) {
    for (const char* n : {"keywords", "description", "generator", "robots", "author"}) {
        std::string lower = metaJson;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (lower.find("[\"name\", \"" + std::string(n) + "\"]") != std::string::npos) return true;
    }
    return false;
}

}  // namespace

TEST(RealPages, ApacheManualPagesKeepEverythingButTheWrittenTags) {
    if (!fs::is_directory(kManual)) GTEST_SKIP() << "apache2-doc is not installed";
    if (std::system("python3 -c 'import html.parser' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 is not installed";

    std::vector<fs::path> all;
    for (const auto& e : fs::recursive_directory_iterator(kManual))
        if (e.is_regular_file() && e.path().extension() == ".html") all.push_back(e.path());
    std::sort(all.begin(), all.end());
    ASSERT_GE(all.size(), 40u);

    TTempDir dir;
    std::vector<std::string> pages;
    const size_t step = all.size() / 40;
    for (size_t i = 0; i < 40; ++i) {
        const std::string copy = dir.File("page" + std::to_string(i) + ".html");
        fs::copy_file(all[i * step], copy);
        pages.push_back(copy);
    }
    std::map<std::string, std::string> before;
    for (const std::string& p : pages) before[p] = ReadAll(p);
    const std::map<std::string, PageTags> parsedBefore = ParseWithPython(pages);
    ASSERT_EQ(parsedBefore.size(), pages.size()) << "python3 could not parse the pages";

    TTagSettings settings;
    settings.aname = "author";
    settings.clasname = "classification";
    settings.lname = "language";
    settings.catstr = "subject";
    for (size_t i = 0; i < pages.size(); ++i) {
        const std::string& p = pages[i];
        SCOPED_TRACE(all[i * step].string());
        TTagReader reader;
        reader.Settings = settings;
        std::vector<std::string> messages;
        reader.OnShowMessage = [&](const String& t, TMessageKind) { messages.push_back(t); };
        TMetaFields f;
        ASSERT_TRUE(reader.xread(p, f)) << (messages.empty() ? "" : messages[0]);

        f.Title = "Velmor page " + std::to_string(i);
        f.Keywords = "apache, httpd, page " + std::to_string(i);
        f.Description = "The \"manual\" page & more, number " + std::to_string(i);
        f.Generator = "Velmor";
        f.Robots = "index, follow";
        f.Author = "The Apache Software Foundation";
        TTagWriter writer;
        writer.OnShowMessage = [&](const String& t, TMessageKind) { messages.push_back(t); };
        writer.TagLineList = TTagComposer::ComposeTagLines(f, settings, {}).TagLineList;
        writer.Title = f.Title;
        writer.WriteTitle = true;
        ASSERT_TRUE(writer.WriteTags(p));

        const std::string after = ReadAll(p);
        EXPECT_EQ(after.substr(TPageHead::HeadSectionEnd(after, p)),
                  before[p].substr(TPageHead::HeadSectionEnd(before[p], p)));

        TMetaFields back;
        ASSERT_TRUE(reader.xread(p, back));
        EXPECT_EQ(back.Title, f.Title);
        EXPECT_EQ(back.Keywords, f.Keywords);
        EXPECT_EQ(back.Description, TTagComposer::EscapeValue(f.Description));
        EXPECT_EQ(back.Robots, f.Robots);
        EXPECT_EQ(back.Author, f.Author);
    }

    const std::map<std::string, PageTags> parsedAfter = ParseWithPython(pages);
    ASSERT_EQ(parsedAfter.size(), pages.size());
    for (size_t i = 0; i < pages.size(); ++i) {
        const std::string& p = pages[i];
        SCOPED_TRACE(all[i * step].string());
        const PageTags& was = parsedBefore.at(p);
        const PageTags& now = parsedAfter.at(p);
        EXPECT_TRUE(now.hasTitle);
        EXPECT_EQ(now.title, Json("Velmor page " + std::to_string(i)));

        std::vector<std::string> kept, untouched, written;
        for (const std::string& m : was.metas)
            if (!IsWrittenName(m)) kept.push_back(m);
        for (const std::string& m : now.metas)
            (IsWrittenName(m) ? written : untouched).push_back(m);
        std::sort(kept.begin(), kept.end());
        std::sort(untouched.begin(), untouched.end());
        EXPECT_EQ(untouched, kept);
        std::vector<std::string> expected = {
            MetaJson("name", "generator", "Velmor"),
            MetaJson("name", "description",
                     "The \"manual\" page & more, number " + std::to_string(i)),
            MetaJson("name", "keywords", "apache, httpd, page " + std::to_string(i)),
            MetaJson("name", "robots", "index, follow"),
            MetaJson("name", "author", "The Apache Software Foundation")};
        EXPECT_EQ(written, expected);
    }
}
