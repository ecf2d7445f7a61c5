// The layers the sources keep: the toolkit, libcurl, libjpeg and the
// workbook libraries (liborcus, libfreexl) are reached only through the
// framework; inside it, the toolkit's headers are
// included only by its toolkit side (the controls' widget set, graphics,
// system services, the message queue that is the toolkit's event loop, the
// test kit); the widget set's interface headers speak the framework's own
// types; the workbook libraries are seen only by the reader program's
// sources (framework/workbook), which nothing else includes; and the five
// libraries never include each other or the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct TInclude {
    std::string File;  // relative to the source tree
    std::string Header;
    bool System;  // <...>
};

std::vector<TInclude> Includes() {
    static const std::regex line(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    const fs::path root = VELMOR_SOURCE_DIR;
    std::vector<TInclude> found;
    for (const char* top : {"app", "composer", "gridkit", "transfer", "spell", "styled", "toolbars", "framework"}) {
        for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp" && ext != ".inc")) continue;
            const std::string rel = fs::relative(entry.path(), root).generic_string();
            std::ifstream in(entry.path());
            std::string text;
            std::smatch m;
            while (std::getline(in, text))
                if (std::regex_search(text, m, line)) found.push_back({rel, m[2].str(), m[1].str() == "<"});
        }
    }
    return found;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

bool IsToolkitHeader(const TInclude& inc) {
    return inc.System && (StartsWith(inc.Header, "Q") || StartsWith(inc.Header, "Qt"));
}

bool IsPlatformHeader(const TInclude& inc) {
    return IsToolkitHeader(inc) ||
           (inc.System && (StartsWith(inc.Header, "curl/") || inc.Header == "jpeglib.h" ||
                           StartsWith(inc.Header, "orcus/") || inc.Header == "freexl.h" ||
                           StartsWith(inc.Header, "sys/") || inc.Header == "unistd.h" || inc.Header == "fcntl.h" ||
                           inc.Header == "iconv.h"));
}

std::string Library(const std::string& path) { return path.substr(0, path.find('/')); }

TEST(SourceLayers, TheToolkitAndThePlatformAreReachedThroughTheFramework) {
    const std::vector<TInclude> all = Includes();
    ASSERT_GT(all.size(), 1000u) << "the source tree was not found at " << VELMOR_SOURCE_DIR;

    static const char* toolkitSide[] = {"framework/controls/qt/", "framework/graphics/", "framework/system/",
                                        "framework/messages/", "framework/testkit/"};
    size_t toolkitIncludes = 0;
    for (const TInclude& inc : all) {
        if (!StartsWith(inc.File, "framework/")) {
            EXPECT_FALSE(IsPlatformHeader(inc)) << inc.File << " includes <" << inc.Header << ">";
        }
        if (!IsToolkitHeader(inc)) continue;
        ++toolkitIncludes;
        bool allowed = false;
        for (const char* side : toolkitSide) allowed = allowed || StartsWith(inc.File, side);
        // The widget set's interface headers are what the controls include.
        if (StartsWith(inc.File, "framework/controls/qt/Ws") && inc.File.size() > 2 &&
            inc.File.compare(inc.File.size() - 2, 2, ".h") == 0)
            allowed = false;
        EXPECT_TRUE(allowed) << inc.File << " includes <" << inc.Header << ">";
    }
    // The reading sees the toolkit side's own includes.
    EXPECT_GT(toolkitIncludes, 0u);
}

TEST(SourceLayers, TheFiveLibrariesStandApart) {
    static const char* libraries[] = {"gridkit", "transfer", "spell", "styled", "toolbars"};
    for (const TInclude& inc : Includes()) {
        if (inc.System) continue;
        const std::string from = Library(inc.File);
        const std::string to = Library(inc.Header);
        bool fromLibrary = false;
        for (const char* lib : libraries) fromLibrary = fromLibrary || from == lib;
        if (!fromLibrary) continue;
        EXPECT_TRUE(to == from || to == "framework") << inc.File << " includes \"" << inc.Header << "\"";
    }
}

TEST(SourceLayers, OnlyTheWorkbookReaderSeesTheWorkbookLibraries) {
    for (const TInclude& inc : Includes()) {
        const bool inReader = StartsWith(inc.File, "framework/workbook/");
        if (inc.System && (StartsWith(inc.Header, "orcus/") || inc.Header == "freexl.h")) {
            EXPECT_TRUE(inReader) << inc.File << " includes <" << inc.Header << ">";
        }
        if (!inc.System && StartsWith(inc.Header, "framework/workbook/")) {
            EXPECT_TRUE(inReader) << inc.File << " includes \"" << inc.Header << "\"";
        }
    }
}

}  // namespace
