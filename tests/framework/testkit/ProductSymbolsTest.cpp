// Nothing of the test kit ships: the program's own symbols hold no test
// server and no simulated input. The same reading of this test program,
// which links the kit, shows the check can see them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace {

// Every symbol `nm -C` lists for the file, one a line.
std::vector<std::string> Symbols(const std::string& path) {
    std::vector<std::string> lines;
    const std::string command = "nm -C '" + path + "' 2>/dev/null";
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

}  // namespace
