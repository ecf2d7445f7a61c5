// The Update step's checks: the tag analysis report, the length check, the
// plain listing of the tags and copying the text box.
#include <vector>

#include "composer/engine/ComposerSettings.h"
#include "composer/engine/TagAnalysis.h"
#include "composer/windows/Form1.h"
#include "composer/windows/WindowParts.h"
#include "framework/classes/Strings.h"
#include "framework/controls/Application.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/TabSheet.h"
#include "toolbars/TbToolbarButton.h"

namespace {

TRuleBase RulesOfSettings() {
    const TComposerSettings& s = ComposerSettings;
    TRuleBase rules;
    rules.Keywords = s.keywords;
    rules.Description = s.description;
    rules.Robots = s.robots;
    rules.Revisit = s.revisit;
    rules.Copyright = s.copyright;
    return rules;
}

}  // namespace

void TForm1::WireAnalysis() {
    TbToolbarButton20->OnClick = [this](TObject* s) { SpeedButton3Click(s); };
    MetaTagAnalysis1->OnClick = [this](TObject* s) { SpeedButton3Click(s); };
    ckkey->OnClick = [this](TObject* s) { ckkeyClick(s); };
    TbToolbarButton21->OnClick = [this](TObject* s) { TbToolbarButton1Click(s); };
    copytg->OnClick = [this](TObject* s) { copytgClick(s); };
}

void TForm1::SpeedButton3Click(TObject*) {
    TagLines->Lines()->Clear();
    TagLines->SetWordWrap(true);
    // Entering the step composes the tag lines into the box; the report
    // takes their place.
    PageControl1->SetActivePage(TabSheet5);
    TagLines->Lines()->Clear();
    std::vector<String> report;
    try {
        TTagAnalysis::Report(CollectFields(), RulesOfSettings(), report);
    } catch (const Exception& e) {
        ShowLines(TagLines->Lines(), report);
        Application->ShowException(e);
        return;
    }
    ShowLines(TagLines->Lines(), report);
}

void TForm1::ckkeyClick(TObject*) {
    String message;
    try {
        message = TTagAnalysis::LengthCheckMessage(CollectFields(), RulesOfSettings());
    } catch (const Exception& e) {
        Application->ShowException(e);
        return;
    }
    MessageDlg(message, mtInformation, mbOK, 0);
}

void TForm1::TbToolbarButton1Click(TObject*) {
    TagLines->Lines()->Clear();
    TagLines->SetWordWrap(false);
    ShowLines(TagLines->Lines(), TTagAnalysis::TagListing(CollectFields(), ComposerSettings.TagSettings()));
}

void TForm1::copytgClick(TObject*) {
    TagLines->SelectAll();
    TagLines->CopyToClipboard();
}
