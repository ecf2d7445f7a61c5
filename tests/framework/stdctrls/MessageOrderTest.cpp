// The order in which a button-like control's events run when a person
// clicks it or presses Space on it, and the state each event sees: the
// control's own action (toggle, click) comes before OnClick, and both
// before OnMouseUp and OnKeyUp.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Form.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/SpeedButton.h"
#include "framework/testkit/SimulatedInput.h"

namespace {

struct TOrderCase {
    const char* Kind;
    // Places the control on the form and says how to read its state.
    std::function<TControl*(TForm*, std::function<bool()>&)> Make;
    std::vector<String> Click;  // one left click
    std::vector<String> Space;  // Space pressed and released (empty: never focused)
};

std::vector<String> ClickOrder() { return {"down off", "click on", "up on"}; }
std::vector<String> SpaceOrder() { return {"keydown off", "keypress off", "click on", "keyup on"}; }

const TOrderCase kOrderCases[] = {
    {"check box",
     [](TForm* f, std::function<bool()>& state) -> TControl* {
         auto* c = new TCheckBox(f);
         state = [c] { return c->Checked(); };
         return c;
     },
     ClickOrder(), SpaceOrder()},
    {"radio button",
     [](TForm* f, std::function<bool()>& state) -> TControl* {
         auto* c = new TRadioButton(f);
         state = [c] { return c->Checked(); };
         return c;
     },
     ClickOrder(), SpaceOrder()},
    {"button",
     [](TForm* f, std::function<bool()>& state) -> TControl* {
         auto* c = new TButton(f);
         c->SetModalResult(mrOk);  // the click sets the form's result before OnClick
         state = [f] { return f->ModalResult() == mrOk; };
         return c;
     },
     ClickOrder(), SpaceOrder()},
    {"speed button",
     [](TForm* f, std::function<bool()>& state) -> TControl* {
         auto* c = new TSpeedButton(f);
         c->SetGroupIndex(1);
         c->SetAllowAllUp(true);
         state = [c] { return c->Down(); };
         return c;
     },
     ClickOrder(), {}},
};

TEST(MessageOrder, ButtonLikeControlsActBeforeOnClickAndOnClickBeforeTheRelease) {
    for (const TOrderCase& row : kOrderCases) {
        SCOPED_TRACE(row.Kind);
        for (const bool byKey : {false, true}) {
            if (byKey && row.Space.empty()) continue;
            TForm form(nullptr);
            form.SetBounds(40, 40, 200, 120);
            std::function<bool()> state;
            TControl* c = row.Make(&form, state);
            c->SetBounds(10, 10, 90, 24);
            c->SetParent(&form);
            std::vector<String> log;
            auto note = [&](const char* what) { log.push_back(String(what) + (state() ? " on" : " off")); };
            c->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { note("down"); };
            c->OnClick = [&](TObject*) { note("click"); };
            c->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { note("up"); };
            if (auto* w = dynamic_cast<TWinControl*>(c)) {
                w->OnKeyDown = [&](TObject*, Word&, TShiftState) { note("keydown"); };
                w->OnKeyPress = [&](TObject*, char&) { note("keypress"); };
                w->OnKeyUp = [&](TObject*, Word&, TShiftState) { note("keyup"); };
            }
            form.Show();
            if (byKey) {
                SimulateKey(static_cast<TWinControl*>(c), VK_SPACE, " ");
                EXPECT_EQ(log, row.Space) << "Space";
            } else {
                SimulateClick(c, 20, 12);
                EXPECT_EQ(log, row.Click) << "click";
            }
        }
    }
}

// The right button neither toggles nor clicks, but its release is seen.
TEST(MessageOrder, ARightClickOnACheckBoxOnlyPressesAndReleases) {
    TForm form(nullptr);
    auto* box = new TCheckBox(&form);
    box->SetParent(&form);
    form.Show();
    std::vector<String> log;
    box->OnClick = [&](TObject*) { log.push_back("click"); };
    box->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int, int) {
        log.push_back(b == mbRight ? "right up" : "left up");
    };
    SimulateClick(box, 5, 5, mbRight);
    EXPECT_EQ(log, std::vector<String>{"right up"});
    EXPECT_FALSE(box->Checked());
}

}  // namespace
