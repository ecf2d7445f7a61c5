// The two date pickers of the tag form (bulletin date and expiry date) and
// the About window. The pickers only write their fields; the fields become
// tags when the Update step composes them.
#include <memory>

#include "composer/tools/AboutBox.h"
#include "composer/windows/Form1.h"
#include "composer/windows/WindowParts.h"
#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Menus.h"
#include "framework/controls/TabSheet.h"
#include "framework/rtl/DateTime.h"
#include "styled/calendar/StyCalendarDlg.h"
#include "toolbars/TbToolbarButton.h"

void TForm1::WireDateAbout() {
    date1 = new TStyCalendarDlg(this);
    date1->SetName("date1");
    date1->CaptionFill = true;
    date1->CaptionTitle = "Select Date";
    date1->RelatePos = brMainForm;
    date1->ShowHints = false;
    date1->StartWithActualDate = true;
    date1->CloseOnDblClick = true;
    // The dialog keeps the date and time it was made with, so the first
    // pick opens on today. The design's stored sample date (14 April 2000,
    // written month first) is not applied: parsed in a day-first locale it
    // stopped the main window from opening, and the pickers are meant to
    // start on today.

    auto picker = [this](const char* name, TEdit* field) {
        // The field makes room for its button, as the bulletin text does.
        field->SetWidth(field->Width() - 28);
        return MakeButton<TButton>(this, field->Parent(), name, "...", "Select Date",
                                   field->Left() + field->Width() + 4, field->Top(), 24, field->Height());
    };
    d1 = picker("d1", Edit8);
    d2 = picker("d2", Edit11);
    d1->OnClick = [this](TObject* s) { d1Click(s); };
    d2->OnClick = [this](TObject* s) { d2Click(s); };

    About1->OnClick = [this](TObject* s) { About1Click(s); };
    SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
}

void TForm1::d1Click(TObject*) {
    if (date1->Execute()) Edit8->SetText(date1->Date());
}

void TForm1::d2Click(TObject*) {
    // The expiry tag wants an HTTP date; the value is the local date, named
    // GMT as written, without a conversion between time zones.
    if (date1->Execute()) Edit11->SetText(FormatDateTime("ddd, dd mmm yyyy hh:mm:ss", date1->DateValue()) + " GMT");
}

void TForm1::About1Click(TObject*) {
    auto box = std::make_unique<TAboutBox>(this);
    box->ShowModal();
}

void TForm1::SpeedButton1Click(TObject* Sender) { About1Click(Sender); }
