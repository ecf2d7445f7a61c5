#include "framework/controls/DialogScript.h"

#include <cstdio>

#include "framework/controls/ColorDialog.h"
#include "framework/controls/DialogStandIn.h"
#include "framework/controls/Edit.h"
#include "framework/controls/InputQueryForm.h"
#include "framework/controls/OpenDialog.h"

TDialogScript::TDialogScript() {
    FHook = std::make_unique<TModalAnswer>([this](TForm* form) { Handle(form); });
}

TDialogScript::~TDialogScript() = default;

TDialogScript& TDialogScript::Queue(TDialogAnswer answer) {
    FAnswers.push_back(std::move(answer));
    return *this;
}

TDialogScript& TDialogScript::Answer(TModalResult result) {
    TDialogAnswer a;
    a.Result = result;
    return Queue(std::move(a));
}

TDialogScript& TDialogScript::AnswerFiles(const std::vector<String>& files, int filterIndex) {
    TDialogAnswer a;
    a.Files = files;
    a.FilterIndex = filterIndex;
    return Queue(std::move(a));
}

TDialogScript& TDialogScript::AnswerText(const String& text) {
    TDialogAnswer a;
    a.Text = text;
    a.HasText = true;
    return Queue(std::move(a));
}

TDialogScript& TDialogScript::AnswerColor(TColor color) {
    TDialogAnswer a;
    a.Color = color;
    return Queue(std::move(a));
}

TDialogScript& TDialogScript::AnswerWith(TModalHandler action) {
    TDialogAnswer a;
    a.Action = std::move(action);
    return Queue(std::move(a));
}

std::vector<TDialogRecord> TDialogScript::Unanswered() const {
    std::vector<TDialogRecord> out;
    for (const auto& r : FShown)
        if (!r.Answered) out.push_back(r);
    return out;
}

void TDialogScript::Clear() {
    FAnswers.clear();
    FShown.clear();
}

bool TDialogScript::Next(TDialogAnswer& answer, size_t record) {
    if (FAnswers.empty()) {
        FShown[record].Answered = false;
        TDialogRecord copy = FShown[record];
        if (OnUnanswered)
            OnUnanswered(copy);
        else
            std::fprintf(stderr, "Unanswered %s \"%s\": %s\n", copy.Kind.c_str(), copy.Caption.c_str(),
                         copy.Text.c_str());
        return false;
    }
    answer = std::move(FAnswers.front());
    FAnswers.pop_front();
    return true;
}

void TDialogScript::Handle(TForm* form) {
    TDialogRecord rec;
    rec.Kind = form->ClassName();
    rec.Caption = form->Caption();
    rec.Text = form->DialogText();
    rec.Answered = true;
    if (auto* box = dynamic_cast<TMessageDlgForm*>(form)) {
        rec.Lines = box->Lines();
        rec.Type = box->DialogType();
        rec.Buttons = box->Buttons();
        rec.Icon = box->DialogType() != mtCustom;
    } else if (auto* old = dynamic_cast<TMessageForm*>(form)) {
        rec.Lines = MessageLines(old->Message());
        rec.Type = old->DialogType();
        rec.Buttons = mbOK;
        rec.Icon = true;
    }
    // Boxes opened while this one is answered (an overwrite question) come
    // after it in the log.
    const size_t index = FShown.size();
    FShown.push_back(rec);

    TDialogAnswer a;
    if (!Next(a, index)) {
        form->SetModalResult(mrCancel);
        FShown[index].Result = mrCancel;
        return;
    }
    auto* standIn = dynamic_cast<TDialogStandIn*>(form);
    if (a.Action) {
        a.Action(form);
    } else if (standIn && dynamic_cast<TOpenDialog*>(standIn->Dialog())) {
        auto* dlg = static_cast<TOpenDialog*>(standIn->Dialog());
        // A check that sends the user back (file missing, overwrite refused)
        // takes the next answer for the same dialog.
        while (a.Result == mrOk && !dlg->AcceptAnswer(a.Files, a.FilterIndex)) {
            if (!Next(a, index)) {
                a.Result = mrCancel;
                break;
            }
        }
        form->SetModalResult(a.Result);
    } else if (standIn && dynamic_cast<TColorDialog*>(standIn->Dialog())) {
        if (a.Result == mrOk && a.Color != clNone) static_cast<TColorDialog*>(standIn->Dialog())->Color = a.Color;
        form->SetModalResult(a.Result);
    } else if (auto* query = dynamic_cast<TInputQueryForm*>(form)) {
        if (a.HasText) query->Edit()->SetText(a.Text);
        form->SetModalResult(a.Result);
    } else {
        form->SetModalResult(a.Result);
    }
    FShown[index].Result = form->ModalResult() == mrNone ? mrCancel : form->ModalResult();
}
