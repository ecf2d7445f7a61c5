#include "toolbars/TbToolbarControlList.h"

#include "framework/controls/Control.h"
#include "framework/rtl/StrUtils.h"

int TTbToolbarControlList::IndexOfControl(const TControl* control) const {
    for (int i = 0; i < Count(); ++i)
        if (FItems[static_cast<size_t>(i)].Control == control) return i;
    return -1;
}

int TTbToolbarControlList::IndexOfName(const String& name) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(FItems[static_cast<size_t>(i)].Name, name)) return i;
    return -1;
}

int TTbToolbarControlList::AddControl(TControl* control) {
    const int i = IndexOfControl(control);
    if (i >= 0) return i;
    FItems.push_back({control, control ? control->Name() : String()});
    return Count() - 1;
}

int TTbToolbarControlList::AddName(const String& name) {
    const int i = IndexOfName(name);
    if (i >= 0) return i;
    FItems.push_back({nullptr, name});
    return Count() - 1;
}

bool TTbToolbarControlList::DeleteControl(const TControl* control) {
    const int i = IndexOfControl(control);
    if (i < 0) return false;
    FItems.erase(FItems.begin() + i);
    return true;
}

bool TTbToolbarControlList::DeleteName(const String& name) {
    const int i = IndexOfName(name);
    if (i < 0) return false;
    FItems.erase(FItems.begin() + i);
    return true;
}
