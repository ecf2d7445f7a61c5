// Path helpers, the case-insensitive lookup, folder listing and safe writing,
// on a temporary folder.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"
#include "support/ProtectedFile.h"
#include "support/TempDir.h"

namespace {

class TempDir : public testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(dir_.empty()); }
    void TearDown() override { SetSafeWriteHook(nullptr); }
    String P(const String& rel) const { return dir_ + "/" + rel; }
    void Write(const String& rel, const String& data) const {
        std::ofstream f(P(rel), std::ios::binary);
        f << data;
    }
    std::vector<String> Entries() const {
        std::vector<String> r;
        DIR* d = opendir(dir_.c_str());
        while (dirent* e = readdir(d))
            if (strcmp(e->d_name, ".") && strcmp(e->d_name, "..")) r.push_back(e->d_name);
        closedir(d);
        std::sort(r.begin(), r.end());
        return r;
    }
    TTempDir scratch_;
    String dir_ = scratch_.Path();
};

TEST(FileUtilsPaths, Table) {
    struct {
        const char* path;
        const char* filePath;
        const char* fileDir;
        const char* name;
        const char* ext;
    } cases[] = {
        {"/a/b/c.txt", "/a/b/", "/a/b", "c.txt", ".txt"},
        {"/a/b/", "/a/b/", "/a/b", "", ""},
        {"/c.txt", "/", "/", "c.txt", ".txt"},
        {"c.tar.gz", "", "", "c.tar.gz", ".gz"},
        {"/a.b/c", "/a.b/", "/a.b", "c", ""},
        {"/a/.bashrc", "/a/", "/a", ".bashrc", ".bashrc"},
        {"noext", "", "", "noext", ""},
        {"", "", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ExtractFilePath(c.path), c.filePath);
        EXPECT_EQ(ExtractFileDir(c.path), c.fileDir);
        EXPECT_EQ(ExtractFileName(c.path), c.name);
        EXPECT_EQ(ExtractFileExt(c.path), c.ext);
    }
    EXPECT_EQ(ChangeFileExt("/a/b.c.txt", ".ini"), "/a/b.c.ini");
    EXPECT_EQ(ChangeFileExt("/a.b/c", ".x"), "/a.b/c.x");
    EXPECT_EQ(ChangeFileExt("f.txt", ""), "f");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a"), "/a");
    EXPECT_EQ(ExpandFileName("/a/./b/../c"), "/a/c");
    EXPECT_EQ(ExpandFileName("/a//b/"), "/a/b/");
    EXPECT_EQ(ExpandFileName("/.."), "/");
    EXPECT_EQ(ExpandFileName("x/y"), GetCurrentDir() + "/x/y");
}

TEST(FileUtilsPaths, PathJoin) {
    struct {
        const char* a;
        const char* b;
        const char* want;
    } cases[] = {
        {"a", "b", "a/b"},           {"a/", "b", "a/b"},           {"a", "/b", "a/b"},
        {"a//", "//b", "a/b"},       {"a\\b", "c\\d.txt", "a/b/c/d.txt"}, {"/", "x", "/x"},
        {"", "b", "b"},              {"a", "", "a"},               {"lists\\", "\\words.txt", "lists/words.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " + " << c.b);
        EXPECT_EQ(PathJoin(c.a, c.b), c.want);
    }
    EXPECT_EQ(PathJoin({"/p", "data\\", "x.txt"}), "/p/data/x.txt");
    EXPECT_EQ(PathJoin({"one"}), "one");
    EXPECT_EQ(NormalizePath("a\\b\\c"), "a/b/c");
}

TEST_F(TempDir, FileAndFolderBasics) {
    Write("f.txt", "hello");
    EXPECT_TRUE(FileExists(P("f.txt")));
    EXPECT_FALSE(FileExists(dir_));
    EXPECT_TRUE(DirectoryExists(dir_));
    EXPECT_FALSE(DirectoryExists(P("f.txt")));
    EXPECT_EQ(FileSize(P("f.txt")), 5);
    EXPECT_EQ(FileSize(P("missing")), -1);
    ASSERT_EQ(symlink(P("f.txt").c_str(), P("link").c_str()), 0);
    EXPECT_TRUE(FileExists(P("link")));
    EXPECT_TRUE(RenameFile(P("f.txt"), P("g.txt")));
    EXPECT_FALSE(FileExists(P("f.txt")));
    EXPECT_FALSE(FileExists(P("link")));  // dangling now
    EXPECT_TRUE(DeleteFile(P("g.txt")));
    EXPECT_FALSE(DeleteFile(P("g.txt")));
    EXPECT_TRUE(ForceDirectories(P("x/y/z/")));
    EXPECT_TRUE(DirectoryExists(P("x/y/z")));
    EXPECT_TRUE(ForceDirectories(P("x/y")));
    EXPECT_FALSE(ForceDirectories(""));
    EXPECT_TRUE(CreateDir(P("n")));
    EXPECT_FALSE(CreateDir(P("n")));
    EXPECT_TRUE(RemoveDir(P("n")));
    EXPECT_FALSE(RemoveDir(P("x")));  // not empty
    String cwd = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(dir_));
    EXPECT_EQ(GetCurrentDir(), dir_);
    ASSERT_TRUE(SetCurrentDir(cwd));
}

