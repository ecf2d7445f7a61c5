// Pictures of the composer's tool windows with sample content, for a person
// to look at. Needs a display (run it under xvfb-run); on the off-screen
// platform there is nothing to picture and it skips. The pictures go to
// $VELMOR_SCREENS, or to velmor-screens in the temporary folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>

#include "composer/ComposerTestSupport.h"
#include "composer/engine/ComposerSettings.h"
#include "composer/tools/AboutBox.h"
#include "composer/tools/Sbld.h"
#include "composer/tools/SrchFrm.h"
#include "composer/tools/SrchFrm2.h"
#include "composer/tools/WebForm.h"
#include "composer/tools/btedit.h"
#include "composer/tools/disptext.h"
#include "composer/tools/poledit.h"
#include "composer/tools/selectedfiles.h"
#include "composer/tools/settingp.h"
#include "composer/tools/stm.h"
#include "composer/tools/subjtree.h"
#include "composer/windows/Form1.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/DialogScript.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Memo.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/RichEdit.h"
#include "framework/controls/Screen.h"
#include "framework/controls/TabSheet.h"
#include "framework/graphics/Bitmap.h"
#include "framework/messages/MessageQueue.h"
#include "framework/system/ProgramFolder.h"
#include "framework/system/Registry.h"
#include "framework/testkit/PictureCheck.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "spell/engine/SpellChecker.h"
#include "toolbars/TbMemo.h"
#include "toolbars/TbToolbarButton.h"

namespace {

namespace fs = std::filesystem;

void PutSetting(const String& name, const String& value) {
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey(TComposerSettings::KeyPath, true));
    reg.WriteString(name, value);
}

void Settle() {
    for (int i = 0; i < 50; ++i) Application->ProcessMessages();
}

TWinControl* FirstFocusable(TWinControl* parent) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* w = dynamic_cast<TWinControl*>(parent->Controls(i));
        if (!w || !w->Visible()) continue;
        if (w->CanFocus() && w->TabStop()) return w;
        if (TWinControl* inner = FirstFocusable(w)) return inner;
    }
    return nullptr;
}

// A program folder with the shipped lists, icons, schemas and value lists.
class ComposerWindows : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path data = (fs::path(VELMOR_FIXTURES) / ".." / ".." / ".." / ".." / "data").lexically_normal();
        for (const char* sub : {"lists", "icons", "schemas", "data", "wbc", "profiles"})
            if (fs::exists(data / sub)) fs::copy(data / sub, Folder.File(sub), fs::copy_options::recursive);
        SetProgramFolderOverride(Folder.Path());
        TComposerSettings::SeedDefaults();
    }
    void TearDown() override { SetProgramFolderOverride(""); }

    TTempDir Folder;
    TPrivateRegistry Store{Folder.File("registry.ini")};
    // Boxes a window shows on its way up are answered and named.
    TDialogScript Dialogs;
};

class WindowScreens : public ComposerWindows {
protected:
    void SetUp() override {
        if (!Screen->HasDisplay()) GTEST_SKIP() << "no display to take pictures of";
        ComposerWindows::SetUp();
        const char* out = std::getenv("VELMOR_SCREENS");
        Shots = out && *out ? fs::path(out) : fs::temp_directory_path() / "velmor-screens";
        fs::create_directories(Shots);
    }
    void TearDown() override {
        for (const TDialogRecord& r : Dialogs.Shown()) std::cout << "box: " << r.Text << "\n";
        ComposerWindows::TearDown();
    }

    void Picture(TForm* form, const std::string& name) {
        form->Show();
        // A window manager maps the window in its own time: the window is
        // up once it is the active one.
        if (TWinControl* first = FirstFocusable(form)) WaitForFocus(first);
        Settle();
        const fs::path file = Shots / (name + ".png");
        ASSERT_TRUE(Screen->CaptureToFile(form->BoundsRect(), file.string())) << file;
        EXPECT_EQ(PictureColours(file.string()), 2) << file << " holds one colour: the window did not show";
        std::cout << "picture: " << file.string() << "\n";
    }

    fs::path Shots;
};

template <class W>
std::unique_ptr<W> Make() {
    auto w = std::make_unique<W>(nullptr);
    w->AfterConstruction();
    return w;
}

// Every tool window of the composer, made as the program makes it.
std::vector<std::pair<std::string, std::function<std::unique_ptr<TForm>()>>> ToolWindowMakers() {
    return {
        {"custom-field-editor", [] { return std::unique_ptr<TForm>(Make<TSbld>()); }},
        {"custom-field-data-editor", [] { return std::unique_ptr<TForm>(Make<TSrchFrm2>()); }},
        {"field-editor", [] { return std::unique_ptr<TForm>(Make<Tbtedit>()); }},
        {"list-editor", [] { return std::unique_ptr<TForm>(Make<TSrchFrm>()); }},
        {"internet-update", [] { return std::unique_ptr<TForm>(Make<TWebForm>()); }},
        {"text-window", [] { return std::unique_ptr<TForm>(Make<Tdisptext>()); }},
        {"rule-base", [] { return std::unique_ptr<TForm>(Make<Tpoledit>()); }},
        {"system-settings", [] { return std::unique_ptr<TForm>(Make<Tsettingp>()); }},
        {"subject-tree-manager", [] { return std::unique_ptr<TForm>(Make<Tstm>()); }},
        {"subject-selector", [] { return std::unique_ptr<TForm>(Make<Tsubjtree>()); }},
        {"selected-files", [] { return std::unique_ptr<TForm>(Make<Tselectedfiles>()); }},
        {"about", [] { return std::unique_ptr<TForm>(Make<TAboutBox>()); }},
        {"main-window", [] { return std::unique_ptr<TForm>(Make<TForm1>()); }},
    };
}

