#include "framework/controls/DialogKeys.h"

#include <algorithm>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/Button.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/CustomMemo.h"
#include "framework/controls/Form.h"
#include "framework/controls/Menus.h"
#include "framework/controls/qt/WsForms.h"
#include "framework/messages/MessageQueue.h"

namespace {
std::vector<TMainMenu*>& MainMenus() {
    static std::vector<TMainMenu*> menus;
    return menus;
}

// Visible and enabled on its window (the window itself may be on its way).
bool Usable(TControl* c) {
    for (TControl* p = c; p && p->Parent(); p = p->Parent())
        if (!p->Visible() || !p->Enabled()) return false;
    return true;
}

// Depth first over the controls on a window.
template <class F>
TControl* FindControlOn(TWinControl* parent, const F& match) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (match(c)) return c;
        if (auto* w = dynamic_cast<TWinControl*>(c))
            if (TControl* found = FindControlOn(w, match)) return found;
    }
    return nullptr;
}

TControl* FocusedControl() { return velmor_ws::FocusedControl(); }

// The character an accelerator key stands for: its letter or digit.
char AcceleratorOf(Word vk) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<char>(vk - 'A' + 'a');
    if (vk >= '0' && vk <= '9') return static_cast<char>(vk);
    return 0;
}

// Every key of the program, before the widget has it.
bool WindowKey(const velmor_ws::TWindowKey& k) {
    auto* form = dynamic_cast<TForm*>(k.Window);
    if (!form) return false;
    const Word vk = k.Key;
    const TShiftState shift = k.Shift;
    bool handled = false;
    if (vk == VK_F1 && shift == 0) {
        if (!k.AtWindow) return false;
        GuardedCall([&] { handled = FormHelpKey(form); });
        return handled;
    }
    if ((vk == VK_RETURN || vk == VK_ESCAPE) && shift == 0) {
        // Enter and Esc belong to the focused control first (its key
        // events, an editor that takes them); only what reaches the
        // window unused goes to the Default or Cancel button.
        if (!k.AtWindow) return false;
        GuardedCall([&] { handled = FormDialogKey(form, vk, shift); });
        return handled;
    }
    if (k.Propagated || shift == 0) return false;
    GuardedCall([&] {
        // The menus first, then the controls.
        handled = FormDialogKey(form, vk, shift);
        if (!handled && k.AltChar && AcceleratorOf(vk)) handled = FormDialogChar(form, AcceleratorOf(vk));
    });
    return handled;
}
}  // namespace

bool FormHelpKey(TForm* form) {
    TControl* c = FocusedControl();
    if (!c || GetParentForm(c) != form) c = form;
    for (; c; c = c->Parent())
        if (c->HelpContext != 0) {
            if (Application) Application->HelpContext(c->HelpContext);
            return true;
        }
    return false;
}

bool FormDialogKey(TForm* form, Word key, TShiftState shift) {
    if (!form) return false;
    for (TMainMenu* m : std::vector<TMainMenu*>(MainMenus())) {
        if (m->Form() != form) continue;
        if (shift && m->IsShortCut(ShortCut(key, shift))) return true;
        if (shift == ssAlt && key < 0x80 && m->IsAccelerator(static_cast<char>(key))) return true;
    }
    if (shift != 0) return false;
    TControl* focused = FocusedControl();
    if (key == VK_ESCAPE) {
        if (auto* cb = dynamic_cast<TComboBox*>(focused); cb && cb->DroppedDown()) return false;
        TControl* cancel = FindControlOn(form, [](TControl* c) {
            auto* b = dynamic_cast<TButton*>(c);
            return b && b->Cancel() && Usable(b);
        });
        if (!cancel) return false;
        cancel->Click();
        return true;
    }
    if (key == VK_RETURN) {
        if (dynamic_cast<TButton*>(focused)) return false;  // a button answers Enter itself
        if (auto* m = dynamic_cast<TCustomMemo*>(focused); m && m->WantReturns) return false;
        if (auto* cb = dynamic_cast<TComboBox*>(focused); cb && cb->DroppedDown()) return false;
        TControl* def = FindControlOn(form, [](TControl* c) {
            auto* b = dynamic_cast<TButton*>(c);
            return b && b->Default() && Usable(b);
        });
        if (!def) return false;
        def->Click();
        return true;
    }
    return false;
}

bool FormDialogChar(TForm* form, char key) {
    return form && key && form->Perform(CM_DIALOGCHAR, static_cast<unsigned char>(key)) != 0;
}

void velmor_internal::EnsureDialogKeys() {
    // Right clicks are left to each control's bridge, which offers them
    // to OnContextPopup first and then climbs to the parents' menus.
    static bool watching = false;
    if (!watching) watching = velmor_ws::WatchWindowKeys(WindowKey);
}

void velmor_internal::RegisterMainMenu(TMainMenu* menu) { MainMenus().push_back(menu); }

void velmor_internal::UnregisterMainMenu(TMainMenu* menu) {
    auto& all = MainMenus();
    all.erase(std::remove(all.begin(), all.end(), menu), all.end());
}
