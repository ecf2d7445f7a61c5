#include "framework/controls/Menus.h"

#include <algorithm>
#include <cctype>

#include "framework/controls/DialogKeys.h"
#include "framework/controls/Form.h"
#include "framework/controls/Label.h"
#include "framework/controls/ModalSeam.h"
#include "framework/controls/Screen.h"
#include "framework/controls/qt/WsMenus.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/StrUtils.h"

// --- short cuts ---------------------------------------------------------------------

TShortCut ShortCut(Word key, TShiftState shift) {
    TShortCut s = key & 0xFF;
    if (shift & ssShift) s |= scShift;
    if (shift & ssCtrl) s |= scCtrl;
    if (shift & ssAlt) s |= scAlt;
    return s;
}

namespace {
bool StartsText(const String& prefix, const String& s) {
    return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
}

struct TKeyName {
    Word Key;
    const char* Name;
};
constexpr TKeyName kKeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},   {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},  {VK_END, "End"},      {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},   {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

String KeyName(Word key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return String(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F12) return "F" + std::to_string(key - VK_F1 + 1);
    for (const auto& k : kKeyNames)
        if (k.Key == key) return k.Name;
    return String();
}
}  // namespace

String ShortCutToText(TShortCut s) {
    const String name = KeyName(s & 0xFF);
    if (name.empty()) return String();
    String t;
    if (s & scShift) t += "Shift+";
    if (s & scCtrl) t += "Ctrl+";
    if (s & scAlt) t += "Alt+";
    return t + name;
}

TShortCut TextToShortCut(const String& text) {
    TShortCut mods = 0;
    String rest = text;
    for (;;) {
        if (StartsText("Shift+", rest)) {
            mods |= scShift;
            rest = rest.substr(6);
        } else if (StartsText("Ctrl+", rest)) {
            mods |= scCtrl;
            rest = rest.substr(5);
        } else if (StartsText("Alt+", rest)) {
            mods |= scAlt;
            rest = rest.substr(4);
        } else {
            break;
        }
    }
    for (int k = 1; k < 256; ++k) {
        const String n = KeyName(static_cast<Word>(k));
        if (!n.empty() && SameText(n, rest)) return static_cast<TShortCut>(k | mods);
    }
    return 0;
}

String StripHotkey(const String& caption) {
    String out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

// --- items ------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    Destroying();
    while (!FItems.empty()) {
        TMenuItem* c = FItems.back();
        FItems.pop_back();
        c->FParent = nullptr;
        delete c;
    }
    if (FParent) {
        auto& list = FParent->FItems;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        FParent->Changed();
    }
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(RtlConsts::SListIndexError, {index});
    return FItems[static_cast<size_t>(index)];
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* i = this;
    while (i->FParent) i = i->FParent;
    return i->FMenu;
}

void TMenuItem::Changed() {
    if (TMenu* m = GetParentMenu()) m->MenuChanged();
}

void TMenuItem::SetCaption(const String& v) {
    if (v == FCaption) return;
    FCaption = v;
    Changed();
}

void TMenuItem::SetShortCut(TShortCut v) {
    if (v == FShortCut) return;
    FShortCut = v;
    Changed();
}

void TMenuItem::SetChecked(bool v) {
    if (v == FChecked) return;
    FChecked = v;
    // A checked radio item unchecks the others of its group.
    if (v && FRadioItem && FParent)
        for (TMenuItem* s : FParent->FItems)
            if (s != this && s->FRadioItem && s->FGroupIndex == FGroupIndex) s->FChecked = false;
    Changed();
}

void TMenuItem::SetRadioItem(bool v) {
    if (v == FRadioItem) return;
    FRadioItem = v;
    Changed();
}

void TMenuItem::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    Changed();
}

void TMenuItem::SetVisible(bool v) {
    if (v == FVisible) return;
    FVisible = v;
    Changed();
}

void TMenuItem::SetDefault(bool v) {
    if (v == FDefault) return;
    FDefault = v;
    Changed();
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) return;
    if (item->FParent) throw EInvalidOperation("Menu inserted twice");
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    Changed();
}

void TMenuItem::Delete(int index) { delete Items(index); }

void TMenuItem::Remove(TMenuItem* item) {
    const int i = IndexOf(item);
    if (i < 0) return;
    FItems.erase(FItems.begin() + i);
    item->FParent = nullptr;
    Changed();
}

void TMenuItem::Clear() {
    while (!FItems.empty()) delete FItems.back();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i] == item) return static_cast<int>(i);
    return -1;
}

TMenuItem* TMenuItem::Find(const String& caption) const {
    for (TMenuItem* i : FItems)
        if (SameText(StripHotkey(i->FCaption), StripHotkey(caption))) return i;
    return nullptr;
}

void TMenuItem::Click() {
    if (!FEnabled) return;
    if (AutoCheck) SetChecked(!FChecked);
    if (OnClick) OnClick(this);
}

namespace {
void ClickGuarded(TMenuItem* item) {
    GuardedCall([item] { item->Click(); });
}

// The visible items of `parent` as the toolkit shows them in a menu.
velmor_ws::TMenuEntry MenuEntries(TMenuItem* parent) {
    velmor_ws::TMenuEntry menu;
    menu.Kind = velmor_ws::TMenuEntry::SubMenu;
    menu.Caption = parent->Caption();
    menu.Enabled = parent->Enabled();
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible()) continue;
        if (item->IsLine()) {
            velmor_ws::TMenuEntry line;
            line.Kind = velmor_ws::TMenuEntry::Line;
            menu.Items.push_back(std::move(line));
            continue;
        }
        if (item->Count() > 0) {
            menu.Items.push_back(MenuEntries(item));
            continue;
        }
        velmor_ws::TMenuEntry e;
        e.Caption = item->Caption();
        e.Enabled = item->Enabled();
        e.Checkable = item->Checked() || item->RadioItem() || item->AutoCheck;
        e.Checked = item->Checked();
        e.Radio = item->RadioItem();
        if (item->ShortCut()) e.ShortCut = ShortCutToText(item->ShortCut());
        e.Bold = item->Default();
        e.OnClick = [item] { ClickGuarded(item); };
        menu.Items.push_back(std::move(e));
    }
    return menu;
}
}  // namespace

