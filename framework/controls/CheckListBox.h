#pragma once
#include "framework/controls/ListBox.h"

// A list box with a check box on every line.
class TCheckListBox : public TListBox {
public:
    explicit TCheckListBox(TComponent* owner);
    String ClassName() const override { return "TCheckListBox"; }

    bool Checked(int index) const;
    void SetChecked(int index, bool v);

    TNotifyEvent OnClickCheck;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ItemsChanged() override;
    void PushItems() override;
    void PushAppendedItem(int index) override;

private:
    std::vector<bool> FChecked;
};
