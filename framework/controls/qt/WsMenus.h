#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "framework/rtl/Types.h"

class QWidget;

// The toolkit's menus. TMenuItem keeps the state; when a menu shows, the
// items are described as entries and the toolkit's menu is made from them.
namespace velmor_ws {

struct TMenuEntry {
    enum TKind { Command, Line, SubMenu };
    TKind Kind = Command;
    String Caption;  // with its '&' accelerator marks
    bool Enabled = true;
    bool Checkable = false;
    bool Checked = false;
    // Radio entries of one menu uncheck each other.
    bool Radio = false;
    String ShortCut;  // "Ctrl+N"; empty for none
    bool Bold = false;  // the default item
    std::vector<TMenuEntry> Items;  // of a SubMenu
    std::function<void()> OnClick;
};

// Shows `root`'s items as a pop-up menu at the screen point and returns
// when it closes; an item picked has run its OnClick by then. Without a
// toolkit nothing shows.
void PopupMenu(const TMenuEntry& root, int x, int y);

// The height of a menu bar with one item; 0 without a toolkit.
int MenuBarHeight();

// A form's menu bar. The bar belongs to the form's window and goes with
// it; the handle only knows whether it is still there.
class TMenuBar {
public:
    TMenuBar();
    ~TMenuBar();  // the bar stays with its window
    TMenuBar(const TMenuBar&) = delete;
    TMenuBar& operator=(const TMenuBar&) = delete;

    bool Exists() const;
    QWidget* Widget() const;
    // Makes the bar on `window` when there is none, fills it with `items`
    // and lays it along the window's top, `height` high.
    void Fill(QWidget* window, const std::vector<TMenuEntry>& items, int height);
    // Opens the top menu captioned `caption` as Alt with its key does.
    void OpenMenu(const String& caption);
    // Removes the bar from its window.
    void Destroy();

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};

}  // namespace velmor_ws
