#pragma once
// The toolkit side of the list controls (list box, check list box, combo
// box, list view, tree view). The controls keep lines, picks and checks
// themselves and hand them down here; the widgets report what the user did
// through the callbacks given when they are made.
#include <functional>
#include <vector>

#include "framework/controls/StdCtrlsTypes.h"
#include "framework/rtl/Types.h"

class QWidget;
class TControlBridge;
class TStrings;
class TTreeNode;

namespace velmor_ws {

// The inner widget a list, tree or view draws its items on and takes the
// mouse with.
QWidget* ItemViewport(QWidget* view);

// --- list box ---------------------------------------------------------
// `onSelectionChanged` runs when the picked lines change (by the user or by
// the calls below; the control tells them apart).
QWidget* CreateListBox(QWidget* parent, std::function<void()> onSelectionChanged);
// `onChecked(line, checked)` runs when a line's check box changes.
void WatchListChecks(QWidget* list, std::function<void(int, bool)> onChecked);
void SetListMultiSelect(QWidget* list, bool multiSelect);
int ListCount(QWidget* list);
void SetListItems(QWidget* list, const TStrings* items);
void AddListItem(QWidget* list, const String& text);
// Gives a line a check box, checked or not.
void SetListItemCheck(QWidget* list, int index, bool checked);
// Selects the lines marked in `selected` and makes `itemIndex` current.
void SetListSelection(QWidget* list, const std::vector<bool>& selected, int itemIndex, bool multiSelect);
// Reads the picked lines into `selected` (as many as it holds) and answers
// the current line: with one pick, the picked one.
int ReadListSelection(QWidget* list, std::vector<bool>& selected, bool multiSelect);
// The first line shown, and scrolling a line to the top.
int ListTopIndex(QWidget* list);
void ScrollListTo(QWidget* list, int index);
// A line's rectangle and the line at a point, in the list's coordinates;
// -1 where there is no line.
TRect ListItemRect(QWidget* list, int index);
int ListItemAt(QWidget* list, const TPoint& pos);

// --- list view (rows in columns) ---------------------------------------
struct TListViewEvents {
    std::function<void(int)> HeaderClicked;             // column
    std::function<void(int, int)> ColumnResized;        // column, width
    std::function<void()> SelectionChanged;             // by the user or the calls below
    // An item's data changed (a check box among them): the item and the
    // column; ListViewRowOf and ListViewItemChecked read it when wanted.
    std::function<void(void*, int)> ItemChanged;
};
QWidget* CreateListView(QWidget* parent, TListViewEvents events);
void SetListViewSelectMode(QWidget* view, bool multiSelect, bool rowSelect);
struct TListViewColumn {
    String Caption;
    int Width = 0;
    TAlignment Alignment = taLeftJustify;
};
// `columns` are the header's (none: the header keeps no captions).
void SetListViewColumns(QWidget* view, int columnCount, bool headerShown, const std::vector<TListViewColumn>& columns);
struct TListViewRow {
    String Caption;
    std::vector<String> SubItems;           // columns 1, 2...
    std::vector<TAlignment> SubAlignments;  // as many as SubItems
    bool Checkable = false;
    bool Checked = false;
};
void SetListViewRows(QWidget* view, const std::vector<TListViewRow>& rows);
int ListViewRowCount(QWidget* view);
int ListViewRowOf(QWidget* view, void* item);
bool ListViewItemChecked(void* item);
// A row's caption and sub-items (`texts[0]` is the caption).
void SetListViewRowTexts(QWidget* view, int row, const std::vector<String>& texts);
void SetListViewRowCheck(QWidget* view, int row, bool checked);
void SetListViewSelection(QWidget* view, const std::vector<bool>& selected);
bool ListViewRowSelected(QWidget* view, int row);
// The row at a point in the view's coordinates; -1 where there is none.
int ListViewRowAt(QWidget* view, const TPoint& pos);
// What a cell shows; row -1 is the header.
String ListViewCellText(QWidget* view, int row, int column);
TAlignment ListViewCellAlignment(QWidget* view, int row, int column);
int ListViewColumnWidth(QWidget* view, int column);

// --- tree view ----------------------------------------------------------
// The tree's items stand for nodes: each carries its node, and the events
// name the node.
struct TTreeViewEvents {
    std::function<void(TTreeNode*)> CurrentChanged;
    std::function<void(TTreeNode*, bool)> ExpandedChanged;
    // An editor closed without its text being taken (Esc).
    std::function<void()> EditorClosed;
    // An item's data changed (its text among them): its node and the item,
    // whose text TreeItemText reads when wanted.
    std::function<void(TTreeNode*, void*)> ItemChanged;
};
QWidget* CreateTreeView(QWidget* parent, TTreeViewEvents events);
void ClearTree(QWidget* tree);
// Adds an editable item for `node` under `parentItem` (nullptr: at the top)
// and answers it; items are opaque to the control.
void* AddTreeItem(QWidget* tree, void* parentItem, TTreeNode* node, const String& text);
void SetTreeItemText(void* item, const String& text);
String TreeItemText(void* item);
void SetTreeItemExpanded(void* item, bool expanded);
void DeleteTreeItem(void* item);
void SetTreeCurrentItem(QWidget* tree, void* item);
void EditTreeItem(QWidget* tree, void* item);
// The node at a point in the tree's coordinates, and the first one shown.
TTreeNode* TreeNodeAt(QWidget* tree, const TPoint& pos);
TTreeNode* TreeTopNode(QWidget* tree);

// --- combo box ------------------------------------------------------------
// What the toolkit's combo box asks of its control, and tells it.
struct TComboBoxHooks {
    std::function<void()> DroppingDown;  // the list is about to open
    std::function<void()> ClosedUp;      // the list has closed
    std::function<bool()> DroppedDown;
    std::function<int()> DroppedWidth;   // the least width of the open list
    std::function<TRect()> WorkArea;     // the screen the list must stay on
    // An own face: the control paints the frame and button, the widget
    // keeps to the text area (box coordinates), and a click outside it
    // drops the list.
    std::function<bool()> OwnFace;
    std::function<TRect()> OwnFaceTextArea;
    std::function<void(int)> Picked;              // a line picked from the list
    std::function<void(const String&)> TextEdited;  // the edit's text changed
};
QWidget* CreateComboBox(QWidget* parent, TComboBoxHooks hooks);
// Gives the box an edit or takes it away.
void SetComboEditable(QWidget* combo, bool editable);
// As SetComboEditable, and gives the simple style the list that stays open
// below the edit; the bridge hears the edit's events too.
void SetComboStyle(QWidget* combo, bool editable, bool simple, TControlBridge* bridge);
bool ComboEditable(QWidget* combo);
// The own face came or went, or its text area moved.
void ComboFaceChanged(QWidget* combo);
// The height of the edit band in the simple style.
int ComboEditHeight(QWidget* combo);
void SetComboItems(QWidget* combo, const TStrings* items);
// Picks the line (-1: none) and, in an editable box, shows the text.
void SetComboIndex(QWidget* combo, int index, const String& text);
void SetComboDropDownCount(QWidget* combo, int count);
void SetComboDroppedWidth(QWidget* combo, int width);
void SetComboMaxLength(QWidget* combo, int length);  // 0: no limit
void ShowComboList(QWidget* combo, bool show);
// The open list's frame in screen coordinates; empty when it is closed.
TRect ComboListRect(QWidget* combo);
// The selection in the edit; false (and nothing) without an edit. Setting
// it keeps start and length inside the text; length 0 leaves the cursor
// at start.
bool ComboSelection(QWidget* combo, int& start, int& length);
void SetComboSelection(QWidget* combo, int start, int length);
void SelectAllComboText(QWidget* combo);

// --- beyond the generic widget operations (qt/WsControl) -------------------
// The mouse is over the widget (or a widget on it) and inside its rectangle.
bool MouseOverWidget(QWidget* w);

}  // namespace velmor_ws
