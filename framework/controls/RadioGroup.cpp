#include "framework/controls/RadioGroup.h"

#include <algorithm>

#include "framework/classes/StringList.h"
#include "framework/controls/RadioButton.h"

TRadioGroup::TRadioGroup(TComponent* owner) : TGroupBox(owner), FItems(new TStringList) {
    static_cast<TStringList*>(FItems.get())->OnChange = [this](TObject*) { UpdateButtons(); };
}

TRadioGroup::~TRadioGroup() = default;

void TRadioGroup::SetItems(TStrings* v) { FItems->Assign(v); }

void TRadioGroup::SetItemIndex(int v) {
    if (v < -1 || v >= FItems->Count()) v = -1;
    if (v == FItemIndex) return;
    FItemIndex = v;
    FUpdating = true;
    for (size_t i = 0; i < FButtons.size(); ++i) FButtons[i]->SetChecked(static_cast<int>(i) == v);
    FUpdating = false;
    Click();
}

void TRadioGroup::SetColumns(int v) {
    v = std::clamp(v, 1, 16);
    if (v == FColumns) return;
    FColumns = v;
    ArrangeButtons();
}

void TRadioGroup::UpdateButtons() {
    while (static_cast<int>(FButtons.size()) > FItems->Count()) {
        delete FButtons.back();
        FButtons.pop_back();
    }
    while (static_cast<int>(FButtons.size()) < FItems->Count()) {
        auto* b = new TRadioButton(this);
        const int index = static_cast<int>(FButtons.size());
        b->OnClick = [this, index](TObject*) {
            if (!FUpdating) SetItemIndex(index);
        };
        b->SetParent(this);
        FButtons.push_back(b);
    }
    for (size_t i = 0; i < FButtons.size(); ++i) FButtons[i]->SetCaption(FItems->Get(static_cast<int>(i)));
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    FUpdating = true;
    for (size_t i = 0; i < FButtons.size(); ++i) FButtons[i]->SetChecked(static_cast<int>(i) == FItemIndex);
    FUpdating = false;
    ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
    if (FButtons.empty()) return;
    TRect r = ClientRect();
    AdjustClientRect(r);
    const int count = static_cast<int>(FButtons.size());
    const int rows = (count + FColumns - 1) / FColumns;
    const int colW = std::max(1, (r.Width() - 8) / FColumns);
    const int rowH = std::max(1, r.Height() / std::max(1, rows));
    for (int i = 0; i < count; ++i) {
        const int col = i / rows, row = i % rows;
        FButtons[static_cast<size_t>(i)]->SetBounds(r.Left + 8 + col * colW, r.Top + row * rowH + (rowH - 17) / 2,
                                                    colW - 4, 17);
    }
}

void TRadioGroup::Resize() {
    ArrangeButtons();
    TGroupBox::Resize();
}
