// The main window's check boxes and toolbar buttons driven by the mouse, the
// way a person uses them, and what they leave in the fields and the store;
// its toolbar buttons' underlined letters.
#include "MainWindowTestSupport.h"

#include <functional>
#include <memory>

#include "framework/classes/Strings.h"
#include "framework/controls/Application.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Memo.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/TabSheet.h"
#include "framework/messages/MessageQueue.h"
#include "framework/testkit/SimulatedInput.h"
#include "composer/windows/FieldTools.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "toolbars/TbToolbarButton.h"

namespace {

using MainWindowInput = MainWindowTest;

struct TInputStep {
    const char* What;
    TTabSheet* TForm1::*Page;
    std::function<TControl*(TForm1*)> Target;
    TMouseButton Button;
    std::vector<String> Boxes;  // the boxes the click shows
    std::function<void(TForm1*)> Check;
};

template <class T>
std::function<TControl*(TForm1*)> Of(T* TForm1::*member) {
    return [member](TForm1* f) -> TControl* { return f->*member; };
}

void ExpectHelp(int context) {
    ASSERT_FALSE(Application->HelpCalls().empty());
    EXPECT_EQ(Application->HelpCalls().back().Data, context);
}

TEST_F(MainWindowInput, EveryCheckBoxAndToolbarButtonWorksByTheMouse) {
    using namespace MainTexts;
    TForm1* f = Create();
    Dialogs.Answer(mrCancel);  // the first activation offers the selection
    f->Show();
    ASSERT_TRUE(WaitForFocus(f->TitleBox));
    const std::vector<TInputStep> steps = {
        {"Page on step 1 empties the keyword fields", &TForm1::TabSheet1, Of(&TForm1::TbToolbarButton8), mbLeft, {},
         [](TForm1* f) { EXPECT_EQ(f->TitleBox->Text(), ""); }},
        {"Help on step 1", &TForm1::TabSheet1, Of(&TForm1::TbToolbarButton6), mbLeft, {},
         [](TForm1*) { ExpectHelp(hcKeywords); }},
        {"Next on step 1", &TForm1::TabSheet1, Of(&TForm1::TbToolbarButton7), mbLeft, {},
         [](TForm1* f) { EXPECT_EQ(f->PageControl1->ActivePage(), f->TabSheet2); }},
        {"Page on step 2 empties the page fields", &TForm1::TabSheet2, Of(&TForm1::TbToolbarButton13), mbLeft, {},
         [](TForm1* f) { EXPECT_EQ(f->Edit6->Text(), ""); }},
        {"Help on step 2", &TForm1::TabSheet2, Of(&TForm1::TbToolbarButton12), mbLeft, {},
         [](TForm1*) { ExpectHelp(hcOptions); }},
        {"Custom on step 2", &TForm1::TabSheet2, Of(&TForm1::TbToolbarButton14), mbLeft, {},
         [](TForm1* f) { EXPECT_EQ(f->PageControl1->ActivePage(), f->TabSheet3); }},
        {"Auto Size", &TForm1::TabSheet3, Of(&TForm1::CheckBox2), mbLeft, {},
         [](TForm1* f) {
             EXPECT_TRUE(f->CheckBox2->Checked());
             EXPECT_TRUE(f->grid1->AutoSize());
         }},
        {"Multi-Line", &TForm1::TabSheet3, Of(&TForm1::CheckBox3), mbLeft, {},
         [](TForm1* f) {
             EXPECT_TRUE(f->grid1->Multilinecells());
             EXPECT_EQ(f->grid1->DefaultRowHeight(), 28);
         }},
        {"Protect Name", &TForm1::TabSheet3, Of(&TForm1::CheckBox4), mbLeft, {},
         [](TForm1*) { EXPECT_EQ(ComposerSettings.name, "1"); }},
        {"Add Row", &TForm1::TabSheet3, Of(&TForm1::TbToolbarButton23), mbLeft, {},
         [](TForm1* f) { EXPECT_EQ(f->grid1->RowCount(), 3); }},
        {"Delete Row", &TForm1::TabSheet3, Of(&TForm1::minusb), mbLeft, {},
         [](TForm1* f) { EXPECT_EQ(f->grid1->RowCount(), 2); }},
        {"Help on step 3", &TForm1::TabSheet3, Of(&TForm1::TbToolbarButton19), mbLeft, {},
         [](TForm1*) { ExpectHelp(hcCustom); }},
        {"Next on step 3", &TForm1::TabSheet3, Of(&TForm1::TbToolbarButton18), mbLeft, {},
         [](TForm1* f) { EXPECT_EQ(f->PageControl1->ActivePage(), f->TabSheet5); }},
        {"Remove Tags ticked warns", &TForm1::TabSheet5, Of(&TForm1::rblank), mbLeft, {SRemoveWarning},
         [](TForm1* f) { EXPECT_TRUE(f->rblank->Checked()); }},
        {"a right click on the ticked box warns and leaves it", &TForm1::TabSheet5, Of(&TForm1::rblank), mbRight,
         {SRemoveWarning}, [](TForm1* f) { EXPECT_TRUE(f->rblank->Checked()); }},
        {"Remove Tags unticked is quiet", &TForm1::TabSheet5, Of(&TForm1::rblank), mbLeft, {},
         [](TForm1* f) { EXPECT_FALSE(f->rblank->Checked()); }},
        {"a right click on the clear box does nothing", &TForm1::TabSheet5, Of(&TForm1::rblank), mbRight, {},
         [](TForm1* f) { EXPECT_FALSE(f->rblank->Checked()); }},
        {"Tags reports on the values, wrapped", &TForm1::TabSheet5, Of(&TForm1::TbToolbarButton20), mbLeft, {},
         [](TForm1* f) {
             EXPECT_GT(f->TagLines->Lines()->Count(), 0);
             EXPECT_TRUE(f->TagLines->WordWrap());
         }},
        {"Show Tags lists the tags unwrapped", &TForm1::TabSheet5, Of(&TForm1::TbToolbarButton21), mbLeft, {},
         [](TForm1* f) { EXPECT_FALSE(f->TagLines->WordWrap()); }},
        {"Help on step 4", &TForm1::TabSheet5, Of(&TForm1::TbToolbarButton26), mbLeft, {},
         [](TForm1*) { ExpectHelp(hcUpdate); }},
    };
    for (const TInputStep& step : steps) {
        SCOPED_TRACE(step.What);
        f->PageControl1->SetActivePage(f->*step.Page);
        TControl* target = step.Target(f);
        const size_t before = ShownTexts().size();
        for (size_t i = 0; i < step.Boxes.size(); ++i) Dialogs.Answer(mrOk);
        SimulateClick(target, 6, target->Height() / 2, step.Button);
        const std::vector<String> shown = ShownTexts();
        EXPECT_EQ(std::vector<String>(shown.begin() + static_cast<std::ptrdiff_t>(before), shown.end()), step.Boxes);
        step.Check(f);
    }
    Form.reset();  // closing saves what the boxes say
    EXPECT_EQ(Get("rblank"), "0");
    EXPECT_EQ(Get("Autosize"), "1");
    EXPECT_EQ(Get("multiline"), "1");
    EXPECT_EQ(Get("name"), "1");
}

// For its lifetime, Application is an object of its own: Exit ends the
// program, and that must not stick to the tests after this one.
class TScratchApplication {
public:
    TScratchApplication() : FSaved(Application) {
        Application = nullptr;
        FApp = std::make_unique<TApplication>(nullptr);
        FOldHandler = SetDispatchExceptionHandler([app = FApp.get()](std::exception_ptr e) {
            app->HandleException(nullptr, e);
        });
    }
    ~TScratchApplication() {
        FApp.reset();
        Application = FSaved;
        SetDispatchExceptionHandler(std::move(FOldHandler));
    }
    TApplication* App() const { return FApp.get(); }

private:
    TApplication* FSaved;
    std::unique_ptr<TApplication> FApp;
    TDispatchExceptionHandler FOldHandler;
};

// Alt with a letter presses the toolbar button whose caption underlines it,
// on the step that shows; the field with the focus never gets the letter.
TEST_F(MainWindowInput, AltLettersPressTheUnderlinedToolbarButtonsOfTheStepShown) {
    TForm1* f = Create();
    Dialogs.Answer(mrCancel);  // the first activation offers the selection
    f->Show();
    TScratchApplication scratch;
    struct Case {
        const char* What;
        TTabSheet* TForm1::*Page;
        std::function<TWinControl*(TForm1*)> Field;
        Word Key;
        std::vector<String> Boxes;  // the boxes the key shows
        bool Ends;                  // the program ends
    };
    const auto title = [](TForm1* f) -> TWinControl* { return f->TitleBox; };
    const auto tagLines = [](TForm1* f) -> TWinControl* { return f->TagLines; };
    const std::vector<Case> cases = {
        {"Exit is on the hidden Update Files step", &TForm1::TabSheet1, title, 'X', {}, false},
        {"&Keywords spell checks the empty keywords", &TForm1::TabSheet1, title, 'K', {FieldToolTexts::SNoWords},
         false},
        {"&Keywords is on the hidden first step", &TForm1::TabSheet5, tagLines, 'K', {}, false},
        {"E&xit ends the program", &TForm1::TabSheet5, tagLines, 'X', {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        f->PageControl1->SetActivePage(f->*c.Page);
        TWinControl* field = c.Field(f);
        ASSERT_TRUE(WaitForFocus(field));
        const String text = field->Text();
        const size_t before = ShownTexts().size();
        for (size_t i = 0; i < c.Boxes.size(); ++i) Dialogs.Answer(mrOk);
        SimulateKey(field, c.Key, String(1, static_cast<char>(c.Key - 'A' + 'a')), ssAlt);
        const std::vector<String> shown = ShownTexts();
        EXPECT_EQ(std::vector<String>(shown.begin() + static_cast<std::ptrdiff_t>(before), shown.end()), c.Boxes);
        EXPECT_EQ(scratch.App()->Terminated(), c.Ends);
        EXPECT_EQ(field->Text(), text);
    }
}

}  // namespace
