// Imports one sheet of 100,000 rows x 6 columns from an .xlsx (texts from
// the shared string table, whole numbers, fractions, dates, a second text,
// a formula with its result) into a grid, against liborcus alone loading
// the same file into its own spreadsheet document. The workbook is made
// here, in a temporary folder. Each load runs in a fresh process (this
// program started again), five of each taking turns after a warm-up of
// each, so the peak memory of one load is its own: the rise of the
// process's peak over the load. The last line sums it up:
//   grid_workbook rows=100000 cols=6 file_MB=... import_ms=... orcus_ms=...
//     time_ratio_to_orcus=... import_peak_MB=... orcus_peak_MB=...
//     memory_ratio_to_orcus=...
// Ratios are ours over liborcus's (lower is better); the aims are at most
// 1.5 for the time and 2 for the memory.
//
//   bench_grid_workbook [--child=import|orcus FILE]
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/document.hpp>
#include <orcus/spreadsheet/factory.hpp>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/common/SideBySide.h"
#include "framework/controls/Application.h"
#include "gridkit/grid/GkStringGrid.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 100000;
constexpr int kCols = 6;

uint32_t Crc32(const std::string& s) {
    return static_cast<uint32_t>(crc32_z(0, reinterpret_cast<const Bytef*>(s.data()), s.size()));
}

// A zip archive of stored (uncompressed) entries: all a reader needs.
class TZip {
public:
    void Add(const std::string& name, const std::string& data) {
        const uint32_t crc = Crc32(data), offset = static_cast<uint32_t>(FOut.size());
        Header(0x04034b50, name, data, crc, false, 0);
        FOut += data;
        Header(0x02014b50, name, data, crc, true, offset, &FCentral);
        ++FCount;
    }
    std::string Finish() {
        const uint32_t at = static_cast<uint32_t>(FOut.size());
        FOut += FCentral;
        Put32(FOut, 0x06054b50);
        Put16(FOut, 0);
        Put16(FOut, 0);
        Put16(FOut, FCount);
        Put16(FOut, FCount);
        Put32(FOut, static_cast<uint32_t>(FCentral.size()));
        Put32(FOut, at);
        Put16(FOut, 0);
        return FOut;
    }

private:
    static void Put16(std::string& s, uint16_t v) { s.append({char(v & 0xFF), char(v >> 8)}); }
    static void Put32(std::string& s, uint32_t v) {
        Put16(s, uint16_t(v & 0xFFFF));
        Put16(s, uint16_t(v >> 16));
    }
    void Header(uint32_t sig, const std::string& name, const std::string& data, uint32_t crc, bool central,
                uint32_t offset, std::string* to = nullptr) {
        std::string& s = to ? *to : FOut;
        Put32(s, sig);
        if (central) Put16(s, 20);
        Put16(s, 20);
        Put16(s, 0);
        Put16(s, 0);  // stored
        Put16(s, 0);
        Put16(s, 0x21);
        Put32(s, crc);
        Put32(s, static_cast<uint32_t>(data.size()));
        Put32(s, static_cast<uint32_t>(data.size()));
        Put16(s, static_cast<uint16_t>(name.size()));
        Put16(s, 0);
        if (central) {
            Put16(s, 0);
            Put16(s, 0);
            Put16(s, 0);
            Put32(s, 0);
            Put32(s, offset);
        }
        s += name;
    }
    std::string FOut, FCentral;
    uint16_t FCount = 0;
};

const char* const kWords[] = {"metadata", "keywords", "description", "author", "web", "page", "robots", "index"};

std::string MakeWorkbook() {
    std::string strings, sheet;
    int stringCount = 0;
    std::vector<std::string> items;
    for (int i = 0; i < 1000; ++i) items.push_back("item " + std::to_string(i));
    for (const std::string& s : items) strings += "<si><t>" + s + "</t></si>";
    for (const char* w : kWords) strings += std::string("<si><t>") + w + "</t></si>";
    stringCount = 1000 + 8;
    sheet = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
            "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
    char buf[512];
    for (int r = 1; r <= kRows; ++r) {
        std::snprintf(buf, sizeof buf,
                      "<row r=\"%d\"><c r=\"A%d\" t=\"s\"><v>%d</v></c><c r=\"B%d\"><v>%d</v></c>"
                      "<c r=\"C%d\"><v>%.2f</v></c><c r=\"D%d\" s=\"1\"><v>%d</v></c>"
                      "<c r=\"E%d\" t=\"s\"><v>%d</v></c><c r=\"F%d\"><f>B%d*2</f><v>%d</v></c></row>",
                      r, r, r % 1000, r, r, r, r * 0.25, r, 40000 + r % 3000, r, 1000 + r % 8, r, r, 2 * r);
        sheet += buf;
    }
    sheet += "</sheetData></worksheet>";
    const std::string ns = "http://schemas.openxmlformats.org/";
    TZip zip;
    zip.Add("[Content_Types].xml",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types xmlns=\"" + ns + "package/2006/content-types\">"
            "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
            "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
            "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
            "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
            "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
            "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
            "</Types>");
    zip.Add("_rels/.rels", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"" + ns +
                               "package/2006/relationships\"><Relationship Id=\"rId1\" Type=\"" + ns +
                               "officeDocument/2006/relationships/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    zip.Add("xl/workbook.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook xmlns=\"" + ns +
                                   "spreadsheetml/2006/main\" xmlns:r=\"" + ns +
                                   "officeDocument/2006/relationships\"><sheets><sheet name=\"Big\" sheetId=\"1\" "
                                   "r:id=\"rId1\"/></sheets></workbook>");
    zip.Add("xl/_rels/workbook.xml.rels",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"" + ns + "package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"" + ns + "officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
            "<Relationship Id=\"rId2\" Type=\"" + ns + "officeDocument/2006/relationships/sharedStrings\" Target=\"sharedStrings.xml\"/>"
            "<Relationship Id=\"rId3\" Type=\"" + ns + "officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
            "</Relationships>");
    zip.Add("xl/sharedStrings.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><sst xmlns=\"" + ns +
                                        "spreadsheetml/2006/main\" uniqueCount=\"" + std::to_string(stringCount) +
                                        "\">" + strings + "</sst>");
    zip.Add("xl/styles.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><styleSheet xmlns=\"" + ns +
                                 "spreadsheetml/2006/main\"><fonts count=\"1\"><font><sz val=\"11\"/></font></fonts>"
                                 "<fills count=\"1\"><fill><patternFill patternType=\"none\"/></fill></fills>"
                                 "<borders count=\"1\"><border/></borders>"
                                 "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\"/></cellStyleXfs>"
                                 "<cellXfs count=\"2\"><xf numFmtId=\"0\" xfId=\"0\"/><xf numFmtId=\"14\" xfId=\"0\" "
                                 "applyNumberFormat=\"1\"/></cellXfs></styleSheet>");
    zip.Add("xl/worksheets/sheet1.xml", sheet);
    return zip.Finish();
}

