// The batch keyword generator's own settings: the counts it starts with
// and what it keeps of them; and its keys.
#include <memory>

#include "KeywordWindowTestSupport.h"
#include "composer/tools/AutoKWGForm.h"
#include "framework/controls/Application.h"
#include "framework/controls/Edit.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/SpeedButton.h"
#include "framework/messages/MessageQueue.h"
#include "framework/testkit/SimulatedInput.h"

namespace {

class BatchSettings : public KeywordWindowTest {
protected:
    std::unique_ptr<TAutoKWGForm> Open() {
        auto form = std::make_unique<TAutoKWGForm>(nullptr);
        form->AfterConstruction();
        return form;
    }
    void CloseWith(const String& count, const String& chars) {
        auto form = Open();
        form->CountEdit->SetText(count);
        form->CharCountEdit->SetText(chars);
        Dialogs.AnswerWith([](TForm* f) { dynamic_cast<TAutoKWGForm*>(f)->CloseSpeedButton->Click(); });
        form->ShowModal();
    }
};

TEST_F(BatchSettings, StartsFromTheStoreOrTheDefaults) {
    auto fresh = Open();
    EXPECT_EQ(fresh->CountEdit->Text(), "25");
    EXPECT_EQ(fresh->CharCountEdit->Text(), "1500");
    EXPECT_EQ(fresh->OptRadioGroup->ItemIndex(), 0);
    EXPECT_EQ(fresh->SpeedButton1->Hint(), "Execute Keyword Generator");

    Put("kwgcount", "40");
    Put("BodyChk", "7500");
    auto stored = Open();
    EXPECT_EQ(stored->CountEdit->Text(), "40");
    EXPECT_EQ(stored->CharCountEdit->Text(), "7500");
}

TEST_F(BatchSettings, KeepsOnlyCountsAndNeverCreatesAValue) {
    CloseWith("30", "2000");
    EXPECT_EQ(Get("kwgcount"), "<missing>");
    EXPECT_EQ(Get("BodyChk"), "<missing>");

    Put("kwgcount", "25");
    Put("BodyChk", "1500");
    CloseWith("30", "2000");
    EXPECT_EQ(Get("kwgcount"), "30");
    EXPECT_EQ(Get("BodyChk"), "2000");
    // Text that is no count would break the main window's generator.
    CloseWith("lots", "0");
    EXPECT_EQ(Get("kwgcount"), "30");
    EXPECT_EQ(Get("BodyChk"), "2000");
}

// Alt with an underlined letter presses the speed button that shows it, as
// it picks an option or reaches the count through its label; no letter is
// ever typed into the count.
TEST_F(BatchSettings, AltLettersPressTheUnderlinedButtonsAndTypeNothing) {
    auto form = Open();
    Application->ClearHelpCalls();
    Dialogs.AnswerWith([](TForm* f) {
        auto* batch = dynamic_cast<TAutoKWGForm*>(f);
        ASSERT_NE(batch, nullptr);
        ASSERT_TRUE(WaitForFocus(batch->OptRadioGroup->Buttons(0)));
        // The toolkit's own mnemonic of a radio button may answer first,
        // with the click a moment later.
        SimulateKey(batch->OptRadioGroup->Buttons(0), 'V', "v", ssAlt);
        EXPECT_TRUE(PumpMessagesUntil([batch] { return batch->OptRadioGroup->ItemIndex() == 1; }, 10000));
        SimulateKey(batch->OptRadioGroup->Buttons(1), 'F', "f", ssAlt);
        ASSERT_TRUE(batch->CountEdit->Focused());
        batch->CountEdit->SelectAll();  // "25" selected, as a person tabs in

        SimulateKey(batch->CountEdit, 'H', "h", ssAlt);
        EXPECT_EQ(Application->HelpCalls().size(), 1u);
        EXPECT_TRUE(!Application->HelpCalls().empty() &&
                    Application->HelpCalls()[0].Data == BatchTexts::HelpContext);
        SimulateKey(batch->CountEdit, 'X', "x", ssAlt);  // nothing underlines x
        SimulateKey(batch->CountEdit, 'E', "e", ssAlt);  // Execute, on no pages: the count box
        EXPECT_EQ(batch->CountEdit->Text(), "25");
        EXPECT_EQ(batch->ModalResult(), mrNone);
        SimulateKey(batch->CountEdit, 'C', "c", ssAlt);  // Close ends the window
        EXPECT_EQ(batch->ModalResult(), mrCancel);
        EXPECT_EQ(batch->CountEdit->Text(), "25");
    });
    Dialogs.Answer(mrOk);  // Execute's closing count
    EXPECT_EQ(form->ShowModal(), mrCancel);
    const std::vector<String> boxes = ShownTexts();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind(BatchTexts::STotal, 0), 0u) << boxes[0];
}

}  // namespace
