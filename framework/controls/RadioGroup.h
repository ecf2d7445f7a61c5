#pragma once
#include <memory>
#include <vector>

#include "framework/controls/GroupBox.h"

class TStrings;
class TRadioButton;

// A group box of radio buttons, one per line of Items, laid out in
// Columns. ItemIndex is the checked one (-1: none).
class TRadioGroup : public TGroupBox {
public:
    explicit TRadioGroup(TComponent* owner);
    ~TRadioGroup() override;
    String ClassName() const override { return "TRadioGroup"; }

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* v);
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int v);
    int Columns() const { return FColumns; }
    void SetColumns(int v);
    TRadioButton* Buttons(int index) const { return FButtons.at(static_cast<size_t>(index)); }

protected:
    void Resize() override;

private:
    void UpdateButtons();
    void ArrangeButtons();
    std::unique_ptr<TStrings> FItems;
    std::vector<TRadioButton*> FButtons;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FUpdating = false;
};
