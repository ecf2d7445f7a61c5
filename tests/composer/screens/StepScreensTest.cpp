// Pictures of the four steps with a real page read, for a person to look
// at. Needs a display (run it under xvfb-run); on the off-screen platform
// there is nothing to picture and it skips. The pictures go to
// $VELMOR_SCREENS, or to velmor-screens in the temporary folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "composer/ComposerTestSupport.h"
#include "composer/engine/ComposerSettings.h"
#include "composer/windows/Form1.h"
#include "framework/controls/Application.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/DialogScript.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Memo.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/Screen.h"
#include "framework/controls/TabSheet.h"
#include "framework/system/ProgramFolder.h"
#include "framework/testkit/PictureCheck.h"
#include "framework/testkit/SimulatedInput.h"

namespace {

namespace fs = std::filesystem;

const char* kRealPage = "/usr/share/doc/apache2-doc/manual/en/index.html";

void CopyFolder(const fs::path& from, const fs::path& to) {
    fs::create_directories(to);
    for (const auto& e : fs::directory_iterator(from))
        if (e.is_regular_file()) fs::copy_file(e.path(), to / e.path().filename());
}

void Settle() {
    for (int i = 0; i < 50; ++i) Application->ProcessMessages();
}

TEST(StepScreens, EachStepWithARealPage) {
    if (!Screen->HasDisplay()) GTEST_SKIP() << "no display to take pictures of";
    if (!fs::exists(kRealPage)) GTEST_SKIP() << "apache2-doc is not installed";

    TTempDir folder;
    TPrivateRegistry store(folder.File("registry.ini"));
    const fs::path data = (fs::path(VELMOR_FIXTURES) / ".." / ".." / ".." / ".." / "data").lexically_normal();
    CopyFolder(data / "lists", folder.File("lists"));
    CopyFolder(data / "icons", folder.File("icons"));
    fs::create_directories(folder.File("schemas"));
    fs::copy_file(kRealPage, folder.File("index.html"));
    SetProgramFolderOverride(folder.Path());
    const char* out = std::getenv("VELMOR_SCREENS");
    const fs::path shots = out && *out ? fs::path(out) : fs::temp_directory_path() / "velmor-screens";
    fs::create_directories(shots);

    TDialogScript dialogs;
    auto form = std::make_unique<TForm1>(nullptr);
    form->AfterConstruction();
    dialogs.AnswerFiles({folder.File("index.html")}).Answer(mrOk);
    form->SpeedButton2Click(form.get());
    EXPECT_EQ(form->Caption(), "Velmor - " + folder.File("index.html"));
    form->edit22->SetText("apache, http server, documentation, modules, directives");
    form->edit1->SetText("The documentation of the Apache HTTP Server, version 2.4.");
    form->Edit6->SetText("Velmor 4");
    form->Edit4->SetText("The Apache Software Foundation");
    form->edit5->SetText("Documentation Group");
    form->Show();
    // A window manager maps the window in its own time: the window is up
    // once it has the focus.
    ASSERT_TRUE(WaitForFocus(form->TitleBox));
    Settle();

    int n = 0;
    for (TTabSheet* step : {form->TabSheet1, form->TabSheet2, form->TabSheet3, form->TabSheet5}) {
        form->PageControl1->SetActivePage(step);
        Settle();
        const fs::path file = shots / ("step" + std::to_string(++n) + ".png");
        ASSERT_TRUE(Screen->CaptureToFile(form->BoundsRect(), file.string())) << file;
        EXPECT_EQ(PictureColours(file.string()), 2) << file << " holds one colour: the window did not show";
        std::cout << "picture: " << file.string() << "\n";
    }
    form.reset();
    SetProgramFolderOverride("");
}

}  // namespace
