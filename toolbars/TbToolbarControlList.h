#pragma once
#include <vector>

#include "toolbars/TbToolbarControl.h"

class TTbToolbar;

// The ordered controls of a toolbar.
class TTbToolbarControlList {
public:
    explicit TTbToolbarControlList(TTbToolbar* toolbar) : FToolbar(toolbar) {}
    TTbToolbar* Toolbar() const { return FToolbar; }

    int Count() const { return static_cast<int>(FItems.size()); }
    const TTbToolbarControl& Items(int index) const { return FItems.at(static_cast<size_t>(index)); }
    void Clear() { FItems.clear(); }

    int IndexOfControl(const TControl* control) const;
    // Names compare without regard to case.
    int IndexOfName(const String& name) const;
    // Both return the index the entry has, appending it when missing.
    int AddControl(TControl* control);
    int AddName(const String& name);
    // False when there was no such entry.
    bool DeleteControl(const TControl* control);
    bool DeleteName(const String& name);

private:
    TTbToolbar* FToolbar;
    std::vector<TTbToolbarControl> FItems;
};
