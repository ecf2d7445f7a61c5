// The Run menu's Internet Update: the update window, shown modally and
// freed; what it replaced shows in the main window at once.
#include <memory>

#include "composer/tools/WebForm.h"
#include "composer/windows/Form1.h"
#include "framework/classes/StringList.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Menus.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"

void TForm1::WireInternet() {
    InternetUpdate1->OnClick = [this](TObject* s) { InternetUpdate1Click(s); };
}

void TForm1::InternetUpdate1Click(TObject*) {
    bool lists = false;
    bool schemas = false;
    {
        auto window = std::make_unique<TWebForm>(this);
        window->ShowModal();
        lists = window->ListsChanged;
        schemas = window->SchemasChanged;
    }
    // The lookup lists and schema names were read at start-up; downloaded
    // ones would otherwise wait for the next start.
    if (lists) LoadLookupLists();
    if (schemas) {
        const String current = scname->Text();
        TStringList names;
        ListFiles(PathJoin(ProgramFolder(), "schemas"), "tgs", &names);
        scname->Items()->Assign(&names);
        scname->SetText(current);
    }
}
