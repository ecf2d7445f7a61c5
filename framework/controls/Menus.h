#pragma once
// Menus: the main menu of a form, pop-up menus and their items. Items keep
// their state here and are mirrored into toolkit menus when shown. Keys
// reach them whatever has the focus on their form: an item's ShortCut
// clicks it, and Alt with the accelerator of a top item ("&File") clicks
// it or opens its menu.
#include <memory>
#include <vector>

#include "framework/classes/Component.h"
#include "framework/controls/Controls.h"

class TForm;
class QWidget;

// A key with its shift state: the virtual key in the low byte and these.
using TShortCut = Word;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;
TShortCut ShortCut(Word key, TShiftState shift);
// "Ctrl+N", "Shift+F5"… and back (0 when not understood).
String ShortCutToText(TShortCut shortCut);
TShortCut TextToShortCut(const String& text);
// The caption without accelerator marks ("&&" stays one '&').
String StripHotkey(const String& caption);

class TMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    String ClassName() const override { return "TMenuItem"; }

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v);
    // A caption of "-" makes the item a separator line.
    bool IsLine() const { return FCaption == "-"; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut v);
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool v);
    Byte GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Byte v) { FGroupIndex = v; }
    bool AutoCheck = false;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    String Hint;

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return FParent; }
    TMenu* GetParentMenu() const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Delete(int index);   // frees the item
    void Remove(TMenuItem* item);  // takes it out without freeing it
    void Clear();             // frees all items
    int IndexOf(const TMenuItem* item) const;
    int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
    TMenuItem* Find(const String& caption) const;  // by caption without '&'

    // Fires OnClick (checking an AutoCheck item first).
    virtual void Click();
    TNotifyEvent OnClick;

    // Framework-internal.
    void Changed();

private:
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;  // set on the root item of a menu
    friend class TMenu;
    std::vector<TMenuItem*> FItems;
    String FCaption;
    TShortCut FShortCut = 0;
    bool FChecked = false;
    bool FRadioItem = false;
    Byte FGroupIndex = 0;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    String ClassName() const override { return "TMenu"; }
    TMenuItem* Items() const { return FItems; }
    // The item whose ShortCut is `shortCut`, enabled and visible, or nullptr.
    TMenuItem* FindItemByShortCut(TShortCut shortCut) const;
    // Clicks the item with that ShortCut; false when none.
    bool IsShortCut(TShortCut shortCut);

    // Framework-internal: an item changed.
    virtual void MenuChanged() {}

protected:
    TMenuItem* FItems;
};

// The bar of a form: the form is its owner (or the form set with SetForm,
// which is the form's Menu). The bar sits above the form's client area.
class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;
    String ClassName() const override { return "TMainMenu"; }
    TForm* Form() const { return FForm; }
    void SetForm(TForm* form);
    // Alt+key: the top item with that accelerator; clicks it or opens it.
    bool IsAccelerator(char key);
    void MenuChanged() override;
    // Framework-internal.
    void Attach();
    QWidget* BarWidget() const;
    // The height a bar takes from its form's window.
    static int BarHeight();

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
    TForm* FForm = nullptr;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

// A menu shown at a point: the control's PopupMenu on a right click, or
// by Popup. OnPopup fires before it shows (items may be changed there).
class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;
    String ClassName() const override { return "TPopupMenu"; }
    // (x, y) in screen coordinates.
    void Popup(int x, int y);
    TComponent* PopupComponent = nullptr;
    TPopupAlignment Alignment = paLeft;
    bool AutoPopup = true;
    TNotifyEvent OnPopup;
    // Where it last showed, for tests: screen point and how often.
    TPoint LastPopupPoint() const { return FLastPoint; }
    int PopupCount() const { return FPopupCount; }

private:
    TPoint FLastPoint;
    int FPopupCount = 0;
};
