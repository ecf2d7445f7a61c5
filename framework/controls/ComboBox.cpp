#include "framework/controls/ComboBox.h"

#include <QComboBox>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QResizeEvent>
#include <QListView>
#include <QStyleOptionFrame>
#include <QStylePainter>

#include "framework/classes/StringList.h"
#include "framework/controls/ControlBridge.h"
#include "framework/messages/MessageQueue.h"

namespace {
// The toolkit's combo box, telling the control when its list opens and
// closes. In the simple style the list does not drop down: it lies open
// below the edit for good, sharing the combo box's lines.
class TQtComboBox : public QComboBox {
public:
    TQtComboBox(TComboBox* owner, QWidget* parent) : QComboBox(parent), FOwner(owner) {
        QObject::connect(this, &QComboBox::currentIndexChanged, [this](int i) {
            if (FList) FList->setCurrentIndex(model()->index(i, modelColumn()));
        });
    }
    void showPopup() override {
        if (FList) return;
        GuardedCall([this] { FOwner->DoDropDown(); });
        // The list's least width widens the popup past the box.
        view()->setMinimumWidth(FOwner->DroppedWidth());
        QComboBox::showPopup();
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        GuardedCall([this] { FOwner->DoCloseUp(); });
    }
    void SetSimple(bool on) {
        if (on && !FList) {
            FList = new QListView(this);
            FList->setModel(model());
            FList->setModelColumn(modelColumn());
            FList->setEditTriggers(QAbstractItemView::NoEditTriggers);
            FList->setFocusPolicy(Qt::NoFocus);
            QObject::connect(FList, &QListView::clicked, [this](const QModelIndex& index) { Pick(index.row()); });
            // The toolkit centres the edit in the whole box now and then;
            // it belongs at the top.
            if (lineEdit()) lineEdit()->installEventFilter(this);
        } else if (!on && FList) {
            delete FList;
            FList = nullptr;
            if (lineEdit()) lineEdit()->removeEventFilter(this);
            // Back to the toolkit's own place for the edit.
            QResizeEvent again(size(), size());
            QComboBox::resizeEvent(&again);
        }
        Layout();
        update();
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        const bool handled = QComboBox::eventFilter(o, e);
        if (FList && o == lineEdit() && (e->type() == QEvent::Move || e->type() == QEvent::Resize)) Layout();
        return handled;
    }
    void resizeEvent(QResizeEvent* e) override {
        QComboBox::resizeEvent(e);
        Layout();
    }
    void showEvent(QShowEvent* e) override {
        QComboBox::showEvent(e);
        Layout();
    }
    void paintEvent(QPaintEvent* e) override {
        if (!FList) {
            QComboBox::paintEvent(e);
            return;
        }
        // Only the edit's frame: no arrow, as nothing drops down.
        QStylePainter p(this);
        QStyleOptionFrame opt;
        opt.initFrom(this);
        opt.rect = QRect(0, 0, width(), EditHeight());
        opt.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, this);
        opt.state |= QStyle::State_Sunken;
        p.drawPrimitive(QStyle::PE_PanelLineEdit, opt);
    }

private:
    int EditHeight() const { return std::min(height(), QComboBox::sizeHint().height()); }
    void Layout() {
        if (!FList) return;
        const int h = EditHeight();
        const int f = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        const QRect at(f + 1, f, std::max(0, width() - 2 * f - 2), std::max(0, h - 2 * f));
        if (lineEdit() && lineEdit()->geometry() != at) lineEdit()->setGeometry(at);
        FList->setGeometry(0, h, width(), std::max(0, height() - h));
        FList->show();
    }
    // A click in the open list picks the line as a pick from a dropped
    // list does: the edit shows it and the control hears of it once.
    void Pick(int row) {
        {
            const QSignalBlocker quiet(this);
            setCurrentIndex(row);
        }
        emit activated(row);
    }
    TComboBox* FOwner;
    QListView* FList = nullptr;
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

void TComboBox::SetDroppedWidth(int v) {
    v = std::max(0, v);
    if (v == FDroppedWidth) return;
    FDroppedWidth = v;
    // An open list takes the new width at once.
    if (FWidget && FDroppedDown) static_cast<QComboBox*>(FWidget)->view()->setMinimumWidth(DroppedWidth());
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
    static_cast<TQtComboBox*>(cb)->SetSimple(FStyle == csSimple);
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
