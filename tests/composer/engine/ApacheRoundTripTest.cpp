// Every page of the Apache HTTP Server manual (Debian's apache2-doc) is
// given values that hold quotes, "<", "&", letters beyond ASCII and beyond
// Latin-1, then read back by the program and checked with libxml2, which
// shares nothing with it: the values read back exactly, the tags the run
// did not write are as they were, and the page after its head is the same
// bytes. A page that was well-formed XML still is.
#include <gtest/gtest.h>
#include <libxml/HTMLparser.h>
#include <libxml/parser.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "EngineTestUtil.h"
#include "composer/engine/TagReader.h"

namespace fs = std::filesystem;

namespace {

const char* kManual = "/usr/share/doc/apache2-doc/manual";

using Attributes = std::vector<std::pair<std::string, std::string>>;

struct Seen {
    bool hasTitle = false;
    std::string title;
    std::vector<Attributes> metas;  // head META tags in page order
};

std::string Text(const xmlChar* s) { return s ? reinterpret_cast<const char*>(s) : ""; }

void Walk(xmlNode* node, bool inHead, Seen& seen) {
    for (xmlNode* n = node; n; n = n->next) {
        if (n->type != XML_ELEMENT_NODE) continue;
        const std::string name = Text(n->name);
        if (inHead && name == "title" && !seen.hasTitle) {
            seen.hasTitle = true;
            xmlChar* t = xmlNodeGetContent(n);
            seen.title = Text(t);
            xmlFree(t);
        } else if (inHead && name == "meta") {
            Attributes a;
            for (xmlAttr* at = n->properties; at; at = at->next) {
                xmlChar* v = xmlNodeListGetString(n->doc, at->children, 1);
                a.emplace_back(Text(at->name), Text(v));
                xmlFree(v);
            }
            seen.metas.push_back(a);
        }
        Walk(n->children, inHead || name == "head", seen);
    }
}

Seen ParseHtml(const std::string& page) {
    Seen seen;
    htmlDocPtr doc = htmlReadMemory(page.data(), static_cast<int>(page.size()), nullptr, nullptr,
                                    HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                                        HTML_PARSE_NONET);
    if (doc) Walk(xmlDocGetRootElement(doc), false, seen);
    xmlFreeDoc(doc);
    return seen;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Where the head ends, found plainly: these pages write "</head>" once.
size_t AfterHead(const std::string& page) {
    const size_t p = Lower(page).find("</head>");
    return p == std::string::npos ? p : p + 7;
}

bool Written(const Attributes& meta) {
    for (const auto& [k, v] : meta)
        if (Lower(k) == "name" && (Lower(v) == "description" || Lower(v) == "keywords" || Lower(v) == "dc.title"))
            return true;
    return false;
}

}  // namespace

TEST(ApacheManual, EveryPageComesBackIntactWithItsNewValues) {
    if (!fs::is_directory(kManual)) GTEST_SKIP() << "apache2-doc is not installed";
    std::vector<fs::path> pages;
    for (const auto& e : fs::recursive_directory_iterator(kManual))
        if (e.is_regular_file() && !e.is_symlink() && e.path().extension() == ".html") pages.push_back(e.path());
    std::sort(pages.begin(), pages.end());
    ASSERT_GT(pages.size(), 500u);

    TTempDir dir;
    const std::string copy = dir.File("page.html");
    int xmlPages = 0;
    for (size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(pages[i].string());
        const std::string before = ReadAll(pages[i].string());
        WriteAll(copy, before);
        const bool wasXml = enginetest::WellFormedXml(before);
        xmlPages += wasXml;
        const Seen seenBefore = ParseHtml(before);

        TMetaFields f;
        f.Title = "Manual \"" + std::to_string(i) + "\" <&> Vers\xC3\xA3o \xE2\x98\xBA";
        f.Description = "Say \"hi\" & <b>bye</b> \xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5";
        f.Keywords = "apache, <httpd>, caf\xC3\xA9 & \xE2\x80\x94";
        f.CustomRows = {{"DC.Title", "x > y \xCE\xA9"}};
        ASSERT_TRUE(enginetest::WritesFields(copy, f));
        const std::string after = ReadAll(copy);

        TTagReader reader;
        TMetaFields back;
        back.CustomRows = {{"DC.Title", ""}};
        ASSERT_TRUE(reader.xread(copy, back));
        EXPECT_EQ(back.Title, f.Title);
        EXPECT_EQ(back.Description, f.Description);
        EXPECT_EQ(back.Keywords, f.Keywords);
        EXPECT_EQ(back.CustomRows[0].Value, f.CustomRows[0].Value);

        ASSERT_NE(AfterHead(before), std::string::npos);
        ASSERT_NE(AfterHead(after), std::string::npos);
        EXPECT_EQ(after.substr(AfterHead(after)), before.substr(AfterHead(before)));
        if (wasXml) {
            EXPECT_TRUE(enginetest::WellFormedXml(after));
        }

        const Seen seenAfter = ParseHtml(after);
        EXPECT_EQ(seenAfter.title, f.Title);
        std::vector<Attributes> kept, untouched;
        std::map<std::string, std::string> written;
        for (const Attributes& m : seenBefore.metas)
            if (!Written(m)) kept.push_back(m);
        for (const Attributes& m : seenAfter.metas) {
            if (!Written(m)) {
                untouched.push_back(m);
                continue;
            }
            ASSERT_EQ(m.size(), 2u);
            EXPECT_EQ(written.count(m[0].second), 0u) << "a second tag " << m[0].second;
            written[m[0].second] = m[1].second;
        }
        std::sort(kept.begin(), kept.end());
        std::sort(untouched.begin(), untouched.end());
        EXPECT_EQ(untouched, kept);
        EXPECT_EQ(written, (std::map<std::string, std::string>{
                               {"description", f.Description}, {"keywords", f.Keywords}, {"dc.title", "x > y \xCE\xA9"}}));
        if (HasFailure()) break;  // one page's story is enough to read
    }
    RecordProperty("XmlPages", xmlPages);
}
