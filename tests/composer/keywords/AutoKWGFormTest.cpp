// The batch keyword generator's own settings: the counts it starts with
// and what it keeps of them.
#include <memory>

#include "KeywordWindowTestSupport.h"
#include "composer/tools/AutoKWGForm.h"
#include "framework/controls/Edit.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/SpeedButton.h"

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

}  // namespace
