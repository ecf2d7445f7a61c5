#pragma once
#include "framework/controls/WinControl.h"
#include "framework/rtl/DateTime.h"

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateFormat { dfShort, dfLong };
enum TDTDateMode { dmComboBox, dmUpDown };

// A date (with a drop-down calendar) or a time, edited in place. With
// ShowCheckbox a check box beside it says whether a value is given at all
// (Checked). OnChange fires when the user changes the value or the check.
class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* owner);
    String ClassName() const override { return "TDateTimePicker"; }

    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind v);
    TDateTime DateTime() const { return FDateTime; }
    void SetDateTime(TDateTime v);
    // The date part (whole days) and the time part (the fraction).
    TDateTime Date() const;
    void SetDate(TDateTime v);
    TDateTime Time() const;
    void SetTime(TDateTime v);
    TDTDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat v);
    TDTDateMode DateMode = dmComboBox;
    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool v);
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime v);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime v);
    // The text shown for the value, in the format of Kind and DateFormat.
    String DisplayText() const;

    TNotifyEvent OnChange;

    // Framework-internal: the toolkit editor changed the value.
    void UserChanged(TDateTime v);
    void UserChecked(bool v);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget() override;
    void WidgetCreated() override;
    void ApplyBounds() override;
    void Push();
    String FormatString() const;

private:
    TDateTimeKind FKind = dtkDate;
    TDateTime FDateTime = 0;
    TDTDateFormat FDateFormat = dfShort;
    bool FShowCheckbox = false;
    bool FChecked = true;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    bool FPushing = false;
};
