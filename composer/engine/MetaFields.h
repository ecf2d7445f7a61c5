#pragma once
// What the page-head engine needs from the main window: the values of its
// fields, the tag-name settings and the token map, copied out of the controls
// so the engine never touches a window. The window copies them back after a
// read.
#include <functional>
#include <vector>

#include "framework/rtl/Types.h"

// A row of the custom grid below its heading row, cells as the grid holds them.
struct TCustomRow {
    String Name;   // column 0
    String Value;  // column 1
};

// A row of the token map below its heading row.
struct TTokenRow {
    String Token;  // column 0
    String Tag;    // column 1
};

// The values of the window's fields. The META fields are the rows of
// MetaFieldRows.inc; the title and the custom rows are no META fields of
// the table.
struct TMetaFields {
    String Title;  // TitleBox
#define META_FIELD(member, ...) String member;
#include "composer/engine/MetaFieldRows.inc"
#undef META_FIELD
    std::vector<TCustomRow> CustomRows;  // grid1 rows 1 .. last
};

// The setting strings the engine reads. Flags count as on only when "1".
struct TTagSettings {
    String aname;
    String clasname;
    String lname;
    String catstr;
    String usexhtml;
    String tokens;
    bool UseXHTML() const { return usexhtml == "1"; }
    bool UseTokens() const { return tokens == "1"; }
};

// One entry of the name list of a read: the tag name and the content found.
struct TTagEntry {
    String Name;
    String Value;
};
using TTagList = std::vector<TTagEntry>;

// How the window shows an engine message: a plain message without icon or a
// message box with the icon of its kind and an OK button.
enum TMessageKind { mkPlain, mkInformation, mkWarning, mkError };
using TShowMessageEvent = std::function<void(const String& text, TMessageKind kind)>;
using TProcessMessagesEvent = std::function<void()>;