TEST_F(WindowScreens, ToolWindows) {
    {
        auto w = Make<TSbld>();
        w->cgrid->LoadCellsFromFile(Folder.File("schemas/dublin.sbf"));
        Picture(w.get(), "custom-field-editor");
    }
    {
        auto w = Make<TSrchFrm2>();
        w->ComboBox1->SetText(Folder.File("data/DC.Type.dat"));
        w->terms1->Lines()->SetText("Text\r\nImage\r\nSound\r\nDataset");
        Picture(w.get(), "custom-field-data-editor");
    }
    {
        auto w = Make<Tbtedit>();
        w->RichEdit1->SetText("Our spring sale starts on Monday.");
        Picture(w.get(), "field-editor");
    }
    for (const auto& [name, make] : ToolWindowMakers()) {
        if (name == "custom-field-editor" || name == "custom-field-data-editor" || name == "field-editor" ||
            name == "selected-files" || name == "main-window")
            continue;  // pictured with content above and below
        auto w = make();
        Picture(w.get(), name);
    }
    {
        auto w = Make<Tselectedfiles>();
        TStringList files;
        files.Add(Folder.File("index.html"));
        files.Add(Folder.File("about.html"));
        w->ShowFiles(&files);
        Picture(w.get(), "selected-files");
    }
}

TEST_F(WindowScreens, CustomFieldEditorEditingItsFirstRow) {
    auto w = Make<TSbld>();
    w->cgrid->LoadCellsFromFile(Folder.File("schemas/dublin.sbf"));
    w->Show();
    ASSERT_TRUE(WaitForFocus(w->cgrid));
    const TRect cell = w->cgrid->CellRect(0, 1);
    SimulateClick(w->cgrid, cell.Left + 5, cell.Top + 5);
    SimulateClick(w->cgrid, cell.Left + 5, cell.Top + 5);
    Picture(w.get(), "custom-field-editor-editing");
}

// The spell dialog as the description's check opens it, with the main
// window under it: the picture is the whole screen.
TEST_F(WindowScreens, SpellDialogOverTheMainWindow) {
    fs::copy_file(fs::path(VELMOR_BIN_DIR) / "english.dct", Folder.File("english.dct"));
    auto form = Make<TForm1>();
    form->FirstActivation = "No";  // no page selection on showing
    form->edit22->SetText("apache, http server, documentation");
    form->edit1->SetText("The documentaton of the Apache HTTP Server");
    form->Show();
    Settle();
    HWND wnd = AllocateHWnd([&](TMessage& m) {
        if (m.Msg != WM_USER + 1) return;
        TForm* d = form->SpellVelmor->DialogForm();
        Settle();
        const fs::path file = Shots / "spell-dialog.png";
        EXPECT_TRUE(Screen->CaptureToFile(Rect(0, 0, Screen->Width(), Screen->Height()), file.string()));
        EXPECT_EQ(PictureColours(file.string()), 2) << file << " holds one colour: the window did not show";
        std::cout << "picture: " << file.string() << "\n";
        if (d) d->Close();
    });
    form->SpellVelmor->OnMisspelledWord = [&](TObject*) { PostMessage(wnd, WM_USER + 1); };
    form->SpeedButton5->Click();
    DeallocateHWnd(wnd);
}

TEST_F(WindowScreens, CustomStepWithSchema) {
    PutSetting("schema", "dublin");
    auto form = Make<TForm1>();
    form->PageControl1->SetActivePage(form->TabSheet3);
    Picture(form.get(), "custom-step-dublin");
}

TEST_F(WindowScreens, CustomStepAfterAFailedSchema) {
    PutSetting("schema", "missing");
    auto form = Make<TForm1>();
    form->PageControl1->SetActivePage(form->TabSheet3);
    Picture(form.get(), "custom-step-failed-schema");
}

}  // namespace

// One set of pictures across the windows: every toolbar button shows an
// icon from the bundled set, so none reads as bare text beside pictured ones.
TEST_F(ComposerWindows, EveryToolbarButtonHasItsIcon) {
    for (const auto& [name, make] : ToolWindowMakers()) {
        std::unique_ptr<TForm> w = make();
        for (int i = 0; i < w->ComponentCount(); ++i) {
            auto* b = dynamic_cast<TTbToolbarButton*>(w->Components(i));
            if (!b) continue;
            EXPECT_TRUE(b->Glyph() && !b->Glyph()->Empty()) << name << ": " << b->Name() << " \"" << b->Caption() << "\"";
        }
    }
}
