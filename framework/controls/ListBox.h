#pragma once
#include <memory>
#include <vector>

#include "framework/controls/WinControl.h"

class TStrings;

// A list of lines to pick from. OnClick fires when the user changes the
// pick; changes made by code do not fire it.
class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;
    String ClassName() const override { return "TListBox"; }

    TStrings* Items() const;
    void SetItems(TStrings* v);
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int v);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool v);
    bool Selected(int index) const;
    void SetSelected(int index, bool v);
    int SelCount() const;
    bool Sorted() const;
    void SetSorted(bool v);
    int TopIndex() const;
    void SetTopIndex(int v);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int v) { FItemHeight = std::max(1, v); }
    int Count() const;
    // The line at a client point: -1 below the last line when `existing`,
    // else Count there.
    int ItemAtPos(const TPoint& pos, bool existing) const;
    TRect ItemRect(int index) const;
    void Clear();

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget() override;
    void WidgetCreated() override;
    virtual void ItemsChanged();
    virtual void PushItems();
    // The widget side of a line added at the end.
    virtual void PushAppendedItem(int index);
    void PushSelection();
    void UserSelectionChanged();

    std::unique_ptr<TStrings> FItems;
    std::vector<bool> FSelected;
    int FItemIndex = -1;
    bool FMultiSelect = false;
    int FTopIndex = 0;
    int FItemHeight = 16;
    bool FPushing = false;
    // The change being reported only added a line at the end: the window
    // takes that line instead of all of them again.
    bool FLineAppended = false;
};
