#include "composer/windows/WindowParts.h"

#include "framework/classes/Strings.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Label.h"
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

bool NamesAFolder(const String& name) {
    return name.find('/') != String::npos || name.find('\\') != String::npos ||
           name.find("..") != String::npos;
}

TGroupBox* Group(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int left,
                 int top, int width, int height) {
    TGroupBox* g = Place<TGroupBox>(owner, parent, name, left, top, width, height);
    g->SetCaption(caption);
    return g;
}

TCheckBox* Check(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int left,
                 int top, int width) {
    TCheckBox* c = Place<TCheckBox>(owner, parent, name, left, top, width, 17);
    c->SetCaption(caption);
    return c;
}

TLabel* MakeLabel(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int left,
                  int top, int width, int height) {
    TLabel* l = Place<TLabel>(owner, parent, name, left, top, width, height);
    l->SetCaption(caption);
    return l;
}

void ShowLines(TStrings* lines, const std::vector<String>& values) {
    lines->BeginUpdate();
    lines->Clear();
    for (const String& v : values) lines->Add(v);
    lines->EndUpdate();
}

void ShowKindMessage(const String& text, TMessageKind kind) {
    switch (kind) {
    case mkPlain: ShowMessage(text); break;
    case mkInformation: MessageDlg(text, mtInformation, mbOK, 0); break;
    case mkWarning: MessageDlg(text, mtWarning, mbOK, 0); break;
    case mkError: MessageDlg(text, mtError, mbOK, 0); break;
    }
}
