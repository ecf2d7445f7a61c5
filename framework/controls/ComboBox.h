#pragma once
#include <algorithm>
#include <memory>

#include "framework/controls/WinControl.h"

class TStrings;

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

// A combo box. OnChange fires on every change of the text by the user (a
// pick from the list or each typed character); OnClick on a pick. Changes
// made by code fire neither.
// csSimple keeps the list open below the edit (the box's height holds
// both) instead of dropping it down.
class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;
    String ClassName() const override { return "TComboBox"; }

    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle v);
    TStrings* Items() const;
    void SetItems(TStrings* v);
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int v);
    bool Sorted() const;
    void SetSorted(bool v);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    // The width of the opened list: never narrower than the box; 0 (the
    // start) makes it the box's width.
    int DroppedWidth() const { return std::max(FDroppedWidth, FWidth); }
    void SetDroppedWidth(int v);
    bool DroppedDown() const { return FDroppedDown; }
    void SetDroppedDown(bool v);
    void Clear();
    void SelectAll();

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnSelect;

    // Framework-internal: the list opens and closes.
    void DoDropDown();
    void DoCloseUp();

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget() override;
    void ApplyText() override;
    void TextChanged() override;
    void SyncIndexToText();
    void KeyPress(char& key) override;
    virtual void Change();
    void ItemsChanged();
    void PushItems();
    void PushIndex();
    void UserPicked(int index);
    void UserTyped(const String& text);

private:
    TComboBoxStyle FStyle = csDropDown;
    std::unique_ptr<TStrings> FItems;
    int FItemIndex = -1;
    int FDropDownCount = 8;
    int FMaxLength = 0;
    int FDroppedWidth = 0;
    bool FDroppedDown = false;
    bool FPushing = false;
    bool FUserText = false;
};
