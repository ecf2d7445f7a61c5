#include "framework/controls/ComboBox.h"

#include <QComboBox>
#include <QAbstractItemView>
#include <QCursor>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QListView>
#include <QStyleOptionFrame>
#include <QStylePainter>

#include "framework/classes/StringList.h"
#include "framework/controls/qt/ControlBridge.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
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
        } else if (!on && FList) {
            delete FList;
            FList = nullptr;
            ToolkitEditPlace();
        }
        WatchEdit();
        Layout();
        update();
    }
    // The owner's face came or went: the edit moves into its text area or
    // back to the toolkit's place.
    void FaceChanged() {
        if (!FList && !FOwner->OwnFaceShown()) ToolkitEditPlace();
        WatchEdit();
        Layout();
        update();
    }
    // The toolkit moves the edit back to its own place now and then (it
    // centres it in the whole box, or fits it to its own frame); with the
    // simple style or an own face it belongs elsewhere.
    void WatchEdit() {
        if (lineEdit()) lineEdit()->installEventFilter(this);
    }
    int EditHeight() const { return std::min(height(), QComboBox::sizeHint().height()); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        const bool handled = QComboBox::eventFilter(o, e);
        if (o == lineEdit() && (e->type() == QEvent::Move || e->type() == QEvent::Resize)) Layout();
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
    // With an own face the button is the owner's drawing: a click on the
    // box outside the text drops the list.
    void mousePressEvent(QMouseEvent* e) override {
        if (!FList && isEditable() && e->button() == Qt::LeftButton && FOwner->OwnFaceShown()) {
            const TRect t = FOwner->OwnFaceTextArea();
            const QPoint p = e->position().toPoint();
            if (!QRect(t.Left, t.Top, t.Width(), t.Height()).contains(p)) {
                if (FOwner->DroppedDown()) hidePopup(); else showPopup();
                e->accept();
                return;
            }
        }
        QComboBox::mousePressEvent(e);
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
    void ToolkitEditPlace() {
        QResizeEvent again(size(), size());
        QComboBox::resizeEvent(&again);
    }
    void Layout() {
        const bool face = FOwner->OwnFaceShown();
        if (!FList && !face) return;
        const int h = FList ? EditHeight() : height();
        QRect at;
        if (face) {
            const TRect t = FOwner->OwnFaceTextArea();
            at = QRect(t.Left, t.Top, std::max(0, t.Width()), std::max(0, t.Height()));
        } else {
            const int f = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
            at = QRect(f + 1, f, std::max(0, width() - 2 * f - 2), std::max(0, h - 2 * f));
        }
        if (lineEdit() && lineEdit()->geometry() != at) lineEdit()->setGeometry(at);
        if (!FList) return;
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
        QWidget* oldEdit = cb->lineEdit();
        FPushing = true;
        cb->setEditable(FStyle == csDropDown || FStyle == csSimple);
        FPushing = false;
        // The toolkit deletes the old edit later. It passes its focus on to
        // the box, so as it goes it would take the box's focus with it.
        if (oldEdit && oldEdit != cb->lineEdit()) oldEdit->setFocusProxy(nullptr);
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
    if (PaintsOwnFace()) Invalidate();
    if (OnDropDown) OnDropDown(this);
}

void TComboBox::DoCloseUp() {
    if (!FDroppedDown) return;
    FDroppedDown = false;
    if (PaintsOwnFace()) Invalidate();
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

int TComboBox::SelStart() const {
    const QLineEdit* le = FWidget ? static_cast<QComboBox*>(FWidget)->lineEdit() : nullptr;
    if (!le) return 0;
    return le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
}

int TComboBox::SelLength() const {
    const QLineEdit* le = FWidget ? static_cast<QComboBox*>(FWidget)->lineEdit() : nullptr;
    return le && le->hasSelectedText() ? le->selectionLength() : 0;
}

void TComboBox::SetSelStart(int v) {
    if (QLineEdit* le = FWidget ? static_cast<QComboBox*>(FWidget)->lineEdit() : nullptr)
        le->setCursorPosition(std::clamp(v, 0, static_cast<int>(le->text().size())));
}

void TComboBox::SetSelLength(int v) {
    QLineEdit* le = FWidget ? static_cast<QComboBox*>(FWidget)->lineEdit() : nullptr;
    if (!le) return;
    const int start = SelStart();
    const int length = std::clamp(v, 0, static_cast<int>(le->text().size()) - start);
    if (length > 0) le->setSelection(start, length);
    else le->setCursorPosition(start);
}

// --- an own face -------------------------------------------------------------------

TRect TComboBox::EditBand() const {
    int h = FHeight;
    if (FStyle == csSimple) h = FWidget ? static_cast<TQtComboBox*>(FWidget)->EditHeight() : std::min(FHeight, 21);
    return Rect(0, 0, FWidth, h);
}

void TComboBox::OwnFaceChanged() {
    if (FWidget) static_cast<TQtComboBox*>(FWidget)->FaceChanged();
}

void TComboBox::WMPaint(TMessage& m) {
    if (!m.LParam || !FWidget || !PaintsOwnFace()) {
        TWinControl::WMPaint(m);
        return;
    }
    // In place of the toolkit's frame, button and label.
    QPainter painter(FWidget);
    const TRect band = EditBand();
    TCanvas canvas;
    canvas.BeginPaint(&painter, band.Width(), band.Height());
    canvas.Font()->Assign(Font());
    canvas.Brush()->SetColor(Color());
    try {
        PaintFace(&canvas);
        if (FStyle != csDropDown && FStyle != csSimple) {
            // A list box shows its picked line; it is the selection while
            // the box has the focus and the list is closed.
            const TRect t = OwnFaceTextRect();
            const bool marked = Focused() && !FDroppedDown;
            canvas.Brush()->SetColor(marked ? clHighlight : Color());
            canvas.Font()->SetColor(marked ? clHighlightText : Font()->Color());
            canvas.FillRect(t);
            canvas.TextRect(t, t.Left + 1, t.Top + (t.Height() - canvas.TextHeight("Wg")) / 2, FText);
            canvas.Brush()->SetColor(Color());
            canvas.Font()->Assign(Font());
        }
        PaintFrame(&canvas);
    } catch (...) {
        canvas.EndPaint();
        throw;
    }
    canvas.EndPaint();
    m.Result = 1;
}

void TComboBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_MOUSEENTER:
        // Entering the edit from the box is no new entry.
        if (FMouseInside) return;
        FMouseInside = true;
        TWinControl::WndProc(m);
        if (PaintsOwnFace() && Enabled()) Invalidate();
        return;
    case CM_MOUSELEAVE:
        // Nor is leaving the edit for the box (its button) a leave.
        if (FWidget && FWidget->underMouse() && FWidget->rect().contains(FWidget->mapFromGlobal(QCursor::pos())))
            return;
        if (!FMouseInside) return;
        FMouseInside = false;
        TWinControl::WndProc(m);
        if (PaintsOwnFace() && Enabled()) Invalidate();
        return;
    default:
        TWinControl::WndProc(m);
    }
}

void TComboBox::DoEnter() {
    TWinControl::DoEnter();
    if (PaintsOwnFace()) Invalidate();
}

void TComboBox::DoExit() {
    TWinControl::DoExit();
    if (PaintsOwnFace()) Invalidate();
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
        // No inline completion of the toolkit's own: a box that completes
        // does it by its own rule.
        cb->setCompleter(nullptr);
        if (FBridge) FBridge->Watch(cb->lineEdit());
    }
    static_cast<TQtComboBox*>(cb)->FaceChanged();
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
