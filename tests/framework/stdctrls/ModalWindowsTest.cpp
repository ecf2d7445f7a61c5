// A modal window disables the windows shown when it starts, and only them:
// a window opened over it takes input.
#include <gtest/gtest.h>

#include "framework/controls/CheckBox.h"
#include "framework/controls/Form.h"
#include "framework/controls/ModalSeam.h"
#include "framework/testkit/SimulatedInput.h"

namespace {

struct TBoxWindow {
    std::unique_ptr<TForm> Form;
    TCheckBox* Box;
    explicit TBoxWindow(int left) : Form(new TForm(nullptr)), Box(new TCheckBox(Form.get())) {
        Form->SetBounds(left, 40, 160, 80);
        Box->SetBounds(10, 10, 120, 20);
        Box->SetParent(Form.get());
    }
    // Clicks the box and tells whether it took the click.
    bool TakesClick() {
        const bool was = Box->Checked();
        SimulateClick(Box, 8, 8);
        return Box->Checked() != was;
    }
};

TEST(ModalWindows, OnlyTheWindowsShownBeforeAModalOneAreDisabled) {
    TBoxWindow main(20), dialog(200), tool(380), box(560);
    main.Form->Show();
    bool checkedDialog = false, checkedBox = false;
    TModalAnswer answer([&](TForm* f) {
        if (f == dialog.Form.get()) {
            EXPECT_FALSE(main.TakesClick()) << "the window below the dialog";
            EXPECT_TRUE(dialog.TakesClick());
            tool.Form->Show();  // opened from the dialog, not modal
            EXPECT_TRUE(tool.TakesClick()) << "a window opened over the modal one";
            EXPECT_EQ(box.Form->ShowModal(), mrOk);
            EXPECT_TRUE(dialog.TakesClick()) << "the dialog once the box over it is answered";
            checkedDialog = true;
            f->SetModalResult(mrOk);
        } else if (f == box.Form.get()) {
            EXPECT_TRUE(box.TakesClick());
            EXPECT_FALSE(dialog.TakesClick()) << "a modal window below another";
            EXPECT_FALSE(tool.TakesClick()) << "a window shown before the second modal one";
            checkedBox = true;
            f->SetModalResult(mrOk);
        }
    });
    EXPECT_EQ(dialog.Form->ShowModal(), mrOk);
    EXPECT_TRUE(checkedDialog && checkedBox);
    EXPECT_TRUE(main.TakesClick()) << "the main window once the dialog is answered";
    EXPECT_TRUE(tool.TakesClick());
}

}  // namespace
