// A modal window disables the windows shown when it starts, and only them:
// a window opened over it takes input. When it closes, the window that
// opened it has the keyboard again.
#include <gtest/gtest.h>

#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/ModalSeam.h"
#include "framework/messages/MessageQueue.h"
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

// A window with a field that has the keyboard, from which a dialog opens.
struct TOpenerWindow {
    TForm Main{nullptr};
    TEdit* Field = new TEdit(&Main);
    TOpenerWindow() {
        Main.SetBounds(40, 40, 300, 120);
        Field->SetBounds(10, 10, 200, 24);
        Field->SetParent(&Main);
        Main.Show();
        EXPECT_TRUE(WaitForFocus(Field));
    }
    // The keyboard focus is where the window system put it (on a real
    // display the toolkit hears of it from the X server), and what is
    // typed next lands in the field.
    void ExpectTheKeyboardBack() {
        EXPECT_TRUE(PumpMessagesUntil([this] { return Field->Focused(); }, 5000));
        SimulateText(Field, "after");
        EXPECT_EQ(Field->Text(), "after");
    }
};

// A dialog of ours, modal or not, kept or freed as it closes, leaves the
// keyboard to the window it opened over.
TEST(ModalWindows, TheOpenerHasTheKeyboardAgainWhenADialogCloses) {
    struct TCase {
        const char* Name;
        bool Modal;
        bool Release;  // the dialog frees itself as it closes
    } const cases[] = {{"answered", true, false}, {"released", true, true}, {"shown, closed", false, false},
                       {"shown, freed", false, true}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TOpenerWindow opener;
        auto* dialog = new TForm(nullptr);
        dialog->SetBounds(120, 100, 240, 120);
        auto* ok = new TButton(dialog);
        ok->SetBounds(10, 10, 80, 25);
        ok->SetCaption("OK");
        ok->SetParent(dialog);
        std::unique_ptr<TForm> owned(c.Release ? nullptr : dialog);
        if (c.Release) dialog->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
        if (c.Modal) {
            ok->SetModalResult(mrOk);
            TModalAnswer answer([&](TForm*) {
                // The dialog is answered as a person does: by the keyboard.
                ASSERT_TRUE(WaitForFocus(ok));
                SimulateKey(ok, VK_SPACE, " ");
            });
            EXPECT_EQ(dialog->ShowModal(), mrOk);
        } else {
            ok->OnClick = [dialog](TObject*) { dialog->Close(); };
            dialog->Show();
            ASSERT_TRUE(WaitForFocus(ok));
            SimulateKey(ok, VK_SPACE, " ");
        }
        opener.ExpectTheKeyboardBack();
    }
}

}  // namespace