// --- menus ------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(nullptr)) { FItems->FMenu = this; }

TMenu::~TMenu() {
    FItems->FMenu = nullptr;
    delete FItems;
}

TMenuItem* TMenu::FindItemByShortCut(TShortCut shortCut) const {
    if (!shortCut) return nullptr;
    std::function<TMenuItem*(TMenuItem*)> find = [&](TMenuItem* parent) -> TMenuItem* {
        for (int i = 0; i < parent->Count(); ++i) {
            TMenuItem* it = parent->Items(i);
            if (!it->Visible() || !it->Enabled()) continue;
            if (it->ShortCut() == shortCut) return it;
            if (TMenuItem* sub = find(it)) return sub;
        }
        return nullptr;
    };
    return find(FItems);
}

bool TMenu::IsShortCut(TShortCut shortCut) {
    TMenuItem* it = FindItemByShortCut(shortCut);
    if (!it) return false;
    it->Click();
    return true;
}

struct TMainMenu::Impl {
    velmor_ws::TMenuBar Bar;
    TWndMethod OldProc;
};

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner), FImpl(new Impl) {
    velmor_internal::RegisterMainMenu(this);
    velmor_internal::EnsureDialogKeys();
    if (auto* f = dynamic_cast<TForm*>(owner)) SetForm(f);
}

TMainMenu::~TMainMenu() {
    velmor_internal::UnregisterMainMenu(this);
    SetForm(nullptr);
}

void TMainMenu::SetForm(TForm* form) {
    if (form == FForm) return;
    TForm* old = FForm;
    // A form on its way out has no procedure left to give back.
    if (old && FImpl->OldProc && !old->HasState(csDestroying)) old->WindowProc = FImpl->OldProc;
    if (old && !old->HasState(csDestroying)) old->RemoveFreeNotification(this);
    FImpl->Bar.Destroy();
    FImpl->OldProc = nullptr;
    FForm = form;
    // The form's Menu follows, so its client area makes room for the bar.
    if (old && !old->HasState(csDestroying) && old->Menu() == this) old->SetMenu(nullptr);
    if (!form) return;
    form->SetMenu(this);
    form->FreeNotification(this);
    // The bar appears when the form's window does.
    FImpl->OldProc = form->WindowProc;
    form->WindowProc = [this](TMessage& m) {
        TWndMethod old = FImpl->OldProc;
        if (old) old(m);
        if (m.Msg == WM_SHOWWINDOW && m.WParam && !FImpl->Bar.Exists()) Attach();
    };
    if (form->WidgetAllocated()) Attach();
}

void TMainMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    if (operation == opRemove && component == FForm) {
        FImpl->OldProc = nullptr;
        FForm = nullptr;
    }
}

void TMainMenu::Attach() {
    if (!FForm || !FForm->WidgetAllocated()) return;
    // Top items without items of their own are commands on the bar itself.
    std::vector<velmor_ws::TMenuEntry> top;
    for (int i = 0; i < FItems->Count(); ++i) {
        TMenuItem* item = FItems->Items(i);
        if (!item->Visible()) continue;
        if (item->Count() > 0) {
            top.push_back(MenuEntries(item));
        } else {
            velmor_ws::TMenuEntry e;
            e.Caption = item->Caption();
            e.Enabled = item->Enabled();
            e.OnClick = [item] { ClickGuarded(item); };
            top.push_back(std::move(e));
        }
    }
    // The form keeps the strip above its client area this high.
    FImpl->Bar.Fill(FForm->WidgetIfAllocated(), top, BarHeight());
}

QWidget* TMainMenu::BarWidget() const { return FImpl ? FImpl->Bar.Widget() : nullptr; }

int TMainMenu::BarHeight() {
    // Measured once on a bar with one item, so a form's height does not
    // depend on when its window is made; without a toolkit, the classic 20.
    static int height = 0;
    if (height) return height;
    const int measured = velmor_ws::MenuBarHeight();
    if (!measured) return 20;
    height = measured;
    return height;
}

void TMainMenu::MenuChanged() {
    if (FImpl && FImpl->Bar.Exists()) Attach();
}

bool TMainMenu::IsAccelerator(char key) {
    const char k = static_cast<char>(std::tolower(static_cast<unsigned char>(key)));
    for (int i = 0; i < FItems->Count(); ++i) {
        TMenuItem* item = FItems->Items(i);
        if (!item->Visible() || !item->Enabled() || GetAccelChar(item->Caption()) != k) continue;
        if (item->Count() == 0) {
            item->Click();
        } else if (Screen && Screen->HasDisplay()) {
            FImpl->Bar.OpenMenu(item->Caption());
        }
        return true;
    }
    return false;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) { velmor_internal::EnsureDialogKeys(); }

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(int x, int y) {
    FLastPoint = Point(x, y);
    ++FPopupCount;
    if (OnPopup) OnPopup(this);
    // Off screen, or under a test's modal seam, nobody picks an item: the
    // menu is only recorded.
    if ((Screen && !Screen->HasDisplay()) || ModalHandler()) return;
    velmor_ws::PopupMenu(MenuEntries(FItems), x, y);
}
