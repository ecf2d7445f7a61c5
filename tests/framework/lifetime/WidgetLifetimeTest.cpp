// A control freed while the toolkit is delivering an event keeps its widget
// until that event is over. Whatever reaches the widget meanwhile (a click,
// keys the window system had queued for it) must not reach the freed
// control through the widget's own signals or events. Run under
// AddressSanitizer (scripts/sanitize), a use of the freed control fails.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "framework/classes/Strings.h"
#include "framework/controls/Application.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/CheckListBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/DateTimePicker.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/ListView.h"
#include "framework/controls/Memo.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/ScrollBar.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/TabSheet.h"
#include "framework/controls/TreeNodes.h"
#include "framework/controls/TreeView.h"
#include "framework/grids/StringGrid.h"
#include "framework/testkit/SimulatedInput.h"
#include "framework/testkit/WidgetProbe.h"

namespace {

struct TFamily {
    const char* Kind;
    std::function<TControl*(TForm*)> Make;
};

template <class T>
TControl* Plain(TForm* f) {
    return new T(f);
}

template <class T>
TControl* WithItems(TForm* f) {
    auto* c = new T(f);
    c->Items()->Add("one");
    c->Items()->Add("two");
    return c;
}

const TFamily kFamilies[] = {
    {"button", Plain<TButton>},
    {"speed button", Plain<TSpeedButton>},
    {"check box", Plain<TCheckBox>},
    {"radio button", Plain<TRadioButton>},
    {"edit", Plain<TEdit>},
    {"memo", Plain<TMemo>},
    {"combo box", WithItems<TComboBox>},
    {"list box", WithItems<TListBox>},
    {"check list box", WithItems<TCheckListBox>},
    {"scroll bar", Plain<TScrollBar>},
    {"date picker", Plain<TDateTimePicker>},
    {"tree view",
     [](TForm* f) -> TControl* {
         auto* c = new TTreeView(f);
         c->Items()->Add(nullptr, "node");
         return c;
     }},
    {"list view", Plain<TListView>},
    {"string grid", Plain<TStringGrid>},
    {"page control",
     [](TForm* f) -> TControl* {
         auto* c = new TPageControl(f);
         for (int i = 0; i < 2; ++i) {
             auto* page = new TTabSheet(f);
             page->SetPageControl(c);
             page->SetCaption(i ? "Two" : "One");
         }
         return c;
     }},
};

TEST(WidgetLifetime, AWidgetOutlivingItsControlTakesNoInputAndSendsNoSignals) {
    for (const TFamily& family : kFamilies) {
        SCOPED_TRACE(family.Kind);
        TForm form(nullptr);
        form.SetBounds(40, 40, 320, 240);
        auto* trigger = new TButton(&form);
        trigger->SetBounds(8, 8, 80, 24);
        trigger->SetParent(&form);
        TControl* victim = family.Make(&form);
        victim->SetBounds(8, 40, 240, 160);
        victim->SetParent(&form);
        // Every handler a person's input could run on the victim.
        int reached = 0;
        victim->OnClick = [&](TObject*) { ++reached; };
        auto* windowed = dynamic_cast<TWinControl*>(victim);
        if (windowed) windowed->OnKeyDown = [&](TObject*, Word&, TShiftState) { ++reached; };
        form.Show();
        if (windowed) {
            ASSERT_TRUE(WaitForFocus(windowed));
        }

        std::unique_ptr<TWidgetProbe> probe;
        bool freed = false;
        trigger->OnClick = [&](TObject*) {
            // Inside the delivery of the click: the victim's widget must wait.
            probe = std::make_unique<TWidgetProbe>(victim);
            delete victim;
            freed = true;
            ASSERT_TRUE(probe->Exists());
            probe->Poke();
        };
        SimulateClick(trigger, 10, 10);
        ASSERT_TRUE(freed);
        EXPECT_EQ(reached, 0);
        // And once the event is over, the widget goes.
        for (int i = 0; i < 100 && probe->Exists(); ++i) Application->ProcessMessages();
        EXPECT_FALSE(probe->Exists());
        probe->Poke();
    }
}

}  // namespace
