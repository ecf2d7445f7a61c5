// Nothing of the test kit ships: the program's own symbols hold no test
// server and no simulated input. The same reading of this test program,
// which links the kit, shows the check can see them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace {

// What the command prints, one a line.
std::vector<std::string> Lines(const std::string& command) {
    std::vector<std::string> lines;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return lines;
    std::string line;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe)) {
        line += buffer;
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
            lines.push_back(line);
            line.clear();
        }
    }
    if (!line.empty()) lines.push_back(line);
    ::pclose(pipe);
    return lines;
}

// Every symbol `nm -C` lists for the file, one a line.
std::vector<std::string> Symbols(const std::string& path) { return Lines("nm -C '" + path + "' 2>/dev/null"); }

// The shared libraries the file names as needed, found with readelf.
std::vector<std::string> Needed(const std::string& path) {
    static const std::regex needed(R"(\(NEEDED\).*\[(.*)\])");
    std::vector<std::string> found;
    std::smatch m;
    for (const std::string& line : Lines("readelf -d '" + path + "' 2>/dev/null"))
        if (std::regex_search(line, m, needed)) found.push_back(m[1].str());
    return found;
}

// The symbols of the test kit: its servers, the sockets under them, and
// the functions that make input.
std::vector<std::string> KitSymbols(const std::vector<std::string>& symbols) {
    static const std::regex kit(
        R"((\bT(Ftp)?LoopbackServer\b|\bvelmor_internal::(ListenLoopback|ConnectLoopback|SendAll)\b|(^|[ :])Simulate[A-Z]\w*\())");
    std::vector<std::string> found;
    for (const std::string& s : symbols)
        if (std::regex_search(s, kit)) found.push_back(s);
    return found;
}

TEST(ProductSymbols, TheProgramHoldsNoTestServerOrSimulatedInput) {
    const std::vector<std::string> program = Symbols(VELMOR_PROGRAM);
    ASSERT_FALSE(program.empty()) << "nm read nothing from " << VELMOR_PROGRAM;
    const std::vector<std::string> found = KitSymbols(program);
    EXPECT_TRUE(found.empty()) << "first test kit symbol in the program: " << found.front();

    // This program links the kit and uses its input, so the same reading
    // finds it here.
    EXPECT_FALSE(KitSymbols(Symbols(std::filesystem::read_symlink("/proc/self/exe").string())).empty());
}

// The workbook libraries, and the boost and bz2 libraries liborcus brings,
// are linked into the reader program alone: the program's start never maps
// them. The reader's own list shows the check sees them.
TEST(ProductSymbols, TheWorkbookLibrariesAreTheReadersAlone) {
    static const std::regex workbookLibrary(R"(^lib(orcus|freexl|boost_|bz2))");
    const auto matching = [&](const std::vector<std::string>& libraries) {
        std::vector<std::string> found;
        for (const std::string& l : libraries)
            if (std::regex_search(l, workbookLibrary)) found.push_back(l);
        return found;
    };
    const std::vector<std::string> program = Needed(VELMOR_PROGRAM);
    ASSERT_FALSE(program.empty()) << "readelf read nothing from " << VELMOR_PROGRAM;
    const std::vector<std::string> found = matching(program);
    EXPECT_TRUE(found.empty()) << "the program needs " << found.front();

    const std::vector<std::string> reader = matching(Needed(VELMOR_WORKBOOK_READER));
    EXPECT_TRUE(std::find_if(reader.begin(), reader.end(), [](const std::string& l) {
                    return l.rfind("liborcus", 0) == 0;
                }) != reader.end());
    EXPECT_TRUE(std::find_if(reader.begin(), reader.end(), [](const std::string& l) {
                    return l.rfind("libfreexl", 0) == 0;
                }) != reader.end());
}

}  // namespace