long PeakKb(int who = RUSAGE_SELF) {
    rusage u{};
    getrusage(who, &u);
    return u.ru_maxrss;
}

// One load in this process: prints its seconds and the rise of the peak.
int Child(const std::string& what, const std::string& file, int argc, char** argv) {
    double seconds = 0;
    long before = 0, after = 0;
    if (what == "import") {
        TApplication app(nullptr);
        app.Initialize(argc, argv);
        TGkStringGrid grid(nullptr);
        before = PeakKb();
        seconds = bench::TimeOnce([&] { grid.ImportWorkbook(file); });
        // The workbook is read by the reader program, a process of its own:
        // its whole peak counts too.
        after = PeakKb() + PeakKb(RUSAGE_CHILDREN);
        if (grid.RowCount() != kRows || grid.Cells(0, kRows - 1) != "item " + std::to_string(kRows % 1000)) {
            std::fprintf(stderr, "import: wrong grid (%d rows)\n", grid.RowCount());
            return 1;
        }
    } else {
        orcus::spreadsheet::document doc{orcus::spreadsheet::range_size_t{1048576, 16384}};
        orcus::spreadsheet::import_factory factory(doc);
        orcus::orcus_xlsx loader(&factory);
        before = PeakKb();
        seconds = bench::TimeOnce([&] { loader.read_file(file); });
        after = PeakKb();
    }
    std::printf("%.6f %ld\n", seconds, after - before);
    return 0;
}

struct Run {
    double seconds;
    double peakMb;
};

Run Spawn(const char* what, const std::string& file) {
    int fds[2];
    if (pipe(fds) != 0) std::exit(1);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], 1);
        close(fds[0]);
        close(fds[1]);
        const std::string flag = std::string("--child=") + what;
        execl("/proc/self/exe", "bench_grid_workbook", flag.c_str(), file.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string out;
    char buf[256];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) out.append(buf, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    double seconds = 0;
    long kb = 0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || std::sscanf(out.c_str(), "%lf %ld", &seconds, &kb) != 2) {
        std::fprintf(stderr, "%s: the load failed\n", what);
        std::exit(1);
    }
    return {seconds, kb / 1024.0};
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc == 3 && std::strncmp(argv[1], "--child=", 8) == 0) return Child(argv[1] + 8, argv[2], argc, argv);

    const fs::path dir = fs::temp_directory_path() / ("velmor-bench-workbook-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string file = (dir / "big.xlsx").string();
    const std::string bytes = MakeWorkbook();
    std::ofstream(file, std::ios::binary) << bytes;

    const int rounds = 5;
    Spawn("import", file);
    Spawn("orcus", file);
    std::vector<double> ours, peer, ratios, oursMb, peerMb, memRatios;
    for (int i = 0; i < rounds; ++i) {
        const Run a = Spawn("import", file), b = Spawn("orcus", file);
        std::printf("round %d: import %.1f ms %.1f MB, orcus %.1f ms %.1f MB\n", i + 1, a.seconds * 1e3, a.peakMb,
                    b.seconds * 1e3, b.peakMb);
        ours.push_back(a.seconds);
        peer.push_back(b.seconds);
        ratios.push_back(a.seconds / b.seconds);
        oursMb.push_back(a.peakMb);
        peerMb.push_back(b.peakMb);
        memRatios.push_back(b.peakMb > 0 ? a.peakMb / b.peakMb : 0);
    }
    fs::remove_all(dir);
    bench::Summary("grid_workbook")
        .Add("rows", static_cast<long long>(kRows))
        .Add("cols", static_cast<long long>(kCols))
        .Add("file_MB", bytes.size() / 1e6)
        .Add("import_ms", bench::Median(ours) * 1e3, 1)
        .Add("orcus_ms", bench::Median(peer) * 1e3, 1)
        .Add("time_ratio_to_orcus", bench::Median(ratios))
        .Add("import_peak_MB", bench::Median(oursMb), 1)
        .Add("orcus_peak_MB", bench::Median(peerMb), 1)
        .Add("memory_ratio_to_orcus", bench::Median(memRatios))
        .Print();
    return 0;
}
