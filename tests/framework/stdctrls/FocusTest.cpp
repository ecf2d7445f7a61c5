// Which controls a click gives the keyboard focus to: containers, labels
// and graphic controls leave it where it was; an edit or a grid takes it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/controls/ComboBox.h"
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

// A page that is not showing when its window opens makes its controls
// when it first shows. Tab goes through a window the same way whether its
// page showed from the start or later: through an edit, an editable combo
// box and an edit on a panel on the page, and the fields before the pages
// and after them on a panel.
struct TPagedForm {
    TForm Form{nullptr};
    TPageControl* Pages;
    std::vector<std::pair<TWinControl*, String>> Fields;

    explicit TPagedForm(int shownFirst) {
        Form.SetBounds(40, 40, 300, 330);
        auto field = [&](TWinControl* parent, int top, const String& name) {
            auto* e = static_cast<TEdit*>(On<TEdit>(&Form, parent));
            e->SetTop(top);
            Fields.emplace_back(e, name);
        };
        field(&Form, 5, "before");
        Pages = new TPageControl(&Form);
        Pages->SetBounds(10, 40, 280, 220);
        Pages->SetParent(&Form);
        for (int i = 0; i < 3; ++i) {
            const String n = std::to_string(i + 1);
            auto* page = new TTabSheet(&Form);
            page->SetPageControl(Pages);
            page->SetCaption("Page " + n);
            field(page, 5, "edit " + n);
            auto* combo = new TComboBox(&Form);
            combo->SetBounds(5, 40, 120, 24);
            combo->SetParent(page);
            Fields.emplace_back(combo, "combo " + n);
            auto* panel = new TPanel(&Form);
            panel->SetBounds(5, 80, 200, 60);
            panel->SetParent(page);
            field(panel, 5, "panel edit " + n);
        }
        auto* bottom = new TPanel(&Form);
        bottom->SetBounds(10, 265, 280, 40);
        bottom->SetParent(&Form);
        field(bottom, 5, "after");
        Pages->SetActivePageIndex(shownFirst);
    }

    // The field that has the focus; "pages" for the tabs.
    std::pair<TWinControl*, String> Focused() const {
        for (const auto& f : Fields)
            if (f.first->Focused()) return f;
        return {Pages, "pages"};
    }

    // Where each of `presses` Tab presses from the first field goes.
    std::vector<String> TabWalk(int presses) {
        std::vector<String> walk;
        TWinControl* at = Fields.front().first;
        if (!WaitForFocus(at)) return {"no focus"};
        for (int i = 0; i < presses; ++i) {
            SimulateKey(at, VK_TAB);
            const auto now = Focused();
            walk.push_back(now.second);
            at = now.first;
        }
        return walk;
    }
};

TEST(Focus, APageShownLaterIsTabbedThroughAsOneShownFromTheStart) {
    for (int page : {1, 2}) {
        SCOPED_TRACE("page " + std::to_string(page + 1));
        // One window at a time: without a window manager, the last one
        // shown keeps the keyboard.
        TPagedForm fromStart(page);
        fromStart.Form.Show();
        const std::vector<String> walk = fromStart.TabWalk(8);
        fromStart.Form.Hide();
        TPagedForm later(0);
        later.Form.Show();
        // The later page's controls wait for it.
        const TWinControl* onPage = later.Fields[static_cast<size_t>(1 + 3 * page)].first;
        EXPECT_FALSE(onPage->WidgetAllocated());
        later.Pages->SetActivePageIndex(2);
        later.Pages->SetActivePageIndex(page);
        EXPECT_TRUE(onPage->WidgetAllocated());
        EXPECT_EQ(later.TabWalk(8), walk);
        // Every field of the page is reached.
        for (const char* kind : {"edit ", "combo ", "panel edit "})
            EXPECT_NE(std::find(walk.begin(), walk.end(), kind + std::to_string(page + 1)), walk.end()) << kind;
    }
}

}  // namespace
