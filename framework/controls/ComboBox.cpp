#include "framework/controls/ComboBox.h"

#include <QComboBox>
#include <QLineEdit>

#include "framework/classes/StringList.h"
#include "framework/controls/ControlBridge.h"
#include "framework/messages/MessageQueue.h"

namespace {
// The toolkit's combo box, telling the control when its list opens and
// closes.
class TQtComboBox : public QComboBox {
public:
    TQtComboBox(TComboBox* owner, QWidget* parent) : QComboBox(parent), FOwner(owner) {}
    void showPopup() override {
        GuardedCall([this] { FOwner->DoDropDown(); });
        QComboBox::showPopup();
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        GuardedCall([this] { FOwner->DoCloseUp(); });
    }

private:
    TComboBox* FOwner;
};
}  // namespace

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner), FItems(new TStringList) {
    ControlStyle &= ~csClickEvents;
    FWidth = 145;
    FHeight = 21;
    FColor = clWindow;
    FParentColor = false;
    SetTabStop(true);
    static_cast<TStringList*>(FItems.get())->OnChange = [this](TObject*) { ItemsChanged(); };
}

TComboBox::~TComboBox() { static_cast<TStringList*>(FItems.get())->OnChange = nullptr; }

TStrings* TComboBox::Items() const { return FItems.get(); }
void TComboBox::SetItems(TStrings* v) { FItems->Assign(v); }

bool TComboBox::Sorted() const { return static_cast<TStringList*>(FItems.get())->Sorted(); }
void TComboBox::SetSorted(bool v) { static_cast<TStringList*>(FItems.get())->SetSorted(v); }

void TComboBox::SetStyle(TComboBoxStyle v) {
    if (v == FStyle) return;
    FStyle = v;
    if (FWidget) {
        auto* cb = static_cast<QComboBox*>(FWidget);
        FPushing = true;
        cb->setEditable(FStyle == csDropDown || FStyle == csSimple);
        FPushing = false;
        InitWidget();
    }
}

void TComboBox::SetItemIndex(int v) {
    if (v < -1 || v >= FItems->Count()) v = -1;
    FItemIndex = v;
    // The text follows the pick; no pick leaves an empty text.
    FText = v >= 0 ? FItems->Get(v) : String();
    if (FWidget) PushIndex();
}

void TComboBox::SetDropDownCount(int v) {
    FDropDownCount = std::max(1, v);
    if (FWidget) static_cast<QComboBox*>(FWidget)->setMaxVisibleItems(FDropDownCount);
}

void TComboBox::SetMaxLength(int v) {
    FMaxLength = std::max(0, v);
    if (FWidget)
        if (QLineEdit* le = static_cast<QComboBox*>(FWidget)->lineEdit())
            le->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

void TComboBox::SetDroppedDown(bool v) {
    if (v == FDroppedDown) return;
    if (!FWidget || !FWidget->isVisible()) {
        if (v) DoDropDown(); else DoCloseUp();
        return;
    }
    if (v)
        static_cast<QComboBox*>(FWidget)->showPopup();
    else
        static_cast<QComboBox*>(FWidget)->hidePopup();
}

void TComboBox::DoDropDown() {
    if (FDroppedDown) return;
    FDroppedDown = true;
    if (OnDropDown) OnDropDown(this);
}

void TComboBox::DoCloseUp() {
    if (!FDroppedDown) return;
    FDroppedDown = false;
    if (OnCloseUp) OnCloseUp(this);
}

void TComboBox::Clear() {
    FItems->Clear();
    SetText(String());
}

void TComboBox::SelectAll() {
    if (FWidget)
        if (QLineEdit* le = static_cast<QComboBox*>(FWidget)->lineEdit()) le->selectAll();
}

void TComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TComboBox::ItemsChanged() {
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    if (FWidget) PushItems();
}

void TComboBox::KeyPress(char& key) {
    TWinControl::KeyPress(key);
    if (key && FMaxLength > 0 && static_cast<unsigned char>(key) >= 32 && static_cast<int>(FText.size()) >= FMaxLength)
        key = 0;
}

void TComboBox::UserPicked(int index) {
    if (FPushing) return;
    FItemIndex = index;
    const String t = index >= 0 && index < FItems->Count() ? FItems->Get(index) : String();
    FUserText = true;
    SetTextFromWidget(t);
    FUserText = false;
    if (OnSelect) OnSelect(this);
    Change();
    Click();
}

void TComboBox::UserTyped(const String& text) {
    if (FPushing || text == FText) return;
    FUserText = true;
    SetTextFromWidget(text);
    FUserText = false;
    // Typing leaves the list without a pick unless the text is one of its lines.
    FItemIndex = -1;
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Get(i) == text) {
            FItemIndex = i;
            break;
        }
    Change();
}

QWidget* TComboBox::CreateWidget(QWidget* parent) {
    auto* cb = new TQtComboBox(this, parent);
    cb->setFocusPolicy(Qt::StrongFocus);
    cb->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(cb, &QComboBox::activated, [this](int i) { GuardedCall([this, i] { UserPicked(i); }); });
    QObject::connect(cb, &QComboBox::editTextChanged, [this](const QString& t) {
        GuardedCall([this, t] { UserTyped(t.toStdString()); });
    });
    return cb;
}

void TComboBox::InitWidget() {
    auto* cb = static_cast<QComboBox*>(FWidget);
    FPushing = true;
    cb->setEditable(FStyle == csDropDown || FStyle == csSimple);
    if (cb->isEditable()) {
        cb->setCompleter(nullptr);
        if (FBridge) FBridge->Watch(cb->lineEdit());
    }
    FPushing = false;
    TWinControl::InitWidget();
    cb->setMaxVisibleItems(FDropDownCount);
    SetMaxLength(FMaxLength);
    PushItems();
}

void TComboBox::PushItems() {
    auto* cb = static_cast<QComboBox*>(FWidget);
    FPushing = true;
    cb->clear();
    for (int i = 0; i < FItems->Count(); ++i) cb->addItem(QString::fromStdString(FItems->Get(i)));
    FPushing = false;
    PushIndex();
}

void TComboBox::PushIndex() {
    auto* cb = static_cast<QComboBox*>(FWidget);
    FPushing = true;
    cb->setCurrentIndex(FItemIndex);
    if (cb->isEditable()) cb->setEditText(QString::fromStdString(FText));
    FPushing = false;
}

void TComboBox::ApplyText() { PushIndex(); }

void TComboBox::TextChanged() {
    if (!FUserText) SyncIndexToText();
    TWinControl::TextChanged();
}

void TComboBox::SyncIndexToText() {
    // Setting the text of a list-only combo box picks the line that has it.
    if (FStyle == csDropDownList) {
        FItemIndex = FItems->IndexOf(FText);
        if (FItemIndex < 0) FText.clear();
    } else {
        FItemIndex = -1;
        for (int i = 0; i < FItems->Count(); ++i)
            if (FItems->Get(i) == FText) FItemIndex = i;
    }
    if (FWidget) PushIndex();
}
