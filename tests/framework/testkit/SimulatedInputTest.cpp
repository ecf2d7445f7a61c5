// The kit's input takes the road a person's does: the toolkit chooses the
// widget under the point, the focus, double clicks and where keys go.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/controls/CustomControl.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/Format.h"
#include "framework/testkit/SimulatedInput.h"

namespace {

class TPad : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
};

struct TWindow {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TPad* Outer = new TPad(Form.get());
    TEdit* Inner = new TEdit(Form.get());
    TEdit* Other = new TEdit(Form.get());
    std::vector<String> Log;

    TWindow() {
        Form->SetBounds(30, 30, 300, 200);
        Outer->SetBounds(10, 10, 200, 100);
        Outer->SetParent(Form.get());
        Inner->SetBounds(50, 40, 100, 22);  // on the pad
        Inner->SetParent(Outer);
        Other->SetBounds(10, 150, 100, 22);
        Other->SetParent(Form.get());
        for (TControl* c : {static_cast<TControl*>(Outer), static_cast<TControl*>(Inner)}) {
            const String name = c == Outer ? "outer" : "inner";
            c->OnMouseDown = [this, name](TObject*, TMouseButton, TShiftState s, int x, int y) {
                Log.push_back(Format("%s down%s %d,%d", name.c_str(), (s & ssDouble) ? " double" : "", x, y));
            };
            c->OnClick = [this, name](TObject*) { Log.push_back(name + " click"); };
            c->OnDblClick = [this, name](TObject*) { Log.push_back(name + " dblclick"); };
        }
    }
};

TEST(SimulatedInput, AClickLandsOnWhatLiesUnderThePointAndTheToolkitMovesTheFocus) {
    TWindow w;
    w.Form->Show();
    ASSERT_TRUE(WaitForFocus(w.Other));
    // Given in the pad's coordinates, the point lies on the edit on it.
    SimulateClick(w.Outer, 60, 45);
    EXPECT_EQ(w.Log, (std::vector<String>{"inner down 10,5", "inner click"}));
    EXPECT_TRUE(w.Inner->Focused()) << "an edit takes the focus when clicked";
    w.Log.clear();
    SimulateClick(w.Outer, 5, 5);
    EXPECT_EQ(w.Log, (std::vector<String>{"outer down 5,5", "outer click"}));
}

TEST(SimulatedInput, OnlyTwoQuickClicksMakeADoubleClick) {
    TWindow w;
    w.Form->Show();
    SimulateClick(w.Outer, 5, 5);
    SimulateClick(w.Outer, 5, 5);
    SimulateDblClick(w.Outer, 5, 5);
    EXPECT_EQ(w.Log, (std::vector<String>{"outer down 5,5", "outer click", "outer down 5,5", "outer click",
                                          "outer down 5,5", "outer click", "outer dblclick",
                                          "outer down double 5,5"}));
}

TEST(SimulatedInput, KeysGoWhereTheFocusIsAndTheReleaseFollowsIt) {
    TWindow w;
    w.Form->Show();
    std::vector<String> keys;
    w.Inner->OnKeyDown = [&](TObject*, Word& key, TShiftState) {
        keys.push_back(Format("inner down %d", key));
        if (key == VK_RETURN) w.Other->SetFocus();
    };
    w.Other->OnKeyUp = [&](TObject*, Word& key, TShiftState) { keys.push_back(Format("other up %d", key)); };
    SimulateText(w.Inner, "Ab");  // the inner edit takes the focus first
    EXPECT_EQ(w.Inner->Text(), "Ab");
    EXPECT_EQ(w.Other->Text(), "");
    keys.clear();
    SimulateKey(w.Inner, VK_RETURN, "\r");
    EXPECT_EQ(keys, (std::vector<String>{"inner down 13", "other up 13"}));
}

TEST(SimulatedInput, WhatDoesNotShowCannotBeReached) {
    TWindow w;
    EXPECT_THROW(SimulateClick(w.Inner, 1, 1), EInvalidOperation) << "the window never showed";
    w.Form->Show();
    w.Inner->Hide();
    EXPECT_THROW(SimulateClick(w.Inner, 1, 1), EInvalidOperation);
    EXPECT_THROW(SimulateKey(w.Inner, 'A', "a"), EInvalidOperation);
    EXPECT_TRUE(w.Log.empty());
}

}  // namespace
