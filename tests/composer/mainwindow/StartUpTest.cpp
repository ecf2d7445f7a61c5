// The main window's start-up, its steps and navigation, erasing, help and
// what it saves at the end.
#include "MainWindowTestSupport.h"

#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/TabSheet.h"
#include "framework/messages/MessageQueue.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "gridkit/grid/GkStringGrid.h"
#include "toolbars/TbToolbarButton.h"

namespace {

using StartUp = MainWindowTest;

TEST_F(StartUp, FirstRunSeedsTheStoreAndOpensOnTheFirstStep) {
    TForm1* f = Create();
    EXPECT_EQ(ShownTexts(), std::vector<String>{});
    EXPECT_EQ(f->Caption(), "Velmor - No File Selected");
    EXPECT_EQ(f->FirstActivation, "Yes");
    EXPECT_EQ(f->PageControl1->ActivePage(), f->TabSheet1);
    for (TTabSheet* s : {f->TabSheet1, f->TabSheet2, f->TabSheet3, f->TabSheet5})
        EXPECT_TRUE(s->TabVisible()) << s->Name();
    EXPECT_EQ(Get("sskey"), "1");
    EXPECT_EQ(Get("aname"), "author");
    EXPECT_EQ(Get("keywords"), "1000");
    EXPECT_EQ(Application->HelpFile(), Folder.Path() + "/velmor40.HLP");
    EXPECT_EQ(f->Edit13->Text(), "0");
    // The lists come from the files beside the program.
    EXPECT_GE(f->Edit7->Items()->IndexOf("fr"), 0);
    EXPECT_GE(f->sbots->Items()->IndexOf("NOARCHIVE"), 0);
    EXPECT_EQ(f->edit3->Items()->IndexOf("Web Site Promotion"), 68);
}

TEST_F(StartUp, MissingLookupListShowsItsMessageOnceAndKeepsTheBuiltInItems) {
    std::filesystem::remove(Folder.File("lists/rating.txt"));
    Dialogs.Answer(mrOk);
    TForm1* f = Create();
    EXPECT_EQ(ShownTexts(), std::vector<String>{"Error loading Ratings list"});
    EXPECT_EQ(Dialogs.Shown()[0].Type, mtError);
    EXPECT_EQ(f->rating->Items()->Count(), 6);
    EXPECT_GE(f->rating->Items()->IndexOf("SAFE FOR KIDS"), 0);
    // The lists after it still load.
    EXPECT_GE(f->sbots->Items()->IndexOf("NOARCHIVE"), 0);
    EXPECT_EQ(f->ComboBox1->Items()->Count(), 3);
}

TEST_F(StartUp, HiddenFirstStepMakesTheNextVisibleOneActive) {
    TComposerSettings::SeedDefaults();
    Put("sskey", "0");
    TForm1* f = Create();
    EXPECT_FALSE(f->TabSheet1->TabVisible());
    EXPECT_EQ(f->PageControl1->ActivePage(), f->TabSheet2);
    EXPECT_GE(f->Edit7->Items()->IndexOf("fr"), 0);
}

// A schema file that is gone or cannot be read counts as no schema.
class UnloadableSchema : public MainWindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(UnloadableSchema, IsNamedOnceAndStartUpGoesOn) {
    if (GetParam()) WriteAll(Folder.File("schemas/dublin.tgs"), GetParam());
    TComposerSettings::SeedDefaults();
    Put("schema", "dublin");
    Dialogs.Answer(mrOk);
    TForm1* f = Create();
    const std::vector<String> shown = ShownTexts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("\"dublin\""), String::npos);
    EXPECT_EQ(f->scname->Text(), "dublin");
    EXPECT_EQ(f->grid1->Cells(0, 1), "");
    EXPECT_EQ(f->grid1->Cells(0, 0), "Tag Name");
    EXPECT_EQ(f->grid1->Cells(1, 0), "Value");
    EXPECT_EQ(f->Caption(), "Velmor - No File Selected");
    EXPECT_EQ(f->PageControl1->ActivePage(), f->TabSheet1);
    EXPECT_GE(f->Edit7->Items()->IndexOf("fr"), 0);
}

INSTANTIATE_TEST_SUITE_P(Files, UnloadableSchema,
                         ::testing::Values(nullptr, "not a grid file", ""),
                         [](const auto& info) {
                             return String(!info.param ? "Missing" : *info.param ? "Corrupt" : "Empty");
                         });

