#include "styled/calendar/StyCalendarDlg.h"

#include <cmath>
#include <memory>

#include "framework/classes/Strings.h"
#include "framework/controls/Button.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/rtl/DateTime.h"
#include "styled/calendar/StyCalendar.h"
#include "styled/calendar/StyCalendarCell.h"
#include "styled/calendar/StyCalendarHeader.h"
#include "styled/forms/StyBack.h"
#include "styled/forms/StyFormStyler.h"
#include "styled/graphics/StyFillObject.h"

TStyCalendarDlg::TStyCalendarDlg(TComponent* AOwner) : TStyBaseDialog(AOwner), FDateValue(Now()) {}

String TStyCalendarDlg::Date() const { return DateToStr(FDateValue); }

void TStyCalendarDlg::SetDate(const String& Value) { FDateValue = StrToDate(Value); }

bool TStyCalendarDlg::Execute() {
    auto form = std::make_unique<TForm>(nullptr);
    struct TClearCalendar {
        TStyCalendar*& Ref;
        ~TClearCalendar() { Ref = nullptr; }
    } clear{FCalendar};

    form->SetBorderStyle(bsDialog);
    form->Font()->SetColor(clWindowText);
    form->Font()->SetName("MS Sans Serif");
    form->Font()->SetHeight(-11);
    form->SetPosition(poDefault);
    form->SetBounds(form->Left(), form->Top(), 380, 245);

    auto* cal = new TStyCalendar(form.get());
    cal->SetParent(form.get());
    cal->SetBounds(10, 10, 250, 200);
    TStyCalendarHeader* header = cal->Header();
    header->SetElements(AllHeaderElements);
    header->Style()->FillObject()->SetStyle(sfBrush);
    header->Style()->FillObject()->Brush()->SetColor(clNavy);
    header->SetButtonStyle(ubsIntegrated);
    header->Style()->Font()->SetColor(clWhite);
    header->SetRepeatingInterval(HeaderRepeatingInterval);
    cal->SetStartWithActualDate(StartWithActualDate);
    cal->SelectedCellStyle()->SetMask("<d>");
    cal->FillObject()->SetStyle(sfBrush);
    cal->SetDate(FDateValue);
    cal->OnDblClick = [cal](TObject*) {
        if (auto* f = dynamic_cast<TForm*>(cal->Parent())) f->SetModalResult(mrOk);
    };
    FCalendar = cal;

    const int left = cal->Left() + cal->Width() + 20;
    auto button = [&](const String& caption, int top) {
        auto* b = new TButton(form.get());
        b->SetParent(form.get());
        b->SetCaption(caption);
        b->SetBounds(left, top, 80, 24);
        b->SetTabOrder(0);
        return b;
    };
    int top = cal->Top() + cal->Height() - 24;
    TButton* cancel = button("Cancel", top);
    cancel->SetModalResult(mrCancel);
    cancel->SetCancel(true);
    top -= 24 + 5;
    TButton* ok = button("OK", top);
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    if (ActualDateButton) {
        top -= 24 + 10;
        TButton* today = button("Current date", top);
        today->OnClick = [cal](TObject*) { cal->SetDate(Now()); };
    }
    top -= 24 + 10;
    TButton* extra = button(String(), top);

    if (ShowHints && Hints()->Count() > 0) {
        form->SetShowHint(true);
        ok->SetHint(Hints()->Strings(0));
        if (Hints()->Count() > 1) cancel->SetHint(Hints()->Strings(1));
        if (Hints()->Count() > 2) extra->SetHint(Hints()->Strings(2));
    }

    auto* styler = new TStyFormStyler(form.get());
    styler->SetEnabled(false);
    auto* back = new TStyBack(form.get());
    back->SetEnabled(false);

    const bool confirmed = ShowDialog(form.get(), "Calendar...", back, styler, extra, nullptr) == mrOk;
    if (confirmed) FDateValue = cal->Date();
    return confirmed;
}
