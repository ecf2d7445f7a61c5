// Start-up in the program's order: the styled library's application object
// first (it decides whether another copy runs before any window exists),
// then the application, its title and help file, and the auto-created
// windows in their order, then the message loop until the main window
// closes.
#include <cstdio>
#include <cstdlib>

#include "composer/tools/AutoKWGForm.h"
#include "composer/tools/KWGenForm.h"
#include "composer/tools/Sbld.h"
#include "composer/tools/SrchFrm2.h"
#include "composer/tools/disptext.h"
#include "composer/tools/poledit.h"
#include "composer/tools/stm.h"
#include "composer/windows/Form1.h"
#include "composer/windows/ProgramCursors.h"
#include "framework/controls/Application.h"
#include "styled/base/StyApplication.h"

namespace {
bool HasSomewhereToShow() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* v = std::getenv(name);
        if (v && *v) return true;
    }
    return false;
}
}  // namespace

int main(int argc, char** argv) {
    if (!HasSomewhereToShow()) {
        std::fprintf(stderr,
                     "velmor: there is no display to show the window on; "
                     "start it under a virtual one: xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    RegisterProgramCursors();
    TStyApplication styApp;
    TApplication app(nullptr);
    Application->Initialize(argc, argv);
    Application->SetTitle("Velmor");
    Application->SetHelpFile("velmor40.hlp");
    Application->CreateForm<TForm1>();
    // A refused second copy has said so and ends here, creating nothing more.
    if (Application->Terminated()) return 0;
    // The internet update reuses its text window, made here once.
    Application->CreateForm(disptext);
    // The rule base window is made at start-up too, though its menu
    // command shows a fresh one each time.
    Application->CreateForm(poledit);
    // The batch keyword generator comes before the keyword generator.
    Application->CreateForm(AutoKWGForm);
    Application->CreateForm(KWGenForm);
    Application->CreateForm(Sbld);
    Application->CreateForm(SrchFrm2);
    Application->CreateForm(stm);
    // Set by the start-up benchmark: the program ends once its main window
    // has first painted, saying when.
    const char* timing = std::getenv("VELMOR_QUIT_WHEN_SHOWN");
    Application->QuitWhenShown = timing && *timing;
    return Application->Run();
}
