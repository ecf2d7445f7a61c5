#include "framework/controls/CheckListBox.h"

#include "framework/classes/Strings.h"
#include "framework/controls/qt/WsLists.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/Exception.h"

TCheckListBox::TCheckListBox(TComponent* owner) : TListBox(owner) {}

bool TCheckListBox::Checked(int index) const {
    if (index < 0 || index >= FItems->Count()) throw EListError(RtlConsts::SListIndexError, {index});
    return static_cast<size_t>(index) < FChecked.size() && FChecked[static_cast<size_t>(index)];
}

void TCheckListBox::SetChecked(int index, bool v) {
    if (index < 0 || index >= FItems->Count()) throw EListError(RtlConsts::SListIndexError, {index});
    FChecked.resize(static_cast<size_t>(FItems->Count()), false);
    FChecked[static_cast<size_t>(index)] = v;
    if (FWidget) {
        FPushing = true;
        velmor_ws::SetListItemCheck(FWidget, index, v);
        FPushing = false;
    }
}

void TCheckListBox::ItemsChanged() {
    // Checks stay with their lines as long as the count holds; a rebuilt
    // list starts unchecked beyond the old end.
    FChecked.resize(static_cast<size_t>(FItems->Count()), false);
    TListBox::ItemsChanged();
}

QWidget* TCheckListBox::CreateWidget(QWidget* parent) {
    QWidget* w = TListBox::CreateWidget(parent);
    velmor_ws::WatchListChecks(w, [this](int i, bool v) {
        GuardedCall([this, i, v] {
            if (FPushing) return;
            if (i < 0 || i >= FItems->Count()) return;
            FChecked.resize(static_cast<size_t>(FItems->Count()), false);
            if (FChecked[static_cast<size_t>(i)] == v) return;
            FChecked[static_cast<size_t>(i)] = v;
            if (OnClickCheck) OnClickCheck(this);
        });
    });
    return w;
}

void TCheckListBox::PushAppendedItem(int index) {
    TListBox::PushAppendedItem(index);
    FPushing = true;
    velmor_ws::SetListItemCheck(FWidget, index, Checked(index));
    FPushing = false;
}

void TCheckListBox::PushItems() {
    TListBox::PushItems();
    const int count = velmor_ws::ListCount(FWidget);
    FPushing = true;
    for (int i = 0; i < count; ++i) velmor_ws::SetListItemCheck(FWidget, i, Checked(i));
    FPushing = false;
}
