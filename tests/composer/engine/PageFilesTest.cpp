// Pages as files: what is not a regular file is refused, a huge page is
// read and written with flat memory, and a run killed at any moment leaves
// every page whole and, once the folder is written again, no temporary file.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "EngineTestUtil.h"
#include "composer/engine/TagReader.h"
#include "composer/engine/TagWriter.h"
#include "framework/rtl/FileReplacement.h"

namespace fs = std::filesystem;

namespace {

long MaxResidentKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

std::vector<std::string> Temporaries(const std::string& dir) {
    std::vector<std::string> r;
    for (const auto& e : fs::directory_iterator(dir))
        if (IsReplacementTemporary(e.path().filename().string())) r.push_back(e.path().filename().string());
    return r;
}

}  // namespace

TEST(PageFiles, WhatIsNotARegularFileIsRefused) {
    TTempDir dir;
    const std::string fifo = dir.File("pipe.html");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    TTagWriter writer;
    writer.TagLineList = {"<meta name=\"k\" content=\"v\">"};
    std::vector<std::string> shown;
    writer.OnShowMessage = [&](const String& t, TMessageKind) { shown.push_back(t); };
    for (const std::string& path : {fifo, std::string("/dev/null"), dir.Path()}) {
        EXPECT_FALSE(writer.WriteTags(path)) << path;
        EXPECT_EQ(writer.LastFailure,
                  path == dir.Path() ? "Error 101: Is a directory" : "Error 101: Not a regular file");
    }
    EXPECT_EQ(shown, std::vector<std::string>(3, "Could not Load File, Error 101!"));
    TTagReader reader;
    reader.OnShowMessage = [&](const String& t, TMessageKind) { shown.push_back(t); };
    TMetaFields f;
    EXPECT_FALSE(reader.xread(fifo, f));
    EXPECT_EQ(shown.back(), "Could not Load File, Error 101!\r(Not a regular file)");
}

TEST(PageFiles, AGigabytePageIsReadAndWrittenWithFlatMemory) {
    TTempDir dir;
    const std::string path = dir.File("big.html");
    const std::string head = "<html><head><title>Big</title><meta name=keywords content=old></head>\n<body>";
    const std::string tail = "</body></html>\n";
    const std::uintmax_t size = 1ull << 30;
    WriteAll(path, head);
    fs::resize_file(path, size);  // a hole: no disk is used for the gigabyte
    {
        std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(static_cast<std::streamoff>(size - tail.size()));
        f << tail;
    }
    const long before = MaxResidentKb();
    TTagReader reader;
    TMetaFields fields;
    ASSERT_TRUE(reader.xread(path, fields));
    EXPECT_EQ(fields.Title, "Big");
    EXPECT_EQ(fields.Keywords, "old");

    TTagWriter writer;
    writer.TagLineList = {"<meta name=\"keywords\" content=\"new\">"};
    ASSERT_TRUE(writer.WriteTags(path)) << writer.LastFailure;
    EXPECT_LT(MaxResidentKb() - before, 64 * 1024) << "kB more memory at its peak";

    const std::string newHead = "<html>\n<head>\n<title>Big</title>\n<meta name=\"keywords\" content=\"new\">\n</head>";
    const std::uintmax_t grown = newHead.size() - (head.size() - std::string("\n<body>").size());
    ASSERT_EQ(fs::file_size(path), size + grown);
    std::ifstream in(path, std::ios::binary);
    std::string start(newHead.size() + 7, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    EXPECT_EQ(start, newHead + "\n<body>");
    std::string end(tail.size(), '\0');
    in.seekg(static_cast<std::streamoff>(size + grown - tail.size()));
    in.read(end.data(), static_cast<std::streamsize>(end.size()));
    EXPECT_EQ(end, tail);
}

TEST(PageFiles, AKilledRunLeavesEveryPageWholeAndNoTemporaryFile) {
    TTempDir dir;
    const int count = 500;
    std::vector<std::string> pages, original;
    const std::string filler(3000, 'x');
    for (int i = 0; i < count; ++i) {
        pages.push_back(dir.File("p" + std::to_string(i) + ".html"));
        original.push_back("<html><head><title>Old " + std::to_string(i) + "</title></head>\n<body>" + filler +
                           "</body></html>\n");
        WriteAll(pages.back(), original.back());
    }
    const std::string line = "<meta name=\"keywords\" content=\"killed\">";
    auto whole = [&](int i) {
        const std::string now = ReadAll(pages[i]);
        if (now == original[i]) return true;
        const std::string rest = original[i].substr(original[i].find("</head>"));
        return now.find(line) != std::string::npos && now.size() > rest.size() &&
               now.compare(now.size() - rest.size(), rest.size(), rest) == 0;
    };

    std::mt19937 random(17);
    int next = 0;
    for (int round = 0; next < count; ++round) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(fds[0]);
            // Every other run writes through named temporary files, as on
            // a file system without unnamed ones.
            SetUnnamedReplacements(round % 2 == 0);
            TTagWriter writer;
            writer.TagLineList = {line};
            for (int i = next; i < count; ++i) {
                if (!writer.WriteTags(pages[i])) _exit(2);
                if (write(fds[1], &i, sizeof i) != static_cast<ssize_t>(sizeof i)) _exit(3);
            }
            _exit(0);
        }
        close(fds[1]);
        // Killed after a page chosen at random, while the next is written.
        const int stopAfter = next + static_cast<int>(random() % 60);
        int done = next - 1, i = 0;
        while (done < stopAfter && read(fds[0], &i, sizeof i) == static_cast<ssize_t>(sizeof i)) done = i;
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        close(fds[0]);
        EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0)) << status;
        for (int k = 0; k < count; ++k) ASSERT_TRUE(whole(k)) << "page " << k << " after round " << round;
        next = done + 1;
    }
    // The next write into the folder clears what the killed runs left.
    TTagWriter writer;
    writer.TagLineList = {line};
    ASSERT_TRUE(writer.WriteTags(pages[0]));
    EXPECT_EQ(Temporaries(dir.Path()), std::vector<std::string>{});
}

