// The user guide the program ships: F1 in every window opens that window's
// topic in the browser, and every help context of the program names a page
// and a place on it that exist.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "composer/ComposerTestSupport.h"
#include "composer/engine/ComposerSettings.h"
#include "composer/tools/AutoKWGForm.h"
#include "composer/tools/KWGenForm.h"
#include "composer/tools/Sbld.h"
#include "composer/tools/SrchFrm.h"
#include "composer/tools/SrchFrm2.h"
#include "composer/tools/WebForm.h"
#include "composer/tools/disptext.h"
#include "composer/tools/poledit.h"
#include "composer/tools/selectedfiles.h"
#include "composer/tools/settingp.h"
#include "composer/tools/stm.h"
#include "composer/tools/subjtree.h"
#include "composer/windows/Form1.h"
#include "framework/controls/Application.h"
#include "framework/controls/DialogScript.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"
#include "framework/system/ShellOpener.h"
#include "framework/testkit/SimulatedInput.h"

namespace {

namespace fs = std::filesystem;

// A program folder holding what the build lays beside the program, and a
// browser that only notes what it was asked to open.
class Guide : public ::testing::Test {
protected:
    TTempDir Folder;
    TPrivateRegistry Store{Folder.File("registry.ini")};
    TDialogScript Dialogs;
    std::vector<String> Opened;
    String OldHelpFile;

    void SetUp() override {
        for (const char* folder : {"help", "schemas", "lists", "wbc", "data"}) {
            const fs::path from = fs::path(VELMOR_BIN_DIR) / folder;
            ASSERT_TRUE(fs::is_directory(from)) << from << " has not been built";
            fs::copy(from, Folder.File(folder), fs::copy_options::recursive);
        }
        SetProgramFolderOverride(Folder.Path());
        ComposerSettings = TComposerSettings();
        SetShellOpenHook([this](const String& address) {
            Opened.push_back(address);
            return true;
        });
        OldHelpFile = Application->HelpFile();
        Application->SetHelpFile(ProgramFolder() + "velmor40.HLP");
        Dialogs.OnUnanswered = [](const TDialogRecord& r) { ADD_FAILURE() << "a box nobody expected: " << r.Text; };
    }
    void TearDown() override {
        Application->SetHelpFile(OldHelpFile);
        SetShellOpenHook(nullptr);
        SetProgramFolderOverride("");
    }
    String Topic(const String& pageAndAnchor) const {
        return FileAddress(Folder.File("help/velmor40/" + pageAndAnchor.substr(0, pageAndAnchor.find('#'))),
                           pageAndAnchor.substr(pageAndAnchor.find('#') + 1));
    }
};

TEST_F(Guide, F1InEveryWindowOpensItsTopic) {
    struct Case {
        const char* Window;
        std::function<TForm*()> Make;
        const char* Topic;
    };
    const Case cases[] = {
        {"main window",
         [] {
             auto* f = new TForm1(nullptr);
             f->AfterConstruction();
             f->FirstActivation = "No";  // no page selection on showing
             return f;
         },
         "index.html#contents"},
        {"keyword generator", [] { return new TKWGenForm(nullptr); }, "kwgen.html#generator"},
        {"batch keyword generator", [] { return new TAutoKWGForm(nullptr); }, "batchkwg.html#batch"},
        {"internet update", [] { return new TWebForm(nullptr); }, "internet.html#update"},
        {"internet update message", [] { return new Tdisptext(nullptr); }, "internet.html#messages"},
        {"list editor", [] { return new TSrchFrm(nullptr); }, "lists.html#list-editor"},
        {"subject tree manager", [] { return new Tstm(nullptr); }, "subjecttree.html#manager"},
        {"subject selector", [] { return new Tsubjtree(nullptr); }, "subjectselector.html#selector"},
        {"system settings", [] { return new Tsettingp(nullptr); }, "settings.html#settings"},
        {"rule base", [] { return new Tpoledit(nullptr); }, "rulebase.html#rulebase"},
        {"custom field editor", [] { return new TSbld(nullptr); }, "fieldeditor.html#field-editor"},
        {"custom field data editor", [] { return new TSrchFrm2(nullptr); }, "fielddata.html#data-editor"},
        {"selected files", [] { return new Tselectedfiles(nullptr); }, "selection.html#select"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TForm> window(c.Make());
        // The keyword generator, shown without a page, says it found no words.
        if (String(c.Window) == "keyword generator") Dialogs.Answer(mrOk);
        window->Show();
        Opened.clear();
        Dialogs.Clear();
        SimulateKey(window.get(), VK_F1);
        EXPECT_EQ(Opened, std::vector<String>{Topic(c.Topic)}) << c.Window;
        window->Hide();
    }
}

TEST_F(Guide, EveryHelpContextNamesAPlaceThatExists) {
    // The contexts of the windows' Help buttons, menus and dialogs.
    for (int context : {0, 1, 3, 4, 5, 6, 7, 9, 10, 15, 19, 20, 26, 509, 739, 911, 1200, 2001, 2002, 2003, 2007, 2009}) {
        Opened.clear();
        ASSERT_TRUE(Application->HelpContext(context)) << context;
        const THelpCall& call = Application->HelpCalls().back();
        ASSERT_FALSE(call.Anchor.empty()) << context;
        EXPECT_NE(ReadFileToString(call.Opened).find("id=\"" + call.Anchor + "\""), String::npos)
            << context << ": " << call.Opened << "#" << call.Anchor;
    }
}

}  // namespace
