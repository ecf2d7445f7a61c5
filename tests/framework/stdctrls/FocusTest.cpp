// Which controls a click gives the keyboard focus to: containers, labels
// and graphic controls leave it where it was; an edit or a grid takes it.
#include <gtest/gtest.h>

#include <functional>

#include "framework/controls/CustomControl.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/TabSheet.h"
#include "framework/grids/DrawGrid.h"
#include "framework/testkit/SimulatedInput.h"

namespace {

struct TFocusCase {
    const char* Kind;
    std::function<TControl*(TForm*, TWinControl* panel)> Make;
    bool TakesFocus;
};

class TPad : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
};

template <class T>
TControl* On(TForm* f, TWinControl* parent) {
    auto* c = new T(f);
    c->SetBounds(60, 5, 60, 30);
    c->SetParent(parent);
    return c;
}

const TFocusCase kFocusCases[] = {
    {"panel", [](TForm*, TWinControl* panel) -> TControl* { return panel; }, false},
    {"speed button on a panel", On<TSpeedButton>, false},
    {"label on a panel", On<TLabel>, false},
    {"image on a panel", On<TImage>, false},
    {"group box", On<TGroupBox>, false},
    {"custom control", On<TPad>, false},
    {"custom control that is a tab stop",
     [](TForm* f, TWinControl* panel) -> TControl* {
         auto* c = static_cast<TPad*>(On<TPad>(f, panel));
         c->SetTabStop(true);
         return c;
     },
     true},
    {"speed button on a page control's page",
     [](TForm* f, TWinControl*) -> TControl* {
         auto* pages = new TPageControl(f);
         pages->SetBounds(10, 130, 200, 25);  // below the field
         pages->SetParent(f);
         auto* page = new TTabSheet(f);
         page->SetPageControl(pages);
         f->SetHeight(320);
         pages->SetHeight(150);
         auto* b = new TSpeedButton(f);
         b->SetBounds(5, 5, 40, 30);
         b->SetParent(page);
         return b;
     },
     false},
    {"edit", On<TEdit>, true},
    {"grid", On<TDrawGrid>, true},
};

TEST(Focus, AClickMovesTheFocusOnlyToControlsThatTakeIt) {
    for (const TFocusCase& row : kFocusCases) {
        SCOPED_TRACE(row.Kind);
        TForm form(nullptr);
        form.SetBounds(40, 40, 260, 320);
        auto* field = new TEdit(&form);
        field->SetBounds(10, 100, 100, 22);
        field->SetParent(&form);
        auto* panel = new TPanel(&form);
        panel->SetBounds(10, 10, 200, 60);
        panel->SetParent(&form);
        TControl* target = row.Make(&form, panel);
        form.Show();
        ASSERT_TRUE(WaitForFocus(field));
        SimulateClick(target, 5, 5);
        EXPECT_EQ(field->Focused(), !row.TakesFocus);
        if (auto* w = dynamic_cast<TWinControl*>(target)) {
            EXPECT_EQ(w->Focused(), row.TakesFocus);
        }
    }
}

}  // namespace
