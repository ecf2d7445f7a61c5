#include "framework/controls/ListBox.h"

#include "framework/classes/StringList.h"
#include "framework/controls/ViewportMouse.h"
#include "framework/controls/qt/WsLists.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/Exception.h"

namespace {
// The list box's lines: marks a change that only adds a line at the end.
class TListBoxStrings : public TStringList {
public:
    explicit TListBoxStrings(bool& appended) : FAppended(appended) {}
    void Insert(int index, const String& s) override {
        Mark mark(FAppended, index == Count());
        TStringList::Insert(index, s);
    }
    int AddObject(const String& s, TObject* obj) override {
        Mark mark(FAppended, !Sorted());
        return TStringList::AddObject(s, obj);
    }

private:
    struct Mark {
        Mark(bool& flag, bool v) : Flag(flag) { Flag = v; }
        ~Mark() { Flag = false; }
        bool& Flag;
    };
    bool& FAppended;
};
}  // namespace

TListBox::TListBox(TComponent* owner) : TWinControl(owner), FItems(new TListBoxStrings(FLineAppended)) {
    ControlStyle &= ~csClickEvents;
    FWidth = 121;
    FHeight = 97;
    FColor = clWindow;
    FParentColor = false;
    SetTabStop(true);
    static_cast<TStringList*>(FItems.get())->OnChange = [this](TObject*) { ItemsChanged(); };
}

TListBox::~TListBox() { static_cast<TStringList*>(FItems.get())->OnChange = nullptr; }

TStrings* TListBox::Items() const { return FItems.get(); }
void TListBox::SetItems(TStrings* v) { FItems->Assign(v); }
int TListBox::Count() const { return FItems->Count(); }
bool TListBox::Sorted() const { return static_cast<TStringList*>(FItems.get())->Sorted(); }
void TListBox::SetSorted(bool v) { static_cast<TStringList*>(FItems.get())->SetSorted(v); }

void TListBox::Clear() { FItems->Clear(); }

void TListBox::ItemsChanged() {
    const int count = FItems->Count();
    if (FLineAppended && static_cast<int>(FSelected.size()) == count - 1 &&
        (!FWidget || velmor_ws::ListCount(FWidget) == count - 1)) {
        FSelected.push_back(false);
        if (FWidget) PushAppendedItem(count - 1);
        return;
    }
    FSelected.assign(static_cast<size_t>(FItems->Count()), false);
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    if (FItemIndex >= 0 && !FMultiSelect) FSelected[static_cast<size_t>(FItemIndex)] = true;
    if (FWidget) PushItems();
}

void TListBox::SetItemIndex(int v) {
    if (v < -1 || v >= FItems->Count()) v = -1;
    FItemIndex = v;
    if (!FMultiSelect) {
        FSelected.assign(static_cast<size_t>(FItems->Count()), false);
        if (v >= 0) FSelected[static_cast<size_t>(v)] = true;
    }
    if (FWidget) PushSelection();
}

void TListBox::SetMultiSelect(bool v) {
    if (v == FMultiSelect) return;
    FMultiSelect = v;
    if (FWidget) {
        velmor_ws::SetListMultiSelect(FWidget, v);
        PushSelection();
    }
}

bool TListBox::Selected(int index) const {
    if (index < 0 || index >= FItems->Count()) throw EListError(RtlConsts::SListIndexError, {index});
    return static_cast<size_t>(index) < FSelected.size() && FSelected[static_cast<size_t>(index)];
}

void TListBox::SetSelected(int index, bool v) {
    if (index < 0 || index >= FItems->Count()) throw EListError(RtlConsts::SListIndexError, {index});
    FSelected.resize(static_cast<size_t>(FItems->Count()), false);
    if (!FMultiSelect) {
        // One pick only: selecting moves it, deselecting clears it.
        SetItemIndex(v ? index : (FItemIndex == index ? -1 : FItemIndex));
        return;
    }
    FSelected[static_cast<size_t>(index)] = v;
    if (v) FItemIndex = index;
    if (FWidget) PushSelection();
}

int TListBox::SelCount() const {
    if (!FMultiSelect) return -1;
    int n = 0;
    for (bool b : FSelected) n += b ? 1 : 0;
    return n;
}

int TListBox::TopIndex() const {
    if (FWidget) return velmor_ws::ListTopIndex(FWidget);
    return FTopIndex;
}

void TListBox::SetTopIndex(int v) {
    FTopIndex = std::clamp(v, 0, std::max(0, FItems->Count() - 1));
    if (FWidget && FItems->Count() > 0) velmor_ws::ScrollListTo(FWidget, FTopIndex);
}

TRect TListBox::ItemRect(int index) const {
    if (FWidget && index >= 0 && index < FItems->Count()) return velmor_ws::ListItemRect(FWidget, index);
    return Bounds(0, (index - TopIndex()) * FItemHeight, ClientWidth(), FItemHeight);
}

int TListBox::ItemAtPos(const TPoint& pos, bool existing) const {
    int index;
    if (FWidget) {
        index = velmor_ws::ListItemAt(FWidget, pos);
        if (index < 0) index = FItems->Count();
    } else {
        index = pos.Y < 0 ? -1 : TopIndex() + pos.Y / FItemHeight;
        if (index >= FItems->Count()) index = FItems->Count();
    }
    if (index < 0 || index >= FItems->Count()) return existing ? -1 : FItems->Count();
    return index;
}

QWidget* TListBox::CreateWidget(QWidget* parent) {
    return velmor_ws::CreateListBox(parent, [this] { GuardedCall([this] { UserSelectionChanged(); }); });
}

void TListBox::InitWidget() {
    TWinControl::InitWidget();
    velmor_ws::SetListMultiSelect(FWidget, FMultiSelect);
    PushItems();
    if (FTopIndex > 0) SetTopIndex(FTopIndex);
}

void TListBox::PushItems() {
    FPushing = true;
    velmor_ws::SetListItems(FWidget, FItems.get());
    FPushing = false;
    PushSelection();
}

void TListBox::PushAppendedItem(int index) {
    FPushing = true;
    velmor_ws::AddListItem(FWidget, FItems->Get(index));
    FPushing = false;
}

void TListBox::PushSelection() {
    FPushing = true;
    velmor_ws::SetListSelection(FWidget, FSelected, FItemIndex, FMultiSelect);
    FPushing = false;
}

void TListBox::UserSelectionChanged() {
    if (FPushing) return;
    FSelected.assign(static_cast<size_t>(FItems->Count()), false);
    FItemIndex = velmor_ws::ReadListSelection(FWidget, FSelected, FMultiSelect);
    Click();
}

void TListBox::WidgetCreated() {
    TWinControl::WidgetCreated();
    velmor_internal::ForwardViewportMouse(this, velmor_ws::ItemViewport(FWidget));
}