TEST_F(TempDir, FindPathNoCase) {
    ASSERT_TRUE(ForceDirectories(P("Data/Lists")));
    Write("Data/Lists/Words.TXT", "w");
    Write("a.txt", "lower");
    Write("A.txt", "upper");
    Write("B.ini", "b");
    struct {
        const char* query;
        const char* want;  // relative to the folder; nullptr: nothing
    } cases[] = {
        {"Data/Lists/Words.TXT", "Data/Lists/Words.TXT"},
        {"data/lists/words.txt", "Data/Lists/Words.TXT"},
        {"DATA/LISTS/WORDS.txt", "Data/Lists/Words.TXT"},
        {"data/lists", "Data/Lists"},
        {"a.txt", "a.txt"},  // the exact name wins
        {"A.txt", "A.txt"},
        {"A.TXT", "A.txt"},  // else the first in sorted order ('A' < 'a')
        {"b.INI", "B.ini"},
        {"data/missing.txt", nullptr},
        {"nodir/words.txt", nullptr},
        {"a.txt/x", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        String got = FindPathNoCase(P(c.query));
        EXPECT_EQ(got, c.want ? P(c.want) : String());
    }
    EXPECT_EQ(FindPathNoCase(""), "");
    // Relative paths are looked up from the working directory.
    String cwd = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(dir_));
    EXPECT_EQ(FindPathNoCase("data/LISTS/words.txt"), "Data/Lists/Words.TXT");
    EXPECT_EQ(FindPathNoCase("./b.ini"), "./B.ini");
    ASSERT_TRUE(SetCurrentDir(cwd));
}

TEST_F(TempDir, ListFilesByExt) {
    for (const char* f : {"b.TXT", "a.txt", "c.doc", "noext", ".hidden.txt", "d.txt.bak"}) Write(f, "x");
    ASSERT_TRUE(CreateDir(P("folder.txt")));
    ASSERT_EQ(symlink(P("a.txt").c_str(), P("link.txt").c_str()), 0);
    ASSERT_EQ(symlink(P("folder.txt").c_str(), P("dirlink.txt").c_str()), 0);
    const String cwd = GetCurrentDir();
    const std::vector<String> txt = {".hidden.txt", "a.txt", "b.TXT", "link.txt"};
    for (const char* ext : {".txt", "txt", "TXT", ".TxT"}) {
        SCOPED_TRACE(ext);
        EXPECT_EQ(ListFilesByExt(dir_, ext), txt);
    }
    const std::vector<String> all = {".hidden.txt", "a.txt", "b.TXT", "c.doc", "d.txt.bak", "link.txt", "noext"};
    EXPECT_EQ(ListFilesByExt(dir_, "*"), all);
    EXPECT_EQ(ListFilesByExt(dir_, ""), all);
    EXPECT_EQ(ListFilesByExt(dir_ + "/", "doc"), std::vector<String>{"c.doc"});
    EXPECT_TRUE(ListFilesByExt(P("missing"), "txt").empty());
    EXPECT_EQ(GetCurrentDir(), cwd);
}

// Both readers give a file's bytes and report errors alike; the one that
// reads in pieces on several processors gets a file large enough for that,
// whose every piece differs.
TEST_F(TempDir, ReadFileToStringWholeOrInPieces) {
    const String data("a\0b\r\nc\xff", 7);
    Write("bin", data);
    Write("empty", "");
    String large;
    for (unsigned i = 0; large.size() < 3 * 1024 * 1024 + 77; ++i) large += std::to_string(i * 2654435761u) + "\r\n";
    Write("large", large);
    for (auto read : {&ReadFileToString, &ReadFileToStringInPieces}) {
        SCOPED_TRACE(read == &ReadFileToString ? "whole" : "in pieces");
        EXPECT_EQ(read(P("bin")), data);
        EXPECT_EQ(read(P("empty")), "");
        EXPECT_TRUE(read(P("large")) == large);
        try {
            read(P("missing"));
            ADD_FAILURE();
        } catch (const EFOpenError& e) {
            EXPECT_EQ(e.Message, "Cannot open file \"" + P("missing") + "\". No such file or directory");
        }
        EXPECT_THROW(read(dir_), EFOpenError);
        // A relative name is reported by its full path.
        const String cwd = GetCurrentDir();
        ASSERT_TRUE(SetCurrentDir(dir_));
        try {
            read("gone.txt");
            ADD_FAILURE();
        } catch (const EFOpenError& e) {
            EXPECT_NE(e.Message.find("\"" + dir_ + "/gone.txt\""), String::npos) << e.Message;
        }
        ASSERT_TRUE(SetCurrentDir(cwd));
    }
}

