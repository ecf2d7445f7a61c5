#include "framework/controls/ListItem.h"

#include "framework/classes/StringList.h"
#include "framework/controls/ListItems.h"
#include "framework/controls/ListView.h"

TListItem::TListItem(TListItems* owner) : FOwner(owner), FSubItems(new TStringList) {
    static_cast<TStringList*>(FSubItems.get())->OnChange = [this](TObject*) {
        if (TListView* lv = ListView()) lv->ItemChanged(this, ctText);
    };
}

TListItem::~TListItem() { static_cast<TStringList*>(FSubItems.get())->OnChange = nullptr; }

TStrings* TListItem::SubItems() const { return FSubItems.get(); }
void TListItem::SetSubItems(TStrings* v) { FSubItems->Assign(v); }

TListView* TListItem::ListView() const { return FOwner ? FOwner->Owner() : nullptr; }

int TListItem::Index() const { return FOwner ? FOwner->IndexOf(this) : -1; }

void TListItem::SetCaption(const String& v) {
    if (v == FCaption) return;
    FCaption = v;
    if (TListView* lv = ListView()) lv->ItemChanged(this, ctText);
}

void TListItem::SetChecked(bool v) {
    if (v == FChecked) return;
    FChecked = v;
    if (TListView* lv = ListView()) lv->ItemChanged(this, ctState);
}

void TListItem::SetSelected(bool v) {
    if (v == FSelected) return;
    if (TListView* lv = ListView())
        lv->SelectionChanged(this, v);
    else
        FSelected = v;
}

bool TListItem::Focused() const { return ListView() && ListView()->ItemFocused() == this; }

void TListItem::SetFocused(bool v) {
    if (TListView* lv = ListView()) lv->SetItemFocused(v ? this : (Focused() ? nullptr : lv->ItemFocused()));
}

void TListItem::Delete() { FOwner->Delete(Index()); }

void TListItem::MakeVisible(bool) {}