// A stored schema name that leaves the schemas folder is refused at
// start-up as a typed one is: the start goes on as with a schema that
// could not be loaded, and neither file there is read, then or when the
// first activation offers the selection.
TEST_F(StartUp, StoredSchemaNameThatLeavesItsFolderIsNotRead) {
    // The program one folder down, so that "../../fmt" from its schemas
    // folder is a folder of this test.
    namespace fs = std::filesystem;
    fs::create_directories(Folder.File("program"));
    for (const char* sub : {"lists", "schemas"}) fs::rename(Folder.File(sub), Folder.File("program/" + String(sub)));
    SetProgramFolderOverride(Folder.File("program"));
    fs::create_directories(Folder.File("fmt"));
    WriteAll(Folder.File("fmt/evil.tgs"), "2,2\r\n0,1,Stolen\r\n");
    WriteAll(Folder.File("fmt/evil.sbf"), "3,2\r\n0,1,Stolen\r\n1,1,DropDown\r\n");
    TComposerSettings::SeedDefaults();
    Put("schema", "../../fmt/evil");
    Dialogs.Answer(mrOk);
    TForm1* f = Create();
    EXPECT_EQ(ShownTexts(), std::vector<String>{"The custom schema \"../../fmt/evil\" could not be loaded:\r\n" +
                                                String(SchemaTexts::SBadSchemaName)});
    EXPECT_EQ(f->grid1->Cells(0, 0), "Tag Name");
    EXPECT_EQ(f->grid1->Cells(0, 1), "");
    EXPECT_EQ(f->cgrid->Cells(0, 1), "");
    EXPECT_EQ(f->PageControl1->ActivePage(), f->TabSheet1);
    EXPECT_GE(f->Edit7->Items()->IndexOf("fr"), 0);
    // The first activation reloads the field definitions of the schema
    // named before it offers the pages.
    Dialogs.Answer(mrCancel);
    f->Show();
    ASSERT_TRUE(PumpMessagesUntil([&] { return Dialogs.Shown().size() == 2; }, 10000));
    EXPECT_EQ(Dialogs.Shown()[1].Kind, "TOpenDialog");
    EXPECT_EQ(f->cgrid->Cells(0, 1), "");
    EXPECT_EQ(f->grid1->Cells(0, 1), "");
}

TEST_F(StartUp, MissingSchemasFolderIsNamedAndTheListStaysEmpty) {
    std::filesystem::remove_all(Folder.File("schemas"));
    Dialogs.Answer(mrOk);
    TForm1* f = Create();
    EXPECT_EQ(ShownTexts(), std::vector<String>{"Invalid Directory - " + Folder.File("schemas")});
    EXPECT_EQ(f->scname->Items()->Count(), 0);
}

TEST_F(StartUp, SchemaNamesAndTagNameLabelsFollowTheStore) {
    WriteAll(Folder.File("schemas/dc.tgs"), "");
    WriteAll(Folder.File("schemas/GILS.TGS"), "");
    TComposerSettings::SeedDefaults();
    Put("cwn", "1");
    Put("aname", "creator");
    TForm1* f = Create();
    EXPECT_EQ(f->scname->Items()->Count(), 2);
    EXPECT_EQ(f->Label6->Caption(), "creator");
    EXPECT_EQ(f->Label13->Caption(), "classification");
    EXPECT_EQ(f->mtn->Caption(), "subject");
}

// Which step each navigation command reaches for each choice of visible
// steps; nullptr: the active step stays.
struct NavigationCase {
    const char* Name;
    const char* Steps;  // sskey, ssopt, sscust
    void (TForm1::*Command)(TObject*);
    int Target;  // 1, 2, 3, 5 or 0 for none
};

const NavigationCase kNavigation[] = {
    {"NextFromKeywordsToOptions", "111", &TForm1::savekeywdsClick, 2},
    {"NextFromKeywordsSkipsHiddenOptions", "101", &TForm1::savekeywdsClick, 3},
    {"NextFromKeywordsToUpdate", "100", &TForm1::savekeywdsClick, 5},
    {"NextFromOptionsSkipsCustom", "111", &TForm1::SaveOptClick, 5},
    {"CustomFromOptions", "111", &TForm1::SpeedButton11Click, 3},
    {"CustomFromOptionsWhenHidden", "110", &TForm1::SpeedButton11Click, 5},
    {"NextFromCustom", "111", &TForm1::SpeedButton10Click, 5},
    {"MenuKeywords", "111", &TForm1::N1KeyWordsandDescription1Click, 1},
    {"MenuKeywordsHidden", "011", &TForm1::N1KeyWordsandDescription1Click, 0},
    {"MenuOptions", "111", &TForm1::N2WebPageOptions1Click, 2},
    {"MenuOptionsHidden", "101", &TForm1::N2WebPageOptions1Click, 0},
    {"MenuCustom", "111", &TForm1::CustomMetaTags1Click, 3},
    {"MenuCustomHidden", "110", &TForm1::CustomMetaTags1Click, 0},
    {"MenuUpdate", "000", &TForm1::N3ValidateandUpdateMetaTags1Click, 5},
};

