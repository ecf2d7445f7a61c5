// The main window's keyword commands: the keyword generator for the
// current page, and the batch keyword generator over a page list of its
// own.
#include <initializer_list>
#include <memory>

#include "composer/engine/ComposerSettings.h"
#include "composer/engine/KeywordCounter.h"
#include "composer/engine/PageSelection.h"
#include "composer/tools/AutoKWGForm.h"
#include "composer/tools/KWGenForm.h"
#include "composer/windows/Form1.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/OpenDialog.h"
#include "framework/controls/PageControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/ProgramFolder.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

namespace KeywordCommandTexts {
inline constexpr const char* SNoFileSelected = "Cannot Perform Action until a file is selected.";
inline constexpr int DefaultBodyCheckLength = 5000;
}  // namespace KeywordCommandTexts

using namespace KeywordCommandTexts;

void TForm1::WireKeywords() {
    kwgen = new TTbToolbarButton(this);
    kwgen->SetName("kwgen");
    kwgen->SetParent(TbToolbar1);
    kwgen->SetBounds(0, 0, 64, 40);
    kwgen->SetFlat(true);
    kwgen->SetCaption("Keywords");
    kwgen->SetHint("Generate Keywords");
    kwgen->SetShowHint(true);
    const String icon = FindPathNoCase(PathJoin(ProgramFolder(), "icons/edit-find-replace.bmp"));
    if (!icon.empty()) {
        try {
            TBitmap glyph;
            glyph.LoadFromFile(icon);
            kwgen->SetGlyph(&glyph);
            kwgen->Layout = blGlyphTop;
        } catch (const std::exception&) {
            // A broken icon costs the picture, never the button.
        }
    }
    // The generator works on the keywords: its button goes beside the
    // keywords' own "Length" check, before the step's navigation. The bar
    // lays its buttons out in the order they joined it.
    for (TControl* after : std::initializer_list<TControl*>{TbToolbarButton7, TbToolbarButton6, SpeedButton1}) {
        after->SetParent(nullptr);
        after->SetParent(TbToolbar1);
    }

    kwgen->OnClick = [this](TObject* s) { kwgenClick(s); };
    BatchKeywordGeneration1->OnClick = [this](TObject* s) { BatchKeywordGeneration1Click(s); };
}

void TForm1::kwgenClick(TObject*) {
    PageControl1->SetActivePage(TabSheet1);
    if (CurrentFile.empty()) {
        MessageDlg(SNoFileSelected, mtError, mbOK, 0);
        return;
    }
    // A missing setting takes the default; one that is there but is no
    // number is an error the user must see.
    int bodyCheck = DefaultBodyCheckLength;
    if (!Trim(ComposerSettings.BodyChk).empty()) {
        bodyCheck = StrToInt(ComposerSettings.BodyChk);
        if (bodyCheck < 1) bodyCheck = DefaultBodyCheckLength;
    }
    // The first page of the selection, as the update run would take it; a
    // selection that came out empty leaves the current page to work on.
    const String page =
        SelectedFiles && SelectedFiles->Count() > 0 ? SelectedFiles->Strings(0) : CurrentFile;

    auto generator = std::make_unique<TKWGenForm>(this);
    generator->AfterConstruction();
    generator->BodyCheckLength = bodyCheck;
    generator->GenerateForFile(page);
    generator->ShowModal();
    if (generator->ChosenWordCount() == 0) return;
    std::vector<String> chosen;
    for (int i = 0; i < generator->ChosenWords->Count(); ++i)
        chosen.push_back(generator->ChosenWords->Strings(i));
    const String keywords = TKeywordCounter::PrependChosenWords(edit22->Text(), chosen);
    edit22->SetText(keywords);
    TagReader.KeywordSnapshot = keywords;
    TagComposer.KeywordsSnapshot = keywords;
}

void TForm1::BatchKeywordGeneration1Click(TObject*) {
    if (bopen->Execute()) {
        // Read every page list before the old batch is given up, so a list
        // that cannot be read leaves the last batch as it was.
        std::vector<String> pages;
        try {
            for (int i = 0; i < bopen->Files()->Count(); ++i) {
                const String name = bopen->Files()->Strings(i);
                if (!TPageSelection::IsPageListFile(name)) {
                    pages.push_back(name);
                    continue;
                }
                TStringList lines;
                lines.LoadFromFile(name);
                for (const String& p : TPageSelection::PageListEntries(name, &lines)) pages.push_back(p);
            }
        } catch (const Exception& e) {
            Application->ShowException(e);
            return;
        }
        if (!BatchList) BatchList = std::make_unique<TStringList>();
        BatchList->Clear();
        for (const String& p : pages) BatchList->Add(p);
    }
    if (!BatchList || BatchList->Count() == 0) return;
    auto batch = std::make_unique<TAutoKWGForm>(this);
    batch->AfterConstruction();
    for (int i = 0; i < BatchList->Count(); ++i) batch->FileList->Add(BatchList->Strings(i));
    batch->ShowModal();
}
