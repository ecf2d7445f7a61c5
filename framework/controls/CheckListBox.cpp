#include "framework/controls/CheckListBox.h"

#include <QListWidget>

#include "framework/classes/Strings.h"
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
        static_cast<QListWidget*>(FWidget)->item(index)->setCheckState(v ? Qt::Checked : Qt::Unchecked);
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
    auto* l = static_cast<QListWidget*>(w);
    QObject::connect(l, &QListWidget::itemChanged, [this, l](QListWidgetItem* item) {
        GuardedCall([this, l, item] {
            if (FPushing) return;
            const int i = l->row(item);
            if (i < 0 || i >= FItems->Count()) return;
            FChecked.resize(static_cast<size_t>(FItems->Count()), false);
            const bool v = item->checkState() == Qt::Checked;
            if (FChecked[static_cast<size_t>(i)] == v) return;
            FChecked[static_cast<size_t>(i)] = v;
            if (OnClickCheck) OnClickCheck(this);
        });
    });
    return w;
}

void TCheckListBox::PushAppendedItem(int index) {
    TListBox::PushAppendedItem(index);
    QListWidgetItem* item = static_cast<QListWidget*>(FWidget)->item(index);
    FPushing = true;
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Checked(index) ? Qt::Checked : Qt::Unchecked);
    FPushing = false;
}

void TCheckListBox::PushItems() {
    TListBox::PushItems();
    auto* l = static_cast<QListWidget*>(FWidget);
    FPushing = true;
    for (int i = 0; i < l->count(); ++i) {
        l->item(i)->setFlags(l->item(i)->flags() | Qt::ItemIsUserCheckable);
        l->item(i)->setCheckState(Checked(i) ? Qt::Checked : Qt::Unchecked);
    }
    FPushing = false;
}