TEST(PageFiles, StaleTemporariesGoAndLiveOnesStay) {
    TTempDir dir;
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    const std::string mine = ".velmor-tmp." + std::to_string(getpid()) + ".1." + host;
    const std::string gone = ".velmor-tmp.999999999.2." + std::string(host);
    const std::string old = ".velmor-tmp.1.3.elsewhere";
    const std::string fresh = ".velmor-tmp.1.4.elsewhere";
    for (const std::string& n : {mine, gone, old, fresh, std::string("page.html")}) WriteAll(dir.File(n), "x");
    const auto past = fs::file_time_type::clock::now() - std::chrono::minutes(5);
    fs::last_write_time(dir.File(old), past);
    RemoveStaleReplacements(dir.Path());
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(dir.Path())) left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    std::vector<std::string> kept{mine, fresh, "page.html"};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(left, kept);
}

// A page that is a link to a file in another folder is replaced in the
// target's folder, so a killed run's temporary files lie there: the next
// write through the link clears them, and the link's own folder is left
// as it was.
TEST(PageFiles, TheStaleTemporariesOfALinkedPageGoFromItsTargetsFolder) {
    TTempDir links, targets;
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    const std::string gone = ".velmor-tmp.999999999.2." + std::string(host);
    const std::string old = ".velmor-tmp.1.3.elsewhere";
    WriteAll(targets.File("page.html"), "<html><head><title>t</title></head><body>b</body></html>");
    for (const std::string& n : {gone, old}) WriteAll(targets.File(n), std::string(1000, 'x'));
    fs::last_write_time(targets.File(old), fs::file_time_type::clock::now() - std::chrono::minutes(5));
    const std::string besideLink = ".velmor-tmp.1.5.elsewhere";  // fresh, and not where the page is made
    WriteAll(links.File(besideLink), "x");
    const std::string link = links.File("page.html");
    ASSERT_EQ(symlink(targets.File("page.html").c_str(), link.c_str()), 0);

    TTagWriter writer;
    writer.TagLineList = {"<meta name=\"k\" content=\"v\">"};
    ASSERT_TRUE(writer.WriteTags(link)) << writer.LastFailure;
    EXPECT_EQ(Temporaries(targets.Path()), std::vector<std::string>{});
    EXPECT_EQ(Temporaries(links.Path()), std::vector<std::string>{besideLink});
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_NE(ReadAll(targets.File("page.html")).find("content=\"v\""), std::string::npos);
}
