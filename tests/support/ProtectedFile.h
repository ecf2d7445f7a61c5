#pragma once
// A file that the user may not write, as users meet it: another user's
// file of mode 0444 in a folder everybody may write; and, to hold it
// against, the plain case of a read-only folder. The writer runs in a child
// process as a user who does not own the file: under root, who may write
// any file, the child drops to the unprivileged uid and gid 65534; under
// any other user it stays that user, to whom a file of mode 0444 is just
// as closed.
#include <gtest/gtest.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/TempDir.h"

enum class TProtection { ReadOnlyFile, ReadOnlyFolder };

// The message of the `E` that `write` raises, "no error" when it raises
// none, and what else it raised otherwise.
template <class E>
std::string ErrorTextOf(const std::function<void()>& write) {
    try {
        write();
    } catch (const E& e) {
        return e.Message;
    } catch (const std::exception& e) {
        return std::string("another exception: ") + e.what();
    }
    return "no error";
}

class TProtectedFile {
public:
    TProtectedFile(TProtection how, const std::string& name, const std::string& content)
        : FHow(how), FPath(FDir.File(name)), FName(name), FContent(content) {
        WriteAll(FPath, content);
        if (how == TProtection::ReadOnlyFile) {
            chmod(FPath.c_str(), 0444);
            chmod(FDir.Path().c_str(), 0777);
        } else {
            chmod(FPath.c_str(), 0644);
            chmod(FDir.Path().c_str(), 0555);
        }
        struct stat st {};
        stat(FPath.c_str(), &st);
        FStat = st;
    }
    ~TProtectedFile() { chmod(FDir.Path().c_str(), 0755); }
    TProtectedFile(const TProtectedFile&) = delete;
    TProtectedFile& operator=(const TProtectedFile&) = delete;

    const std::string& Path() const { return FPath; }

    // Runs `write` in a child process as a user who does not own the file
    // and returns what it returned. When the case cannot be made here,
    // `Skip` says why and the result is empty.
    std::string RunAsAnotherUser(const std::function<std::string()>& write) {
        int pipeFds[2];
        if (pipe(pipeFds) != 0) {
            Skip = std::string("no pipe: ") + strerror(errno);
            return std::string();
        }
        const pid_t child = fork();
        if (child < 0) {
            close(pipeFds[0]);
            close(pipeFds[1]);
            Skip = std::string("no fork: ") + strerror(errno);
            return std::string();
        }
        if (child == 0) {
            close(pipeFds[0]);
            std::string answer = "R" + Child(write);
            for (size_t at = 0; at < answer.size();) {
                const ssize_t n = ::write(pipeFds[1], answer.data() + at, answer.size() - at);
                if (n <= 0) break;
                at += static_cast<size_t>(n);
            }
            _exit(0);
        }
        close(pipeFds[1]);
        std::string answer;
        char buffer[4096];
        for (;;) {
            const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            answer.append(buffer, static_cast<size_t>(n));
        }
        close(pipeFds[0]);
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        if (answer.empty()) return "the writer's process ended without an answer";
        if (answer.compare(0, 2, "RS") == 0) {
            Skip = answer.substr(2);
            return std::string();
        }
        return answer.substr(2);  // "RR" and the writer's text
    }
    std::string Skip;

    // The file holds what it held, byte for byte, with its mode and owner,
    // and nothing (no temporary file) lies beside it.
    ::testing::AssertionResult Untouched() const {
        namespace fs = std::filesystem;
        struct stat st {};
        if (stat(FPath.c_str(), &st) != 0) return ::testing::AssertionFailure() << FPath << " is gone";
        if (ReadAll(FPath) != FContent)
            return ::testing::AssertionFailure() << "now holds \"" << ReadAll(FPath) << '"';
        if (st.st_ino != FStat.st_ino) return ::testing::AssertionFailure() << "another file took its place";
        if (st.st_mode != FStat.st_mode || st.st_uid != FStat.st_uid)
            return ::testing::AssertionFailure() << "its mode or owner changed";
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(FDir.Path(), ec)) names.push_back(e.path().filename().string());
        if (names != std::vector<std::string>{FName}) {
            auto failure = ::testing::AssertionFailure() << "the folder holds";
            for (const auto& n : names) failure << " \"" << n << '"';
            return failure;
        }
        return ::testing::AssertionSuccess();
    }

private:
    // In the child: "S" and why the case cannot be made, or "R" and what
    // the writer returned.
    std::string Child(const std::function<std::string()>& write) {
        if (geteuid() == 0) {
            const gid_t nobodyGroup = 65534;
            if (setgroups(0, nullptr) != 0 || setgid(nobodyGroup) != 0 || setuid(65534) != 0)
                return std::string("S") + "root cannot become another user here: " + strerror(errno);
        }
        const int need = FHow == TProtection::ReadOnlyFile ? (W_OK | X_OK) : X_OK;
        if (access(FDir.Path().c_str(), need) != 0 || access(FPath.c_str(), R_OK) != 0)
            return "Sthe temporary folder " + FDir.Path() + " is out of this user's reach";
        try {
            return "R" + write();
        } catch (const std::exception& e) {
            return std::string("Ran exception the writer let through: ") + e.what();
        } catch (...) {
            return "Ran exception the writer let through";
        }
    }

    TProtection FHow;
    TTempDir FDir;
    std::string FPath;
    std::string FName;
    std::string FContent;
    struct stat FStat {};
};

// Runs `write` on a protected file in each of the two cases and expects
// an error from both, the same text (where it names the file, each its
// own), and each file left as it was. `write` is given the file's path and returns the ErrorTextOf its
// writer. Returns why the cases cannot be made here ("" when they ran):
//     const std::string skip = ExpectRefusedAsInAReadOnlyFolder(...);
//     if (!skip.empty()) GTEST_SKIP() << skip;
inline std::string ExpectRefusedAsInAReadOnlyFolder(const std::string& name, const std::string& content,
                                                    const std::function<std::string(const std::string&)>& write) {
    TProtectedFile folderCase(TProtection::ReadOnlyFolder, name, content);
    TProtectedFile fileCase(TProtection::ReadOnlyFile, name, content);
    std::string inFolder = folderCase.RunAsAnotherUser([&] { return write(folderCase.Path()); });
    const std::string onFile = fileCase.RunAsAnotherUser([&] { return write(fileCase.Path()); });
    if (!folderCase.Skip.empty()) return folderCase.Skip;
    if (!fileCase.Skip.empty()) return fileCase.Skip;
    EXPECT_NE(inFolder, "no error");
    // The two folders' names differ; the texts should not otherwise.
    for (size_t at = inFolder.find(folderCase.Path()); at != std::string::npos;
         at = inFolder.find(folderCase.Path(), at + fileCase.Path().size()))
        inFolder.replace(at, folderCase.Path().size(), fileCase.Path());
    EXPECT_EQ(onFile, inFolder);
    EXPECT_TRUE(folderCase.Untouched()) << "read-only folder";
    EXPECT_TRUE(fileCase.Untouched()) << "read-only file";
    return std::string();
}