mode_t ModeOf(const String& path) {
    struct stat st;
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST_F(TempDir, SafeWriteFileNewAndExisting) {
    const String f = P("page.html");
    SafeWriteFile(f, "first");
    EXPECT_EQ(ReadFileToString(f), "first");
    mode_t um = umask(022);
    umask(um);
    EXPECT_EQ(ModeOf(f), 0666 & ~um);
    ASSERT_EQ(chmod(f.c_str(), 0640), 0);
    const String big(1 << 20, 'x');
    SafeWriteFile(f, big);
    EXPECT_EQ(ReadFileToString(f), big);
    EXPECT_EQ(ModeOf(f), 0640u);
    SafeWriteFile(f, "");
    EXPECT_EQ(ReadFileToString(f), "");
    EXPECT_EQ(Entries(), std::vector<String>{"page.html"});
}

TEST_F(TempDir, SafeWriteFileThroughALinkKeepsTheLink) {
    Write("target.txt", "old");
    ASSERT_EQ(symlink("target.txt", P("link.txt").c_str()), 0);
    SafeWriteFile(P("link.txt"), "new");
    struct stat st;
    ASSERT_EQ(lstat(P("link.txt").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(ReadFileToString(P("target.txt")), "new");
}

TEST_F(TempDir, SafeWriteFileFailureAtEachStageLeavesTheOldFile) {
    struct {
        const char* stage;
        bool createError;
    } stages[] = {{"create", true}, {"write", false}, {"sync", false}, {"rename", false}};
    const String f = P("list.txt");
    for (const auto& s : stages) {
        SCOPED_TRACE(s.stage);
        Write("list.txt", "old content\r\n");
        ASSERT_EQ(chmod(f.c_str(), 0604), 0);
        std::vector<String> seen;
        SetSafeWriteHook([&](const char* stage) {
            seen.push_back(stage);
            if (String(stage) == s.stage) throw std::runtime_error("simulated failure");
        });
        try {
            SafeWriteFile(f, "new content that must not appear");
            ADD_FAILURE() << "no exception";
        } catch (const EFCreateError& e) {
            EXPECT_TRUE(s.createError);
            EXPECT_NE(e.Message.find(f), String::npos) << e.Message;
            EXPECT_NE(e.Message.find("simulated failure"), String::npos) << e.Message;
        } catch (const EWriteError& e) {
            EXPECT_FALSE(s.createError);
            EXPECT_NE(e.Message.find(f), String::npos) << e.Message;
            EXPECT_NE(e.Message.find("simulated failure"), String::npos) << e.Message;
        }
        SetSafeWriteHook(nullptr);
        EXPECT_EQ(seen.back(), s.stage);
        EXPECT_EQ(ReadFileToString(f), "old content\r\n");
        EXPECT_EQ(ModeOf(f), 0604u);
        EXPECT_EQ(Entries(), std::vector<String>{"list.txt"});  // no temporary file left
    }
    // Without the hook, every stage is passed in order.
    std::vector<String> seen;
    SetSafeWriteHook([&](const char* stage) { seen.push_back(stage); });
    SafeWriteFile(f, "done");
    EXPECT_EQ(seen, (std::vector<String>{"create", "write", "sync", "rename"}));
    EXPECT_EQ(ReadFileToString(f), "done");
}

// Renaming over a file ignores its permissions: another user's read-only
// file in a shared folder would be replaced, and become the writer's.
TEST(SafeWriteFileProtected, AFileTheUserMayNotWriteIsRefusedAsAReadOnlyFolderIs) {
    auto write = [](const std::string& path) {
        return ErrorTextOf<EFCreateError>([&] { SafeWriteFile(path, "new content"); });
    };
    const std::string skip = ExpectRefusedAsInAReadOnlyFolder("list.txt", "old content\r\n", write);
    if (!skip.empty()) GTEST_SKIP() << skip;

    TProtectedFile file(TProtection::ReadOnlyFile, "list.txt", "old");
    EXPECT_EQ(file.RunAsAnotherUser([&] { return write(file.Path()); }),
              "Cannot create file \"" + file.Path() + "\". Permission denied");
    EXPECT_TRUE(file.Untouched());

    // Through a link the file it names is what counts; the link stays.
    TTempDir links;
    const std::string link = links.File("link.txt");
    ASSERT_EQ(symlink(file.Path().c_str(), link.c_str()), 0);
    EXPECT_EQ(file.RunAsAnotherUser([&] { return write(link); }),
              "Cannot create file \"" + link + "\". Permission denied");
    EXPECT_TRUE(file.Untouched());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
}

TEST_F(TempDir, SafeWriteFileRealFailures) {
    // A folder that does not exist: the temporary file cannot be made.
    try {
        SafeWriteFile(P("nodir/x.txt"), "x");
        ADD_FAILURE();
    } catch (const EFCreateError& e) {
        EXPECT_NE(e.Message.find("nodir/x.txt"), String::npos);
        EXPECT_NE(e.Message.find("No such file or directory"), String::npos) << e.Message;
    }
    // A folder in the way of the name: the rename fails, nothing is left.
    ASSERT_TRUE(CreateDir(P("taken")));
    Write("taken/inner", "keep");
    EXPECT_THROW(SafeWriteFile(P("taken"), "x"), EWriteError);
    EXPECT_TRUE(DirectoryExists(P("taken")));
    EXPECT_EQ(Entries(), std::vector<String>{"taken"});
}

}  // namespace
