// Pictures of the keyword generator (both pages) and the batch keyword
// generator with a real page, for a person to look at. Needs a display
// (run it under xvfb-run); on the off-screen platform there is nothing to
// picture and it skips. The pictures go to $VELMOR_SCREENS, or to
// velmor-screens in the temporary folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

#include "composer/ComposerTestSupport.h"
#include "composer/engine/ComposerSettings.h"
#include "composer/tools/AutoKWGForm.h"
#include "composer/tools/KWGenForm.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/ListItem.h"
#include "framework/controls/ListItems.h"
#include "framework/controls/ListView.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/Screen.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/TabSheet.h"
#include "framework/system/ProgramFolder.h"
#include "framework/testkit/PictureCheck.h"
#include "framework/testkit/SimulatedInput.h"

namespace {

namespace fs = std::filesystem;

const char* kRealPage = "/usr/share/doc/apache2-doc/manual/en/index.html";

void Settle() {
    for (int i = 0; i < 50; ++i) Application->ProcessMessages();
}

TEST(KeywordScreens, GeneratorAndBatchWindows) {
    if (!Screen->HasDisplay()) GTEST_SKIP() << "no display to take pictures of";
    if (!fs::exists(kRealPage)) GTEST_SKIP() << "apache2-doc is not installed";

    TTempDir folder;
    TPrivateRegistry store(folder.File("registry.ini"));
    const fs::path data = (fs::path(VELMOR_FIXTURES) / ".." / ".." / ".." / ".." / "data").lexically_normal();
    fs::copy_file(data / "srexclude.txt", folder.File("srexclude.txt"));
    fs::copy_file(kRealPage, folder.File("index.html"));
    SetProgramFolderOverride(folder.Path());
    const char* out = std::getenv("VELMOR_SCREENS");
    const fs::path shots = out && *out ? fs::path(out) : fs::temp_directory_path() / "velmor-screens";
    fs::create_directories(shots);
    auto picture = [&](TForm* form, const char* name) {
        // A window manager maps the window in its own time: it is up once
        // it is the active window.
        for (int i = 0; i < form->ControlCount(); ++i)
            if (auto* w = dynamic_cast<TWinControl*>(form->Controls(i)); w && w->Visible() && w->CanFocus()) {
                WaitForFocus(w);
                break;
            }
        Settle();
        const fs::path file = shots / name;
        ASSERT_TRUE(Screen->CaptureToFile(form->BoundsRect(), file.string())) << file;
        EXPECT_EQ(PictureColours(file.string()), 2) << file << " holds one colour: the window did not show";
        std::cout << "picture: " << file.string() << "\n";
    };

    auto generator = std::make_unique<TKWGenForm>(nullptr);
    generator->AfterConstruction();
    generator->GenerateForFile(folder.File("index.html"));
    EXPECT_GT(generator->ListView1->Items()->Count(), 10);
    for (int row : {0, 2}) generator->ListView1->Items()->Item(row)->SetChecked(true);
    generator->Show();
    generator->SetCaption("Velmor keyword generator - " + folder.File("index.html"));
    picture(generator.get(), "keyword-generator.png");
    generator->SpeedButton4->Click();
    generator->PageControl1->SetActivePage(generator->TabSheet2);
    picture(generator.get(), "keyword-generator-setup.png");
    generator.reset();

    auto batch = std::make_unique<TAutoKWGForm>(nullptr);
    batch->AfterConstruction();
    batch->FileList->Add(folder.File("index.html"));
    batch->Show();
    picture(batch.get(), "batch-keyword-generator.png");
    batch.reset();
    SetProgramFolderOverride("");
}

}  // namespace
