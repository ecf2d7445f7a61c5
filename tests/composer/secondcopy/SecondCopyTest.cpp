// A second copy of the program: refused before its window starts, it
// leaves the first copy and the settings alone. Its own program, since the
// refusal ends the application object for good.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "composer/ComposerTestSupport.h"
#include "composer/engine/ComposerSettings.h"
#include "composer/windows/Form1.h"
#include "framework/controls/Application.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/DialogScript.h"
#include "framework/system/ProgramFolder.h"
#include "framework/system/Registry.h"
#include "styled/base/StyApplication.h"

namespace {

TEST(SecondCopy, IsRefusedWithOneMessageAndSavesNothing) {
    TTempDir folder;
    TPrivateRegistry store(folder.File("registry.ini"));
    SetProgramFolderOverride(folder.Path());
    // A name of its own, so no other test run stands in for the first copy.
    const String instance = "velmor-second-copy-" + folder.Path().substr(folder.Path().rfind('-') + 1);
    TStyApplication first(nullptr, instance);
    TStyApplication second(nullptr, instance);
    ASSERT_TRUE(second.PrevInstance());
    TStyApplication* saved = StyApplication;
    StyApplication = &second;

    TDialogScript dialogs;
    dialogs.OnUnanswered = [](const TDialogRecord& r) { ADD_FAILURE() << "unexpected box: " << r.Text; };
    dialogs.Answer(mrOk);
    {
        auto form = std::make_unique<TForm1>(nullptr);
        form->AfterConstruction();
        EXPECT_TRUE(form->RefusedCopy);
        EXPECT_TRUE(Application->Terminated());
        EXPECT_EQ(form->SelectedFiles, nullptr);  // start-up never ran
        form->CheckBox4->SetChecked(true);
    }
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Shown()[0].Text, "A copy of Velmor is already running");
    EXPECT_EQ(dialogs.Shown()[0].Type, mtInformation);
    // Neither seeded nor saved: the store the first copy uses is untouched.
    EXPECT_FALSE(std::filesystem::exists(folder.File("registry.ini")));
    EXPECT_EQ(first.ActivationRequests(), 0);

    StyApplication = saved;
    SetProgramFolderOverride("");
}

}  // namespace
