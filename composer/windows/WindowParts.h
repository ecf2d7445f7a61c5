#pragma once
// The small pieces every window of the composer is built from, and where
// the program's data folders are.
#include <vector>

#include "composer/engine/MetaFields.h"
#include "framework/controls/WinControl.h"

class TCheckBox;
class TGroupBox;
class TLabel;
class TMenuItem;
class TSpeedButton;
class TStrings;

// A control of the window's control table: made, named, placed.
template <class T>
T* Place(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width, int height) {
    T* c = new T(owner);
    c->SetName(name);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
}

// A label with its caption, 13 high unless told otherwise.
TLabel* MakeLabel(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int left, int top,
                  int width, int height = 13);

// A push or speed button (25 high unless told otherwise) with its caption
// and, where one is given, the hint it shows.
template <class T = TSpeedButton>
T* MakeButton(TComponent* owner, TWinControl* parent, const char* name, const char* caption, const char* hint,
              int left, int top, int width, int height = 25) {
    T* b = Place<T>(owner, parent, name, left, top, width, height);
    b->SetCaption(caption);
    if (hint) {
        b->SetHint(hint);
        b->SetShowHint(true);
    }
    return b;
}

// A group box with its caption; a check box (17 high) with its caption.
TGroupBox* Group(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int left, int top,
                 int width, int height);
TCheckBox* Check(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int left, int top,
                 int width);

// Shows values in lines, one a line, in place of what they held.
void ShowLines(TStrings* lines, const std::vector<String>& values);

// How a message of the engine shows: a plain message or a box of its kind.
void ShowKindMessage(const String& text, TMessageKind kind);

// A menu item added under parent.
TMenuItem* MenuItem(TComponent* owner, TMenuItem* parent, const char* name, const char* caption);

// A file or folder beside the program, as it is found whatever the letter
// case of its name; the path as written when there is none yet.
String BesideProgram(const String& relative);

// Whether a name typed or stored for a file of a data folder (a schema, a
// field's value list, a vocabulary) would reach outside that folder: it
// holds a path separator or "..". Such names are neither read nor written.
bool NamesAFolder(const String& name);
