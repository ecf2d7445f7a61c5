#include "composer/WindowParts.h"

#include "framework/controls/Menus.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"

TMenuItem* MenuItem(TComponent* owner, TMenuItem* parent, const char* name, const char* caption) {
    TMenuItem* item = new TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

String BesideProgram(const String& relative) {
    const String path = PathJoin(ProgramFolder(), relative);
    const String found = FindPathNoCase(path);
    return found.empty() ? path : found;
}