class Navigation : public MainWindowTest, public ::testing::WithParamInterface<NavigationCase> {};

TEST_P(Navigation, ReachesTheFirstVisibleTarget) {
    const NavigationCase& c = GetParam();
    TComposerSettings::SeedDefaults();
    Put("sskey", String(1, c.Steps[0]));
    Put("ssopt", String(1, c.Steps[1]));
    Put("sscust", String(1, c.Steps[2]));
    TForm1* f = Create();
    EXPECT_EQ(f->TabSheet1->TabVisible(), c.Steps[0] == '1');
    EXPECT_EQ(f->TabSheet2->TabVisible(), c.Steps[1] == '1');
    EXPECT_EQ(f->TabSheet3->TabVisible(), c.Steps[2] == '1');
    EXPECT_TRUE(f->TabSheet5->TabVisible());
    TTabSheet* before = f->PageControl1->ActivePage();
    (f->*c.Command)(f);
    TTabSheet* expected = c.Target == 1   ? f->TabSheet1
                          : c.Target == 2 ? f->TabSheet2
                          : c.Target == 3 ? f->TabSheet3
                          : c.Target == 5 ? f->TabSheet5
                                          : before;
    EXPECT_EQ(f->PageControl1->ActivePage(), expected);
}

INSTANTIATE_TEST_SUITE_P(Commands, Navigation, ::testing::ValuesIn(kNavigation),
                         [](const auto& info) { return String(info.param.Name); });

TEST_F(StartUp, ButtonsAndMenuItemsRunTheirCommands) {
    TForm1* f = Create();
    f->TbToolbarButton7->Click();
    EXPECT_EQ(f->PageControl1->ActivePage(), f->TabSheet2);
    f->TbToolbarButton14->Click();
    EXPECT_EQ(f->PageControl1->ActivePage(), f->TabSheet3);
    f->TbToolbarButton13->Click();
    f->Edit6->SetText("Composer 4");
    f->TbToolbarButton18->Click();
    EXPECT_EQ(f->PageControl1->ActivePage(), f->TabSheet5);
    // Entering the Update step composes the tags.
    EXPECT_EQ(f->TagLines->Lines()->Text(), "<meta name=\"generator\" content=\"Composer 4\">\r\n");
    ASSERT_EQ(f->TagLineList->Count(), 1);
    f->N1KeyWordsandDescription1->Click();
    EXPECT_EQ(f->PageControl1->ActivePage(), f->TabSheet1);
}

TEST_F(StartUp, ErasingClearsEachStepAndNothingElse) {
    TForm1* f = Create();
    f->TitleBox->SetText("Home");
    f->edit22->SetText("a, b");
    f->edit1->SetText("About us");
    f->Edit15->SetText("Subject");
    for (TWinControl* c : std::initializer_list<TWinControl*>{
             f->Edit6, f->Edit7, f->sbots, f->rating, f->ComboBox1, f->edit3, f->Edit4, f->edit5,
             f->Edit9, f->Edit8, f->Edit11, f->edit12, f->Edit2, f->ComboBox2})
        c->SetText("value");

    f->TbToolbarButton13->Click();
    for (TWinControl* c : std::initializer_list<TWinControl*>{
             f->Edit6, f->Edit7, f->sbots, f->rating, f->ComboBox1, f->edit3, f->Edit4, f->edit5,
             f->Edit9, f->Edit8, f->Edit11, f->edit12, f->Edit2, f->ComboBox2})
        EXPECT_EQ(c->Text(), "") << c->Name();
    EXPECT_EQ(f->TitleBox->Text(), "Home");
    EXPECT_EQ(f->Edit15->Text(), "Subject");

    f->TbToolbarButton8->Click();
    EXPECT_EQ(f->TitleBox->Text(), "");
    EXPECT_EQ(f->edit22->Text(), "");
    EXPECT_EQ(f->edit1->Text(), "");
    EXPECT_EQ(f->Edit13->Text(), "0");
    EXPECT_EQ(f->Edit14->Text(), "0");
    EXPECT_EQ(f->Edit15->Text(), "Subject");
}

TEST_F(StartUp, CountersFollowEveryChangeInCharacters) {
    TForm1* f = Create();
    f->edit22->SetText("caf\xC3\xA9, web");
    EXPECT_EQ(f->Edit13->Text(), "9");
    f->edit1->Lines()->Add("one");
    EXPECT_EQ(f->Edit14->Text(), "5");  // a line break counts as the memo holds it
}

