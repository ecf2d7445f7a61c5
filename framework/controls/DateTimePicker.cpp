#include "framework/controls/DateTimePicker.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <cmath>

#include "framework/controls/qt/ControlBridge.h"
#include "framework/messages/MessageQueue.h"

namespace {
// The framework's date and time picture as the toolkit writes it.
QString QtFormat(const String& f) {
    QString out;
    for (size_t i = 0; i < f.size();) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(f[i])));
        size_t n = 1;
        while (i + n < f.size() && std::tolower(static_cast<unsigned char>(f[i + n])) == c) ++n;
        if (c == 'a' && f.compare(i, 4, "AMPM") == 0) {
            out += "AP";
            i += 4;
            continue;
        }
        switch (c) {
        case 'm': out += QString(static_cast<int>(std::min<size_t>(n, 4)), 'M'); break;
        case 'n': out += n >= 2 ? "mm" : "m"; break;
        case 'd': out += QString(static_cast<int>(std::min<size_t>(n, 4)), 'd'); break;
        case 'y': out += n <= 2 ? "yy" : "yyyy"; break;
        case 'h': out += n >= 2 ? "hh" : "h"; break;
        case 's': out += n >= 2 ? "ss" : "s"; break;
        default: out += QString::fromStdString(f.substr(i, n)); break;
        }
        i += n;
    }
    return out;
}

QDateTime ToQt(TDateTime v) {
    int y, mo, d, h, mi, s, ms;
    DecodeDate(v, y, mo, d);
    DecodeTime(v, h, mi, s, ms);
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

TDateTime FromQt(const QDateTime& q) {
    return EncodeDate(q.date().year(), q.date().month(), q.date().day()) +
           EncodeTime(q.time().hour(), q.time().minute(), q.time().second(), q.time().msec());
}

// The toolkit's widget: the optional check box and the editor beside it.
class TPickerWidget : public QWidget {
public:
    explicit TPickerWidget(QWidget* parent) : QWidget(parent), Check(new QCheckBox(this)), Edit(new QDateTimeEdit(this)) {}
    void Place(bool showCheck) {
        Check->setVisible(showCheck);
        const int cw = showCheck ? 18 : 0;
        Check->setGeometry(2, (height() - 16) / 2, 16, 16);
        Edit->setGeometry(cw, 0, std::max(0, width() - cw), height());
    }
    QCheckBox* Check;
    QDateTimeEdit* Edit;
};
}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
    FWidth = 186;
    FHeight = 21;
    FColor = clWindow;
    FParentColor = false;
    FDateTime = Now();
    FMinDate = EncodeDate(1752, 9, 14);
    FMaxDate = EncodeDate(9999, 12, 31);
    SetTabStop(true);
}

void TDateTimePicker::SetKind(TDateTimeKind v) {
    if (v == FKind) return;
    FKind = v;
    if (FWidget) Push();
}

void TDateTimePicker::SetDateTime(TDateTime v) {
    v = std::clamp(v, FMinDate, FMaxDate + 0.99999);
    if (v == FDateTime) return;
    FDateTime = v;
    if (FWidget) Push();
}

TDateTime TDateTimePicker::Date() const { return std::floor(FDateTime); }
void TDateTimePicker::SetDate(TDateTime v) { SetDateTime(std::floor(v) + Time()); }
TDateTime TDateTimePicker::Time() const { return FDateTime - std::floor(FDateTime); }
void TDateTimePicker::SetTime(TDateTime v) { SetDateTime(Date() + (v - std::floor(v))); }

void TDateTimePicker::SetDateFormat(TDTDateFormat v) {
    if (v == FDateFormat) return;
    FDateFormat = v;
    if (FWidget) Push();
}

void TDateTimePicker::SetShowCheckbox(bool v) {
    if (v == FShowCheckbox) return;
    FShowCheckbox = v;
    if (FWidget) Push();
}

void TDateTimePicker::SetChecked(bool v) {
    if (v == FChecked) return;
    FChecked = v;
    if (FWidget) Push();
}

void TDateTimePicker::SetMinDate(TDateTime v) {
    FMinDate = std::floor(v);
    SetDateTime(FDateTime);
    if (FWidget) Push();
}

void TDateTimePicker::SetMaxDate(TDateTime v) {
    FMaxDate = std::floor(v);
    SetDateTime(FDateTime);
    if (FWidget) Push();
}

String TDateTimePicker::FormatString() const {
    const TFormatSettings& fs = FormatSettings();
    if (FKind == dtkTime) return fs.LongTimeFormat;
    return FDateFormat == dfLong ? fs.LongDateFormat : fs.ShortDateFormat;
}

String TDateTimePicker::DisplayText() const { return FormatDateTime(FormatString(), FDateTime); }

void TDateTimePicker::UserChanged(TDateTime v) {
    if (FPushing || v == FDateTime) return;
    FDateTime = v;
    if (OnChange) OnChange(this);
}

void TDateTimePicker::UserChecked(bool v) {
    if (FPushing || v == FChecked) return;
    FChecked = v;
    if (FWidget) Push();
    if (OnChange) OnChange(this);
}

QWidget* TDateTimePicker::CreateWidget(QWidget* parent) {
    auto* w = new TPickerWidget(parent);
    w->setFocusProxy(w->Edit);
    w->Edit->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(w->Edit, &QDateTimeEdit::dateTimeChanged, [this](const QDateTime& q) {
        GuardedCall([this, q] { UserChanged(FromQt(q)); });
    });
    QObject::connect(w->Check, &QCheckBox::toggled, [this](bool v) { GuardedCall([this, v] { UserChecked(v); }); });
    return w;
}

void TDateTimePicker::WidgetCreated() {
    // Keys and focus of the inner editor are the control's own.
    FBridge->Watch(static_cast<TPickerWidget*>(FWidget)->Edit);
}

void TDateTimePicker::InitWidget() {
    TWinControl::InitWidget();
    Push();
}

void TDateTimePicker::ApplyBounds() {
    TWinControl::ApplyBounds();
    static_cast<TPickerWidget*>(FWidget)->Place(FShowCheckbox);
}

void TDateTimePicker::Push() {
    auto* w = static_cast<TPickerWidget*>(FWidget);
    FPushing = true;
    w->Edit->setDisplayFormat(QtFormat(FormatString()));
    w->Edit->setCalendarPopup(FKind == dtkDate && DateMode == dmComboBox);
    w->Edit->setMinimumDateTime(ToQt(FMinDate));
    w->Edit->setMaximumDateTime(ToQt(FMaxDate + 0.99998));
    w->Edit->setDateTime(ToQt(FDateTime));
    w->Check->setChecked(FChecked);
    w->Edit->setEnabled(!FShowCheckbox || FChecked);
    w->Place(FShowCheckbox);
    FPushing = false;
}
