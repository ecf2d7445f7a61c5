// The update run over a page list, with scripted window callbacks.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

#include "EngineTestUtil.h"
#include "composer/engine/PageExceptions.h"
#include "composer/engine/UpdateRun.h"

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

namespace {

const char* kPage = "<html><head><title>Old</title><meta name=\"robots\" content=\"NONE\"></head>"
                    "<body>b</body></html>";
const char* kRobotsLine = "<meta name=\"robots\" content=\"ALL\">";

class UpdateRunTest : public ::testing::Test {
protected:
    UpdateRunTest() {
        run.OnShowMessage = [this](const String& t, TMessageKind k) {
            boxes.push_back(t);
            kinds.push_back(k);
        };
        run.OnResultLine = [this](const String& l) { lines.push_back(l); };
        run.OnClearResults = [this] { lines.push_back("<cleared>"); };
        input.Fields.Robots = "ALL";
        input.Fields.Title = "New";
        input.SchemaName = "dublin";
    }
    std::string Page(const std::string& name, const std::string& text = kPage) {
        const std::string p = dir.File(name);
        WriteAll(p, text);
        input.SelectedFiles.push_back(p);
        return p;
    }
    bool Written(const std::string& p) { return ReadAll(p).find(kRobotsLine) != std::string::npos; }

    TTempDir dir;
    TUpdateRun run;
    TUpdateRunInput input;
    Texts boxes, lines;
    std::vector<TMessageKind> kinds;
};

}  // namespace

TEST_F(UpdateRunTest, EveryPageGetsAProgressAndAResultLine) {
    const std::string a = Page("a.html"), b = Page("b.html"), c = Page("c.html");
    const TUpdateRunResult r = run.Button34Click(input);
    EXPECT_TRUE(r.Completed);
    EXPECT_EQ(r.Written, 3);
    EXPECT_EQ(r.TagLineList, Texts{kRobotsLine});
    EXPECT_EQ(lines, (Texts{"<cleared>", "Preparing to write to file: 1 of 3",
                            "Successfully updated file: " + a, "Preparing to write to file: 2 of 3",
                            "Successfully updated file: " + b, "Preparing to write to file: 3 of 3",
                            "Successfully updated file: " + c}));
    EXPECT_EQ(boxes, Texts{"Successfully Wrote Tags To 3 Files"});
    for (const std::string& p : {a, b, c}) {
        EXPECT_TRUE(Written(p));
        EXPECT_NE(ReadAll(p).find("<title>Old</title>"), std::string::npos) << "several pages";
    }
}

TEST_F(UpdateRunTest, OnePageAlsoGetsTheTitle) {
    const std::string a = Page("a.html");
    EXPECT_EQ(run.Button34Click(input).Written, 1);
    EXPECT_NE(ReadAll(a).find("<title>New</title>"), std::string::npos);
}

TEST_F(UpdateRunTest, FailedPagesGetTheirLineAndTheRunGoesOn) {
    const std::string a = Page("a.html");
    const std::string ro = Page("readonly.html");
    fs::permissions(ro, fs::perms::owner_read);
    const std::string nohead = Page("nohead.html", "<html><head><title>T</title><body>x</body>");
    const std::string empty = "";
    input.SelectedFiles.push_back(empty);
    const std::string d = Page("d.html");
    const TUpdateRunResult r = run.Button34Click(input);
    EXPECT_TRUE(r.Completed);
    EXPECT_EQ(r.Written, 2);
    EXPECT_EQ(boxes, (Texts{"Could not update File, Error 102!", "No File To Load",
                            "Successfully Wrote Tags To 2 Files"}));
    EXPECT_EQ(lines, (Texts{"<cleared>", "Preparing to write to file: 1 of 5",
                            "Successfully updated file: " + a, "Preparing to write to file: 2 of 5",
                            "Failed File update: " + ro, "Error 102: Permission denied",
                            "Preparing to write to file: 3 of 5",
                            "Failed File update: " + nohead, "Missing '</HEAD>' Tag",
                            "Preparing to write to file: 4 of 5", "Preparing to write to file: 5 of 5",
                            "Successfully updated file: " + d}));
    EXPECT_EQ(ReadAll(ro), kPage);
    EXPECT_TRUE(Written(d));
}

TEST_F(UpdateRunTest, PageGoneBeforeItsHeadIsSplicedBackIsReported) {
    const std::string a = Page("a.html");
    const std::string b = Page("b.html");
    int calls = 0;
    // The head normalisation lets messages run once per page; the page
    // disappears meanwhile.
    run.OnProcessMessages = [&] {
        if (++calls == 3) fs::remove(a);
    };
    const TUpdateRunResult r = run.Button34Click(input);
    EXPECT_EQ(r.Written, 1);
    EXPECT_EQ(boxes, (Texts{"File : " + a + " Could Not be Opened\r"
                            "Check to Make Sure File Exists and update list accordingly.",
                            "Successfully Wrote Tags To 1 Files"}));
    EXPECT_EQ(kinds[0], mkError);
    EXPECT_EQ(lines[2], "Failed File update: " + a);
}

