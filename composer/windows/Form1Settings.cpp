// The Special menu's settings windows: System Settings, whose changes to
// the setting strings the main window applies and saves, and the Rule
// Base, which writes the store itself and is read back afterwards.
#include <memory>

#include "composer/engine/ComposerSettings.h"
#include "composer/tools/poledit.h"
#include "composer/tools/settingp.h"
#include "composer/windows/Form1.h"
#include "framework/controls/Label.h"
#include "framework/controls/Menus.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/TabSheet.h"
#include "gridkit/grid/GkStringGrid.h"

void TForm1::WireSettings() {
    Settings1->OnClick = [this](TObject* s) { Settings1Click(s); };
    EditTagAnalysisSettings1->OnClick = [this](TObject* s) { SpeedButton12Click(s); };
}

void TForm1::Settings1Click(TObject*) {
    {
        auto window = std::make_unique<Tsettingp>(this);
        window->ShowModal();
    }
    // Whether the window was updated or cancelled, what is in memory now
    // takes effect and is stored.
    ApplySettings();
}

void TForm1::ApplySettings() {
    const TComposerSettings& s = ComposerSettings;
    if (s.cwn == "1") {
        Label13->SetCaption(s.clasname);
        Label6->SetCaption(s.aname);
        Label10->SetCaption(s.lname);
        mtn->SetCaption(s.catstr);
    } else if (s.cwn == "0") {
        Label13->SetCaption("Classification");
        Label6->SetCaption("Author");
        Label10->SetCaption("Language");
        mtn->SetCaption("Subject");
    }
    ApplyTabVisibility();
    if (TComposerSettings::On(s.tokens)) {
        gilsmask->ClearAllCells();
        LoadTokenMap();
    }
    SetDefaults();
    // The composed lines follow the new tag names and forms at once; while
    // pages are being written the box holds their results instead.
    if (PageControl1->ActivePage() == TabSheet5 && !UpdateRun.Active()) TabSheet5Enter(TabSheet5);
}

void TForm1::SpeedButton12Click(TObject*) {
    {
        auto window = std::make_unique<Tpoledit>(this);
        window->ShowModal();
    }
    getpolicy();
}