TEST_F(StartUp, HelpOpensAtTheContextOfEachCommand) {
    TForm1* f = Create();
    struct HelpCase {
        const char* What;
        std::function<void()> Do;
        int Context;
    };
    Word f1 = 112;
    const std::vector<HelpCase> cases = {
        {"F1", [&] { f->OnKeyDown(f, f1, 0); }, 0},
        {"F1 in pgrid", [&] { f->pgrid->OnKeyDown(f->pgrid, f1, 0); }, 0},
        {"F1 in gilsmask", [&] { f->gilsmask->OnKeyDown(f->gilsmask, f1, 0); }, 0},
        {"Contents", [&] { f->Contents1->Click(); }, 0},
        {"step 1 Help", [&] { f->TbToolbarButton6->Click(); }, 6},
        {"step 2 Help", [&] { f->TbToolbarButton12->Click(); }, 3},
        {"step 3 Help", [&] { f->TbToolbarButton19->Click(); }, 7},
        {"step 4 Help", [&] { f->TbToolbarButton26->Click(); }, 4},
        {"Meta tags", [&] { f->MetaTagsSupportedbyVelmor1->Click(); }, 1},
        {"Keywords", [&] { f->UsingKeyWordsEffectively1->Click(); }, 5},
        {"FAQ", [&] { f->WebPromotionFAQS1->Click(); }, 10},
        {"Support", [&] { f->GettingSupport1->Click(); }, 15},
        {"Ordering", [&] { f->OrderingtheSoftware1->Click(); }, 19},
        {"current page 1", [&] { f->PageControl1->SetActivePage(f->TabSheet1); f->HelpforCurrentPage1->Click(); }, 6},
        {"current page 2", [&] { f->PageControl1->SetActivePage(f->TabSheet2); f->HelpforCurrentPage1->Click(); }, 3},
        {"current page 3", [&] { f->PageControl1->SetActivePage(f->TabSheet3); f->HelpforCurrentPage1->Click(); }, 7},
        {"current page 5", [&] { f->PageControl1->SetActivePage(f->TabSheet5); f->HelpforCurrentPage1->Click(); }, 4},
    };
    for (const HelpCase& c : cases) {
        Application->ClearHelpCalls();
        c.Do();
        ASSERT_EQ(Application->HelpCalls().size(), 1u) << c.What;
        EXPECT_EQ(Application->HelpCalls()[0].Command, HELP_CONTEXT) << c.What;
        EXPECT_EQ(Application->HelpCalls()[0].Data, c.Context) << c.What;
    }
    Word other = 'A';
    Application->ClearHelpCalls();
    f->OnKeyDown(f, other, 0);
    EXPECT_TRUE(Application->HelpCalls().empty());
}

TEST_F(StartUp, LeavingATitleOfRemoveWarns) {
    TForm1* f = Create();
    Dialogs.Answer(mrCancel);  // the first activation offers the selection
    f->Show();
    SimulateText(f->TitleBox, "ReMove");
    Dialogs.Answer(mrOk);
    ASSERT_TRUE(WaitForFocus(f->edit22));
    EXPECT_EQ(ShownTexts(), std::vector<String>{MainTexts::STitleRemove});
    EXPECT_EQ(Dialogs.Shown().back().Type, mtInformation);
}

TEST_F(StartUp, ClosingSavesTheWindowsStateAndProtectNameIsOneSetting) {
    TForm1* f = Create();
    f->CheckBox4->SetChecked(true);
    f->rblank->SetChecked(true);
    f->CheckBox3->SetChecked(true);
    EXPECT_EQ(ComposerSettings.name, "1");
    Form.reset();
    EXPECT_EQ(Get("name"), "1");
    EXPECT_EQ(Get("pname"), "1");
    EXPECT_EQ(Get("rblank"), "1");
    EXPECT_EQ(Get("multiline"), "1");

    f = Create();
    EXPECT_TRUE(f->CheckBox4->Checked());
    EXPECT_TRUE(f->rblank->Checked());
    bool editable = true;
    f->grid1->OnCanEditCell(f->grid1, 1, 0, editable);
    EXPECT_FALSE(editable);
    editable = true;
    f->grid1->OnCanEditCell(f->grid1, 1, 1, editable);
    EXPECT_TRUE(editable);
}

TEST_F(StartUp, ExitSavesTheSettings) {
    TForm1* f = Create();
    f->CheckBox2->SetChecked(true);
    ComposerSettings.sskey = "0";
    f->SetDefaults();
    EXPECT_EQ(Get("Autosize"), "1");
    EXPECT_EQ(Get("sskey"), "0");
}

TEST_F(StartUp, FirstActivationOnlyOpensTheSelection) {
    TForm1* f = Create();
    Dialogs.Answer(mrCancel);
    f->FormActivate(f);
    EXPECT_EQ(f->FirstActivation, "No");
    ASSERT_EQ(Dialogs.Shown().size(), 1u);
    EXPECT_EQ(Dialogs.Shown()[0].Kind, "TOpenDialog");
    f->FormActivate(f);
    EXPECT_EQ(Dialogs.Shown().size(), 1u);
}

}  // namespace