TEST_F(UpdateRunTest, AnyOtherErrorEndsTheRunAtThatPage) {
    const std::string a = Page("a.html"), b = Page("b.html"), c = Page("c.html");
    int calls = 0;
    run.OnProcessMessages = [&] {
        if (++calls == 5) throw Exception("boom");
    };
    const TUpdateRunResult r = run.Button34Click(input);
    EXPECT_FALSE(r.Completed);
    EXPECT_EQ(boxes, Texts{"boom"});
    EXPECT_TRUE(Written(a));
    EXPECT_FALSE(Written(b));
    EXPECT_FALSE(Written(c));
    EXPECT_FALSE(run.Active());
}

TEST_F(UpdateRunTest, RefusedRunsTouchNothing) {
    const std::string a = Page("a.html");
    for (const char* schema : {"gilsmask", "GilsMask"}) {
        input.SchemaName = schema;
        EXPECT_FALSE(run.Button34Click(input).Started);
    }
    EXPECT_EQ(boxes[0],
              "The GILSMASK custom schema is meant for mapping values to tokens only\n\r\n\rIt is not "
              "meant for metadata embedding, please change the value of the custom schema to "
              "update meta tags");
    EXPECT_EQ(kinds[0], mkError);
    EXPECT_EQ(ReadAll(a), kPage);

    boxes.clear();
    input.SchemaName = "";
    input.SelectedFiles.clear();
    EXPECT_FALSE(run.Button34Click(input).Started);
    EXPECT_EQ(boxes, Texts{"No files selected"});
    EXPECT_TRUE(lines.empty());
}

TEST_F(UpdateRunTest, OneRunAtATimeOverItsOwnCopyOfTheList) {
    const std::string a = Page("a.html"), b = Page("b.html");
    std::vector<bool> states;
    run.OnActiveChange = [&](bool on) { states.push_back(on); };
    bool triedSecond = false;
    run.OnProcessMessages = [&] {
        EXPECT_TRUE(run.Active());
        if (!triedSecond) {
            triedSecond = true;
            EXPECT_FALSE(run.Button34Click(input).Started);
        }
        input.SelectedFiles.clear();  // the window's selection changes meanwhile
    };
    const TUpdateRunResult r = run.Button34Click(input);
    EXPECT_EQ(r.Written, 2);
    EXPECT_EQ(states, (std::vector<bool>{true, false}));
    EXPECT_FALSE(run.Active());
}

TEST_F(UpdateRunTest, RemoveModeOnlyRemoves) {
    const std::string a = Page("a.html");
    input.RemoveMode = true;
    input.Fields.Robots = "remove";
    input.Fields.Keywords = "new keywords";
    EXPECT_EQ(run.Button34Click(input).Written, 1);
    EXPECT_EQ(ReadAll(a), "<html>\r\n<head>\r\n<title>Old</title>\r\n</head><body>b</body></html>");
}

// Another program changes a page after the run read it and before the run
// replaces it: that program's page stays, the page is reported and not
// counted, and the run goes on with the next one.
TEST_F(UpdateRunTest, APageChangedUnderTheRunKeepsTheChange) {
    const std::string theirs = "<html><head><title>Theirs</title></head><body>their page</body></html>";
    const std::string sameSize(std::string(kPage).size(), 'x');
    struct Change {
        const char* name;
        std::function<void(const std::string& path)> make;
        std::string result;
    };
    const Change changes[] = {
        {"grown in place", [](const std::string& p) { std::ofstream(p, std::ios::app) << "<!-- theirs -->"; },
         std::string(kPage) + "<!-- theirs -->"},
        {"rewritten in place to the same size",
         [&](const std::string& p) {
             const auto before = fs::last_write_time(p);
             std::ofstream(p, std::ios::trunc) << sameSize;
             fs::last_write_time(p, before + std::chrono::seconds(1));
         },
         sameSize},
        {"replaced by another file",
         [&](const std::string& p) {
             WriteAll(p + ".new", theirs);
             fs::rename(p + ".new", p);
         },
         theirs},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        input.SelectedFiles.clear();
        lines.clear();
        boxes.clear();
        const std::string a = Page("a.html"), b = Page("b.html");
        run.OnBeforeReplace = [&](const String& path) {
            if (path == a) change.make(path);
        };
        const TUpdateRunResult r = run.Button34Click(input);
        EXPECT_EQ(r.Written, 1);
        EXPECT_EQ(ReadAll(a), change.result);
        EXPECT_TRUE(Written(b));
        EXPECT_EQ(lines, (Texts{"<cleared>", "Preparing to write to file: 1 of 2", "Failed File update: " + a,
                                "changed by another program during the update", "Preparing to write to file: 2 of 2",
                                "Successfully updated file: " + b}));
        EXPECT_EQ(boxes, Texts{"Successfully Wrote Tags To 1 Files"});
    }
}
