// Real pages and random bytes: the parser must take anything, and give the
// same events however the bytes are cut into feeds.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "Trace.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<fs::path> HtmlFilesUnder(const fs::path& root) {
    std::vector<fs::path> files;
    std::error_code ec;
    if (!fs::is_directory(root, ec)) return files;
    for (fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec), end;
         it != end; it.increment(ec)) {
        if (ec) break;
        if (it->is_regular_file(ec) && it->path().extension() == ".html") files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

struct Feed {
    bool FlushOnEOL = true;
    bool Preserve = false;
    const char* Answer = nullptr;
};

std::string Trace(const std::string& text, std::size_t pieceSize, const Feed& f = {}) {
    TickXMLp p(nullptr);
    p.SetFlushOnEOL(f.FlushOnEOL);
    p.SetPreserveWhiteSpace(f.Preserve);
    TraceRecorder r;
    r.EntityAnswer = f.Answer;
    r.Attach(p);
    for (std::size_t i = 0; i < text.size(); i += pieceSize)
        p.SetInputText(std::string_view(text).substr(i, pieceSize));
    p.SetEndOfInput(true);
    return r.Joined();
}

TEST(ParserRealPages, ByteByByteEqualsWhole) {
    const auto files = HtmlFilesUnder("/usr/share/doc/apache2-doc/manual");
    if (files.size() < 3) GTEST_SKIP() << "apache2-doc is not installed";
    // A few pages of different kinds: a short one, a long one, one in
    // another language.
    std::vector<fs::path> picked = {files.front(), files[files.size() / 2], files.back()};
    const Feed feeds[] = {{}, {false, true, " "}};
    for (const auto& path : picked) {
        const std::string page = ReadFile(path);
        for (const Feed& f : feeds) {
            const std::string whole = Trace(page, page.size() + 1, f);
            EXPECT_GT(whole.size(), 0u);
            EXPECT_EQ(Trace(page, 1, f), whole) << path;
            EXPECT_EQ(Trace(page, 7, f), whole) << path;
        }
    }
}

TEST(ParserRealPages, EveryDocumentationPageParses) {
    const auto files = HtmlFilesUnder("/usr/share/doc");
    if (files.empty()) GTEST_SKIP() << "no HTML pages under /usr/share/doc";
    // Enough to meet every kind of page there, bounded for slow builds.
    constexpr std::size_t MaxBytes = 24u << 20;
    std::size_t bytes = 0, pages = 0;
    TickXMLp p(nullptr);
    std::size_t events = 0, elements = 0;
    p.OnText = [&](TObject*, const String&) { ++events; };
    p.OnBeginElement = [&](TObject*, const String&) {
        ++elements;
        for (int i = 1; i <= p.AttrCount(); ++i) ASSERT_EQ(p.CheckAttr(i), 0);
    };
    p.OnEvalEntity = [&](TObject*, const String&, String& v) { v = " "; };
    for (const auto& path : files) {
        const std::string page = ReadFile(path);
        if (bytes + page.size() > MaxBytes) continue;
        bytes += page.size();
        ++pages;
        ASSERT_NO_THROW({
            p.SetInputText(page);
            p.SetEndOfInput(true);
        }) << path;
    }
    EXPECT_GT(pages, 0u);
    EXPECT_GT(elements, pages);  // every page has markup
    EXPECT_GT(events, 0u);
}

// Bytes that build markup, so random input reaches every state often.
std::string RandomMarkup(std::mt19937& rng, std::size_t n) {
    static const std::string alphabet = "<<<>>>//!!?" "?--[[]]&&;;==''\"\"  \n\n\r\tabcxyz#1";
    std::uniform_int_distribution<int> pick(0, static_cast<int>(alphabet.size()) - 1);
    std::uniform_int_distribution<int> anyByte(1, 255);
    std::uniform_int_distribution<int> coin(0, 9);
    std::string s;
    for (std::size_t i = 0; i < n; ++i)
        s += coin(rng) == 0 ? static_cast<char>(anyByte(rng)) : alphabet[pick(rng)];
    return s;
}

TEST(ParserFuzz, RandomCutsGiveTheWholeFeedsEvents) {
    std::mt19937 rng(20261210);
    std::uniform_int_distribution<int> len(0, 200);
    for (int round = 0; round < 1500; ++round) {
        const std::string input = RandomMarkup(rng, static_cast<std::size_t>(len(rng)));
        const Feed f{round % 2 == 0, round % 3 == 0, round % 5 == 0 ? "" : nullptr};
        const std::string whole = Trace(input, input.size() + 1, f);
        const std::size_t piece = 1 + static_cast<std::size_t>(round % 11);
        ASSERT_EQ(Trace(input, piece, f), whole) << "round " << round;
    }
}

TEST(ParserFuzz, EndingTheInputFromAnyHandlerIsSafe) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> len(0, 400);
    const std::string kinds[] = {"T", "B", "E", "/", "C", "P", "M", "S", "X", "TBE/CPMSX"};
    for (int round = 0; round < 2000; ++round) {
        const std::string input = RandomMarkup(rng, static_cast<std::size_t>(len(rng)));
        TickXMLp p(nullptr);
        p.SetFlushOnEOL(round % 2 == 0);
        p.SetPreserveWhiteSpace(round % 3 == 0);
        TraceRecorder r;
        r.EntityAnswer = round % 4 == 0 ? "&" : nullptr;
        r.EndOn = kinds[round % std::size(kinds)];
        r.EndEvery = 1 + round % 3;
        r.Attach(p);
        // The text handler also reads attributes, which must answer nothing.
        auto text = p.OnText;
        p.OnText = [&](TObject* s, const String& t) {
            ASSERT_EQ(p.AttrCount(), 0);
            ASSERT_FALSE(t.empty());
            text(s, t);
        };
        for (std::size_t i = 0; i < input.size(); i += 13)
            p.SetInputText(std::string_view(input).substr(i, 13));
        p.SetEndOfInput(true);
        for (const auto& e : r.Events) {
            ASSERT_NE(e, "ERROR");
            // An element name is never empty except for "</>".
            ASSERT_NE(e.substr(0, 3), "B( ");
            ASSERT_NE(e, "B()");
        }
    }
}

}  // namespace
