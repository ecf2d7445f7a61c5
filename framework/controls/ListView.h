#pragma once
#include <memory>

#include "framework/controls/StdCtrlsTypes.h"
#include "framework/controls/TreeView.h"
#include "framework/controls/WinControl.h"

class TListColumn;
class TListColumns;
class TListItem;
class TListItems;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TItemChange { ctText, ctImage, ctState };

using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVChangeEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVCompareEvent =
    std::function<void(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare)>;

// A list of items in columns (the report style is the one shown as a
// table; the other styles show the captions in a list).
class TListView : public TWinControl {
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;
    String ClassName() const override { return "TListView"; }

    TListColumns* Columns() const { return FColumns.get(); }
    TListItems* Items() const { return FItems.get(); }
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle v);
    bool Checkboxes() const { return FCheckboxes; }
    void SetCheckboxes(bool v);
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool v);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool v);
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool v);
    bool ShowColumnHeaders = true;
    bool ReadOnly = false;
    bool HideSelection = true;
    TSortType SortType() const { return FSortType; }
    void SetSortType(TSortType v);
    // Sorts by caption (or by OnCompare when assigned).
    bool AlphaSort();
    TListItem* Selected() const;  // the first selected item
    void SetSelected(TListItem* v);
    int SelCount() const;
    TListItem* ItemFocused() const { return FFocused; }
    void SetItemFocused(TListItem* v);
    int ItemIndex() const;
    void SetItemIndex(int v);
    TListItem* GetItemAt(int x, int y) const;

    TLVColumnClickEvent OnColumnClick;
    TLVChangeEvent OnChange;
    TLVSelectItemEvent OnSelectItem;
    TLVCompareEvent OnCompare;
    std::function<void(TObject* Sender, TListItem* Item)> OnDeletion;

    // What the window shows (its own widget when it has one): a cell's
    // text, a column's width and alignment, for tests and diagnostics.
    String ShownText(int row, int column) const;
    int ShownColumnWidth(int column) const;
    TAlignment ShownAlignment(int row, int column) const;  // row -1: the header
    // The toolkit reports a click on a column header or a check box.
    void HeaderClicked(int column);
    void CheckClicked(int row, bool checked);

    // Framework-internal.
    void ItemsChanged();
    void ItemChanged(TListItem* item, TItemChange change);
    void ItemDeleting(TListItem* item);
    void ColumnsChanged();
    void SelectionChanged(TListItem* item, bool selected);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget() override;
    void WidgetCreated() override;
    void RebuildWidget();
    void PushColumns();
    void PushSelection();
    void PullSelection();

private:
    std::unique_ptr<TListColumns> FColumns;
    std::unique_ptr<TListItems> FItems;
    TViewStyle FViewStyle = vsIcon;
    bool FCheckboxes = false;
    bool FRowSelect = false;
    bool FMultiSelect = false;
    bool FGridLines = false;
    TSortType FSortType = stNone;
    TListItem* FFocused = nullptr;
    bool FPushing = false;
};
