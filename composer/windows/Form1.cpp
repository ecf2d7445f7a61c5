#include "composer/windows/Form1.h"

#include <algorithm>
#include <chrono>

#include "composer/windows/ToolGlyph.h"
#include "composer/windows/WindowParts.h"

#include "composer/engine/ComposerSettings.h"
#include "composer/engine/MetaFieldTable.h"
#include "composer/engine/PageExceptions.h"
#include "composer/engine/PageSelection.h"
#include "composer/tools/selectedfiles.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/OpenDialog.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/RichEdit.h"
#include "framework/controls/Screen.h"
#include "framework/controls/TabSheet.h"
#include "framework/graphics/Bitmap.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/ProgramFolder.h"
#include "framework/system/Registry.h"
#include "gridkit/grid/ColumnSize.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "gridkit/grid/GkStringGrid.h"
#include "spell/thesaurus/Thesaurus.h"
#include "styled/base/StyOneInstance.h"
#include "toolbars/TbSpacer.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"
#include "toolbars/TbURLLabel.h"

using namespace MainTexts;
using namespace SelectionTexts;

TForm1* Form1 = nullptr;

namespace {

TTbToolbar* StepToolbar(TComponent* owner, TWinControl* parent, const char* name) {
    TTbToolbar* bar = new TTbToolbar(owner);
    bar->SetName(name);
    bar->SetParent(parent);
    bar->SetAlign(alTop);
    bar->SetRowHeight(44);
    return bar;
}

}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    Form1 = this;
    SetName("Form1");
    SetCaption("Velmor");
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 640, 520);
    SetKeyPreview(true);

    StyOneInstance1 = new TStyOneInstance(this);
    StyOneInstance1->SetName("StyOneInstance1");
    StyOneInstance1->SetMode(oiCustom);

    PageControl1 = Place<TPageControl>(this, this, "PageControl1", 0, 0, 632, 466);
    PageControl1->SetAlign(alClient);
    auto sheet = [this](const char* name, const char* caption) {
        TTabSheet* s = new TTabSheet(this);
        s->SetName(name);
        s->SetPageControl(PageControl1);
        s->SetCaption(caption);
        return s;
    };
    TabSheet1 = sheet("TabSheet1", "Keywords && Description");
    TabSheet2 = sheet("TabSheet2", " Web Page Options");
    TabSheet3 = sheet("TabSheet3", "Custom / Subject");
    TabSheet5 = sheet("TabSheet5", "Update Files");
    PageControl1->SetActivePage(TabSheet1);

    BuildStep1();
    BuildStep2();
    BuildStep3();
    BuildStep4();
    BuildHidden();
    BuildMenu();

    bopen = new TOpenDialog(this);
    bopen->SetName("bopen");
    bopen->Title = SDialogTitle;
    bopen->Filter = SDialogFilter;
    bopen->HelpContext = DialogHelpContext;
    bopen->Options = ofHideReadOnly | ofShowHelp | ofAllowMultiSelect | ofEnableSizing;

    kwbf = new TThesaurus(this);
    kwbf->SetName("kwbf");
    geturl = new TTbURLLabel(this);
    geturl->SetName("geturl");
    geturl->SetParent(this);
    geturl->SetVisible(false);

    Wire();
    WireKeywords();
    WireSchemas();
    WireAnalysis();
    WireLists();
    WireSettings();
    WireProfiles();
    WireFieldTools();
    WireInternet();
    WireDateAbout();
    // The window is complete: this is where a stored window would finish
    // loading, and where a second copy of the program finds out.
    FinishLoading();
}

TForm1::~TForm1() {
    // The settings are saved while the window is still whole; the base
    // class would fire OnDestroy only after this part of it is gone.
    OnDestroy = nullptr;
    if (FormCreated) FormDestroy(this);
    if (Form1 == this) Form1 = nullptr;
}

// ---------------------------------------------------------------------------
// Building the window

void TForm1::BuildStep1() {
    TbToolbar1 = StepToolbar(this, TabSheet1, "TbToolbar1");
    TbToolbarButton9 = ToolButton(this, TbToolbar1, "TbToolbarButton9", "Select ...",
                                  "Select the pages to update", "document-open", 64);
    BtnBlankButton = ToolButton(this, TbToolbar1, "BtnBlankButton", "Show Files ...",
                                "Show the selected pages", "edit-find", 64);
    TbToolbarButton8 = ToolButton(this, TbToolbar1, "TbToolbarButton8", "Page",
                                  "Erase keywords, description and title", "document-new", 64);
    ckkey = ToolButton(this, TbToolbar1, "ckkey", "Length",
                       "Check the lengths of keywords and description", "format-justify-fill", 64);
    TbToolbarButton7 = ToolButton(this, TbToolbar1, "TbToolbarButton7", "Next", "Next step",
                                  "go-next", 64);
    TbToolbarButton6 = ToolButton(this, TbToolbar1, "TbToolbarButton6", "Help",
                                  "Help with this page", "help-contents", 64);
    SpeedButton1 = ToolButton(this, TbToolbar1, "SpeedButton1", "About", "About Velmor\xC2\xAE",
                              "help-about", 64);

    Label1 = MakeLabel(this, TabSheet1, "Label1", "Title", 8, 56, 120, 16);
    TitleBox = Place<TEdit>(this, TabSheet1, "TitleBox", 8, 74, 608, 22);
    TitleBox->SetAnchors(akLeft | akTop | akRight);
    Label2 = MakeLabel(this, TabSheet1, "Label2", "Keywords", 8, 104, 120, 16);
    edit22 = Place<TMemo>(this, TabSheet1, "edit22", 8, 122, 508, 130);
    edit22->WantReturns = false;
    edit22->SetScrollBars(ssVertical);
    Label3 = MakeLabel(this, TabSheet1, "Label3", "Characters", 524, 122, 120, 16);
    Edit13 = Place<TEdit>(this, TabSheet1, "Edit13", 524, 140, 80, 22);
    Edit13->SetReadOnly(true);
    Label4 = MakeLabel(this, TabSheet1, "Label4", "Description", 8, 260, 120, 16);
    edit1 = Place<TMemo>(this, TabSheet1, "edit1", 8, 278, 508, 130);
    edit1->WantReturns = false;
    edit1->SetScrollBars(ssVertical);
    Label5 = MakeLabel(this, TabSheet1, "Label5", "Characters", 524, 278, 120, 16);
    Edit14 = Place<TEdit>(this, TabSheet1, "Edit14", 524, 296, 80, 22);
    Edit14->SetReadOnly(true);
}

void TForm1::BuildStep2() {
    TbToolbar2 = StepToolbar(this, TabSheet2, "TbToolbar2");
    TbToolbarButton13 = ToolButton(this, TbToolbar2, "TbToolbarButton13", "Page",
                                   "Erase the web page options", "document-new", 64);
    TbToolbarButton11 = ToolButton(this, TbToolbar2, "TbToolbarButton11", "Lists",
                                   "Edit the lookup lists for this page", "accessories-text-editor", 64);
    TbToolbarButton14 = ToolButton(this, TbToolbar2, "TbToolbarButton14", "Custom",
                                   "Custom fields and subject", "go-jump", 64);
    TbToolbarButton10 = ToolButton(this, TbToolbar2, "TbToolbarButton10", "Next",
                                   "Next step: update", "go-next", 64);
    TbToolbarButton12 = ToolButton(this, TbToolbar2, "TbToolbarButton12", "Help",
                                   "Help with this page", "help-contents", 64);

    // Two columns of label and field.
    const int lx = 8, fx = 100, rx = 316, rfx = 410, w = 200;
    auto top = [](int row) { return 58 + row * 30; };
    auto combo = [this](const char* name, int left, int t, int width) {
        return Place<TComboBox>(this, TabSheet2, name, left, t, width, 22);
    };
    Label7 = MakeLabel(this, TabSheet2, "Label7", "Generator", lx, top(0) + 3, 120, 16);
    Edit6 = Place<TEdit>(this, TabSheet2, "Edit6", fx, top(0), w, 22);
    Label10 = MakeLabel(this, TabSheet2, "Label10", "Language", lx, top(1) + 3, 120, 16);
    Edit7 = combo("Edit7", fx, top(1), w);
    Label8 = MakeLabel(this, TabSheet2, "Label8", "Robots", lx, top(2) + 3, 120, 16);
    sbots = combo("sbots", fx, top(2), w);
    Label9 = MakeLabel(this, TabSheet2, "Label9", "Rating", lx, top(3) + 3, 120, 16);
    rating = combo("rating", fx, top(3), w);
    Label11 = MakeLabel(this, TabSheet2, "Label11", "Distribution", lx, top(4) + 3, 120, 16);
    ComboBox1 = combo("ComboBox1", fx, top(4), w);
    Label13 = MakeLabel(this, TabSheet2, "Label13", "Classification", lx, top(5) + 3, 120, 16);
    edit3 = combo("edit3", fx, top(5), w);
    Label12 = MakeLabel(this, TabSheet2, "Label12", "Copyright", lx, top(6) + 3, 120, 16);
    Edit4 = combo("Edit4", fx, top(6), w);
    Label6 = MakeLabel(this, TabSheet2, "Label6", "Author", rx, top(0) + 3, 120, 16);
    edit5 = combo("edit5", rfx, top(0), w);
    Label14 = MakeLabel(this, TabSheet2, "Label14", "Bulletin Text", rx, top(1) + 3, 120, 16);
    Edit9 = Place<TEdit>(this, TabSheet2, "Edit9", rfx, top(1), w, 22);
    Label15 = MakeLabel(this, TabSheet2, "Label15", "Bulletin Date", rx, top(2) + 3, 120, 16);
    Edit8 = Place<TEdit>(this, TabSheet2, "Edit8", rfx, top(2), w, 22);
    Label16 = MakeLabel(this, TabSheet2, "Label16", "Expires", rx, top(3) + 3, 120, 16);
    Edit11 = Place<TEdit>(this, TabSheet2, "Edit11", rfx, top(3), w, 22);
    Label17 = MakeLabel(this, TabSheet2, "Label17", "Reply To", rx, top(4) + 3, 120, 16);
    edit12 = combo("edit12", rfx, top(4), w);
    Label18 = MakeLabel(this, TabSheet2, "Label18", "Revisit", rx, top(5) + 3, 120, 16);
    Edit2 = combo("Edit2", rfx, top(5), w);
    Label19 = MakeLabel(this, TabSheet2, "Label19", "Pragma", rx, top(6) + 3, 120, 16);
    ComboBox2 = combo("ComboBox2", rfx, top(6), w);
    TbToolbarButton33 = new TTbToolbarButton(this);
    TbToolbarButton33->SetName("TbToolbarButton33");
    TbToolbarButton33->SetParent(TabSheet2);
    TbToolbarButton33->SetBounds(rfx + w - 80, top(7) + 2, 80, 28);
    TbToolbarButton33->SetFlat(true);
    TbToolbarButton33->SetCaption("Lists ...");
    TbToolbarButton33->SetHint("Edit the lookup lists for this page");
    TbToolbarButton33->SetShowHint(true);
    LoadToolGlyph(TbToolbarButton33, "accessories-text-editor", blGlyphLeft);

    // The items a combo offers until its list file is loaded.
    sbots->SetSorted(true);
    sbots->SetDropDownCount(6);
    sbots->Items()->SetText("\r\nALL\r\nFOLLOW\r\nINDEX\r\nNOINDEX\r\nNOINDEX, FOLLOW");
    ComboBox1->Items()->SetText("GLOBAL\r\nLOCAL");
    rating->Items()->SetText("\r\n14 YEARS\r\nGENERAL\r\nMATURE\r\nRESTRICTED\r\nSAFE FOR KIDS");
    Edit2->Items()->SetText("30 Days\r\n45 Days\r\n60 Days\r\n90 Days\r\n15 Days\r\n7 Days");
    Edit2->SetText("30 Days");
    Edit7->Items()->SetText(
        "\r\naf\r\nsq\r\nar-sa\r\nar-iq\r\nar-eg\r\nar-ly\r\nar-dz\r\nar-ma\r\nar-tn\r\nar-om\r\n"
        "ar-ye\r\nar-sy\r\nar-jo\r\nar-lb\r\nar-kw\r\nar-ae\r\nar-bh\r\nar-qa\r\neu\r\nbg\r\nbe\r\n"
        "ca\r\nzh-tw\r\nzh-cn\r\nzh-hk\r\nzh-sg\r\nhr\r\ncs\r\nda\r\nnl\r\nnl-be\r\nen\r\nen-us\r\n"
        "en-gb\r\nen-au\r\nen-ca\r\nen-nz\r\nen-ie\r\nen-za\r\nen-jm\r\nen\r\nen-bz\r\nen-tt\r\net\r\n"
        "fo\r\nfa\r\nfi\r\nfr\r\nfr-be\r\nfr-ca\r\nfr-ch\r\nfr-lu\r\ngd\r\ngd-ie\r\nde\r\nde-ch\r\n"
        "de-at\r\nde-lu\r\nde-li\r\nel\r\nhe\r\nhi\r\nhu\r\nis\r\nin\r\nit\r\nit-ch\r\nja\r\nko\r\n"
        "lv\r\nlt\r\nmk\r\nms\r\nmt\r\nno\r\npl\r\npt-br\r\npt\r\nrm\r\nro\r\nro-mo\r\nru\r\nru-mo\r\n"
        "sz\r\nsr\r\nsr\r\nsk\r\nsl\r\nsb\r\nes\r\nes-mx\r\nes-gt\r\nes-cr\r\nes-pa\r\nes-do\r\n"
        "es-ve\r\nes-co\r\nes-pe\r\nes-ar\r\nes-ec\r\nes-cl\r\nes-uy\r\nes-py\r\nes-bo\r\nes-sv\r\n"
        "es-hn\r\nes-ni\r\nes-pr\r\nsx\r\nsv\r\nsv-fi\r\nth\r\nts\r\ntn\r\ntr\r\nuk\r\nur\r\nve\r\n"
        "vi\r\nxh\r\nji\r\nzu");
    Edit7->SetText("en-us");
    edit3->Items()->SetText(
        "\r\nAdvertising\r\nAgriculture\r\nAntiques\r\nArts and Crafts\r\nAviation\r\nBar\r\n"
        "Business Banking\r\nBusiness Supplies\r\nBusiness and Economy\r\nCareer Services\r\n"
        "Catalogs\r\nChildren\r\nChristmas\r\nCommercial\r\nCommunications\r\n"
        "Computers Multimedia\r\nComputers\r\nConstruction\r\nConsumer\r\nConsumer Children\r\n"
        "Consumer Electronics\r\nDesign\r\nDrinks\r\nEducation\r\nFamily\r\nFamily Services\r\n"
        "Flags\r\nFlowers\r\nFlowers and Gardening\r\nFood and Beverage\r\nFreelance Services\r\n"
        "Fund Raising\r\nGeneral Hardware\r\nGeneral merchandise\r\nGeneral Software\r\n"
        "Gift baskets\r\nGifts\r\nGovernment\r\nHardware\r\nHardware Peripherals\r\nHealth\r\n"
        "Health Nursing\r\nHobbies\r\nHuman Resources\r\nIndex Site\r\nInternet Services\r\n"
        "Macintosh\r\nMass Storage\r\nMath\r\nMedia\r\nMedia Services\r\nMedical\r\n"
        "Medical Dentistry\r\nMedical Equipment\r\nMuseums\r\nPersonal\r\nRecreation\r\nScience\r\n"
        "Security Services\r\nSocial Science\r\nSoftware\r\nSports\r\nTourism\r\nTourism Airlines\r\n"
        "Travel Agents\r\nVeterinary\r\nWeb Hosting\r\nWeb Programming\r\nWeb Site Promotion\r\n\r\n");
    ComboBox2->Items()->SetText("TRUE\r\nFALSE\r\nREMOVE");
}

void TForm1::BuildStep3() {
    TbToolbar3 = StepToolbar(this, TabSheet3, "TbToolbar3");
    TbToolbarButton16 = ToolButton(this, TbToolbar3, "TbToolbarButton16", "Save",
                                   "Save current schema", "document-save", 64);
    TbToolbarButton15 = ToolButton(this, TbToolbar3, "TbToolbarButton15", "Delete",
                                   "Delete current schema", "edit-delete", 64);
    TbToolbarButton23 = ToolButton(this, TbToolbar3, "TbToolbarButton23", "", "Add Row", "list-add", 64);
    minusb = ToolButton(this, TbToolbar3, "minusb", "", "Delete Row", "list-remove", 64);
    if (!TbToolbarButton23->Glyph() || TbToolbarButton23->Glyph()->Empty())
        TbToolbarButton23->SetCaption("+");
    if (!minusb->Glyph() || minusb->Glyph()->Empty()) minusb->SetCaption("-");
    TbToolbarButton17 = ToolButton(this, TbToolbar3, "TbToolbarButton17", "Read HTML",
                                   "Read the custom tags of the current page", "document-revert", 64);
    TbToolbarButton18 = ToolButton(this, TbToolbar3, "TbToolbarButton18", "Next",
                                   "Next step: update", "go-next", 64);
    TbToolbarButton19 = ToolButton(this, TbToolbar3, "TbToolbarButton19", "Help",
                                   "Help with this page", "help-contents", 64);

    Label20 = MakeLabel(this, TabSheet3, "Label20", "Schema", 8, 60, 120, 16);
    scname = Place<TComboBox>(this, TabSheet3, "scname", 70, 56, 200, 22);
    CheckBox2 = Place<TCheckBox>(this, TabSheet3, "CheckBox2", 290, 58, 90, 20);
    CheckBox2->SetCaption("Auto Si&ze");
    CheckBox3 = Place<TCheckBox>(this, TabSheet3, "CheckBox3", 385, 58, 90, 20);
    CheckBox3->SetCaption("&Multi-Line");
    CheckBox4 = Place<TCheckBox>(this, TabSheet3, "CheckBox4", 480, 58, 120, 20);
    CheckBox4->SetCaption("&Protect Name");

    grid1 = Place<TGkColumnGrid>(this, TabSheet3, "grid1", 8, 86, 608, 290);
    grid1->SetAnchors(akLeft | akTop | akRight | akBottom);
    grid1->SetColCount(2);
    grid1->SetRowCount(2);
    grid1->SetFixedCols(0);
    grid1->SetFixedRows(1);
    grid1->SetColWidths(0, 180);
    KeepCustomHeadings();

    mtn = MakeLabel(this, TabSheet3, "mtn", "Subject", 8, 388, 120, 16);
    Edit15 = Place<TEdit>(this, TabSheet3, "Edit15", 70, 384, 546, 22);
    Edit15->SetAnchors(akLeft | akRight | akBottom);
}

void TForm1::BuildStep4() {
    TbToolbar4 = StepToolbar(this, TabSheet5, "TbToolbar4");
    BtnFinish = ToolButton(this, TbToolbar4, "BtnFinish", "Update",
                           "Write the tags into the selected pages", "document-save-as", 64);
    TbToolbarButton20 = ToolButton(this, TbToolbar4, "TbToolbarButton20", "Tags",
                                   "Check Tag Values", "dialog-information", 64);
    TbToolbarButton21 = ToolButton(this, TbToolbar4, "TbToolbarButton21", "Show Tags",
                                   "Show the tags as a plain list", "format-justify-left", 64);
    copytg = ToolButton(this, TbToolbar4, "copytg", "Copy Tags", "Copy the text to the clipboard",
                        "edit-copy", 64);
    TbToolbarButton25 = ToolButton(this, TbToolbar4, "TbToolbarButton25", "E&xit",
                                   "Save the settings and end Velmor", "application-exit", 64);
    TbToolbarButton26 = ToolButton(this, TbToolbar4, "TbToolbarButton26", "Help",
                                   "Help with this page", "help-contents", 64);

    TagLines = Place<TMemo>(this, TabSheet5, "TagLines", 8, 56, 608, 330);
    TagLines->SetAnchors(akLeft | akTop | akRight | akBottom);
    TagLines->SetScrollBars(ssBoth);
    TagLines->SetWordWrap(false);
    rblank = Place<TCheckBox>(this, TabSheet5, "rblank", 8, 394, 160, 20);
    rblank->SetAnchors(akLeft | akBottom);
    rblank->SetCaption("Remove Tags");
}

void TForm1::BuildHidden() {
    auto hiddenRich = [this](const char* name) {
        TRichEdit* r = Place<TRichEdit>(this, this, name, 0, 0, 10, 10);
        r->SetVisible(false);
        r->PlainText = true;
        return r;
    };
    htmlrichedit = hiddenRich("htmlrichedit");
    memo1 = hiddenRich("memo1");
    RichEdit1 = hiddenRich("RichEdit1");
    Hflhold = Place<TMemo>(this, this, "Hflhold", 0, 0, 10, 10);
    Hflhold->SetVisible(false);
    Hflhold->SetWordWrap(false);
    auto hiddenGrid = [this](TGkStringGrid* g, const char* name, int cols) {
        g->SetName(name);
        g->SetParent(this);
        g->SetBounds(0, 0, 10, 10);
        g->SetVisible(false);
        g->SetColCount(cols);
        g->SetFixedCols(0);
    };
    pgrid = new TGkStringGrid(this);
    hiddenGrid(pgrid, "pgrid", 2);
    gilsmask = new TGkStringGrid(this);
    hiddenGrid(gilsmask, "gilsmask", 2);
    cgrid = new TGkColumnGrid(this);
    hiddenGrid(cgrid, "cgrid", 3);
}

void TForm1::BuildMenu() {
    MainMenu1 = new TMainMenu(this);
    MainMenu1->SetName("MainMenu1");
    TMenuItem* root = MainMenu1->Items();
    File1 = MenuItem(this, root, "File1", "&File");
    Select2 = MenuItem(this, File1, "Select2", "Select ...");
    Showselectedfiles1 = MenuItem(this, File1, "Showselectedfiles1", "Show selected files ...");
    Close1 = MenuItem(this, File1, "Close1", "Close selected files ...");
    N4 = MenuItem(this, File1, "N4", "-");
    Exit1 = MenuItem(this, File1, "Exit1", "E&xit");

    Special1 = MenuItem(this, root, "Special1", "&Special");
    EditTagAnalysisSettings1 =
        MenuItem(this, Special1, "EditTagAnalysisSettings1", "Edit Tag &Analysis Settings ...");
    EditStep2Lists1 = MenuItem(this, Special1, "EditStep2Lists1", "Edit Lookup &Lists ...");
    CustomFieldEditor1 = MenuItem(this, Special1, "CustomFieldEditor1", "Custom Field Editor...");
    N5 = MenuItem(this, Special1, "N5", "-");
    SpellCheckKeywords1 = MenuItem(this, Special1, "SpellCheckKeywords1", "Spell Check &Keywords");
    SpellCheckDescription1 =
        MenuItem(this, Special1, "SpellCheckDescription1", "Spell Check &Description");
    N6 = MenuItem(this, Special1, "N6", "-");
    Settings1 = MenuItem(this, Special1, "Settings1", "Settings ...");

    Profiles1 = MenuItem(this, root, "Profiles1", "Profiles");
    ImportProfile1 = MenuItem(this, Profiles1, "ImportProfile1", "Import Profile ...");
    SavecurrentvaluesasProfile1 = MenuItem(this, Profiles1, "SavecurrentvaluesasProfile1",
                                           "Save current values as Profile ...");

    Select1 = MenuItem(this, root, "Select1", "Se&lect");
    N1KeyWordsandDescription1 =
        MenuItem(this, Select1, "N1KeyWordsandDescription1", "Keywords and Description");
    N2WebPageOptions1 = MenuItem(this, Select1, "N2WebPageOptions1", "Web Page Options");
    N3ValidateandUpdateMetaTags1 =
        MenuItem(this, Select1, "N3ValidateandUpdateMetaTags1", "Validate and Update Meta Tags");
    CustomMetaTags1 = MenuItem(this, Select1, "CustomMetaTags1", "&Custom / Subject");

    Run1 = MenuItem(this, root, "Run1", "&Run");
    MetaTagAnalysis1 = MenuItem(this, Run1, "MetaTagAnalysis1", "Meta Tag &Analysis");
    MetaTagUpdate1 = MenuItem(this, Run1, "MetaTagUpdate1", "Meta Tag &Update");
    BatchKeywordGeneration1 =
        MenuItem(this, Run1, "BatchKeywordGeneration1", "Batch Keyword Generation ...");
    N7 = MenuItem(this, Run1, "N7", "-");
    InternetUpdate1 = MenuItem(this, Run1, "InternetUpdate1", "Internet Update ...");

    Help1 = MenuItem(this, root, "Help1", "&Help");
    Contents1 = MenuItem(this, Help1, "Contents1", "Contents");
    HelpforCurrentPage1 = MenuItem(this, Help1, "HelpforCurrentPage1", "Help for current page");
    N8 = MenuItem(this, Help1, "N8", "-");
    MetaTagsSupportedbyVelmor1 =
        MenuItem(this, Help1, "MetaTagsSupportedbyVelmor1", "Meta tags supported by Velmor");
    UsingKeyWordsEffectively1 =
        MenuItem(this, Help1, "UsingKeyWordsEffectively1", "Using keywords effectively");
    WebPromotionFAQS1 = MenuItem(this, Help1, "WebPromotionFAQS1", "Web site promotion FAQS");
    GettingSupport1 = MenuItem(this, Help1, "GettingSupport1", "Getting support");
    OrderingtheSoftware1 =
        MenuItem(this, Help1, "OrderingtheSoftware1", "How do I order the software?");
    N9 = MenuItem(this, Help1, "N9", "-");
    About1 = MenuItem(this, Help1, "About1", "About ...");
}

void TForm1::Wire() {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
    OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { FormKeyDown(s, k, sh); };
    OnKeyUp = [this](TObject* s, Word& k, TShiftState sh) { FormKeyUp(s, k, sh); };
    pgrid->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { FormKeyDown(s, k, sh); };
    gilsmask->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { FormKeyDown(s, k, sh); };
    StyOneInstance1->OnCustom = [this](TObject* s) { StyOneInstance1Custom(s); };

    TbToolbarButton25->OnClick = [this](TObject* s) { SpeedButton13Click(s); };
    Exit1->OnClick = [this](TObject* s) { SpeedButton13Click(s); };

    TbToolbarButton8->OnClick = [this](TObject* s) { SpeedButton8Click(s); };
    TbToolbarButton13->OnClick = [this](TObject* s) { SpeedButton7Click(s); };
    TbToolbarButton7->OnClick = [this](TObject* s) { savekeywdsClick(s); };
    TbToolbarButton10->OnClick = [this](TObject* s) { SaveOptClick(s); };
    TbToolbarButton14->OnClick = [this](TObject* s) { SpeedButton11Click(s); };
    TbToolbarButton18->OnClick = [this](TObject* s) { SpeedButton10Click(s); };
    N1KeyWordsandDescription1->OnClick = [this](TObject* s) { N1KeyWordsandDescription1Click(s); };
    N2WebPageOptions1->OnClick = [this](TObject* s) { N2WebPageOptions1Click(s); };
    N3ValidateandUpdateMetaTags1->OnClick = [this](TObject* s) {
        N3ValidateandUpdateMetaTags1Click(s);
    };
    CustomMetaTags1->OnClick = [this](TObject* s) { CustomMetaTags1Click(s); };
    PageControl1->OnChange = [this](TObject* s) { PageControl1Change(s); };
    TabSheet5->OnEnter = [this](TObject* s) { TabSheet5Enter(s); };
    TitleBox->OnExit = [this](TObject* s) { TitleBoxExit(s); };
    edit22->OnChange = [this](TObject* s) { edit22Change(s); };
    edit1->OnChange = [this](TObject* s) { edit1Change(s); };
    rblank->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        rblankMouseUp(s, b, sh, x, y);
    };

    Contents1->OnClick = [this](TObject* s) { Contents1Click(s); };
    TbToolbarButton6->OnClick = [this](TObject* s) { button14Click(s); };
    TbToolbarButton12->OnClick = [this](TObject* s) { Button12Click(s); };
    TbToolbarButton19->OnClick = [this](TObject* s) { SpeedButton9Click(s); };
    TbToolbarButton26->OnClick = [this](TObject* s) { Button17Click(s); };
    HelpforCurrentPage1->OnClick = [this](TObject* s) { HelpforCurrentPage1Click(s); };
    MetaTagsSupportedbyVelmor1->OnClick = [this](TObject* s) {
        MetaTagsSupportedbyVelmor1Click(s);
    };
    UsingKeyWordsEffectively1->OnClick = [this](TObject* s) { UsingKeyWordsEffectively1Click(s); };
    WebPromotionFAQS1->OnClick = [this](TObject* s) { WebPromotionFAQS1Click(s); };
    GettingSupport1->OnClick = [this](TObject* s) { GettingSupport1Click(s); };
    OrderingtheSoftware1->OnClick = [this](TObject* s) { OrderingtheSoftware1Click(s); };

    TbToolbarButton9->OnClick = [this](TObject* s) { SpeedButton2Click(s); };
    Select2->OnClick = [this](TObject* s) { SpeedButton2Click(s); };
    Close1->OnClick = [this](TObject* s) { Close1Click(s); };
    BtnBlankButton->OnClick = [this](TObject* s) { BtnBlankButtonClick(s); };
    Showselectedfiles1->OnClick = [this](TObject* s) { BtnBlankButtonClick(s); };

    TbToolbarButton17->OnClick = [this](TObject* s) { SpeedButton14Click(s); };
    BtnFinish->OnClick = [this](TObject* s) { Button34Click(s); };
    MetaTagUpdate1->OnClick = [this](TObject* s) { Button34Click(s); };

    CheckBox2->OnClick = [this](TObject* s) { CheckBox2Click(s); };
    CheckBox3->OnClick = [this](TObject* s) { CheckBox3Click(s); };
    CheckBox4->OnClick = [this](TObject* s) { CheckBox4Click(s); };
    grid1->OnCanEditCell = [this](TObject* s, int r, int c, bool& v) { grid1CanEditCell(s, r, c, v); };
    pgrid->OnCanEditCell = [this](TObject* s, int r, int c, bool& v) { grid1CanEditCell(s, r, c, v); };
    gilsmask->OnCanEditCell = [this](TObject* s, int r, int c, bool& v) {
        grid1CanEditCell(s, r, c, v);
    };

    // Between pages the window handles what waits for it, at most every
    // 100 ms, and less often where that takes long (a slow repaint): it
    // never takes more than about 2 % of a run. A repaint after every page
    // of a long run costs more than the page itself and shows nothing
    // anyone could see.
    auto processMessages = [next = std::chrono::steady_clock::time_point()]() mutable {
        using namespace std::chrono;
        const auto now = steady_clock::now();
        if (!Application || now < next) return;
        Application->ProcessMessages();
        const auto took = steady_clock::now() - now;
        next = now + std::max<steady_clock::duration>(milliseconds(100), took * 50);
    };
    TagReader.OnShowMessage = ShowKindMessage;
    TagReader.OnCaption = [this](const String& c) { SetCaption(c); };
    TagReader.OnProcessMessages = processMessages;
    UpdateRun.OnShowMessage = ShowKindMessage;
    UpdateRun.OnProcessMessages = processMessages;
    UpdateRun.OnClearResults = [this] { TagLines->Lines()->Clear(); };
    UpdateRun.OnResultLine = [this](const String& line) { TagLines->Lines()->Add(line); };
    UpdateRun.OnActiveChange = [this](bool active) { SetRunning(active); };
}

// ---------------------------------------------------------------------------
// Start-up, activation and end

void TForm1::FormCreate(TObject*) {
    FormCreated = true;
    // A refused second copy ends before it touches anything of the first.
    if (RefusedCopy) return;
    ComposerSettings.tokens = "0";
    KeywordsTabNotice = SKeywordsTabNotice;
    OptionsTabNotice = SOptionsTabNotice;
    // The working lists come first: whatever fails below, the commands that
    // use them must find them.
    BatchList = std::make_unique<TStringList>();
    SelectedFiles = std::make_unique<TStringList>();
    TagLineList = std::make_unique<TStringList>();
    RemoveList = std::make_unique<TStringList>();
    FirstActivation = "Yes";
    try {
        Application->SetHelpFile(ProgramFolder() + SHelpFile);
        SetCaption(SNoFileSelectedCaption);
        try {
            TComposerSettings::SeedDefaults();
        } catch (const std::exception&) {
            // A store that cannot be written reads as empty; the program
            // still runs, it only cannot remember.
        }
        scname->Items()->Clear();
        ListFiles(BesideProgram("schemas"), "tgs", scname->Items());
        GetDefaults();
        grid1->ColumnSize()->SetStretch(!CheckBox2->Checked());
        GoToFirstVisible({TabSheet1, TabSheet2, TabSheet3});
    } catch (const std::exception&) {
        ShowMessage(SCouldNotStart);
        return;
    }
    Autocorrect();
    ShowLengths();
    LoadLookupLists();
}

void TForm1::FormActivate(TObject*) {
    if (FirstActivation != "Yes") return;
    FirstActivation = "No";
    if (CurrentFile.empty()) LFILE();
}

void TForm1::FormClose(TObject*, TCloseAction&) { BatchList.reset(); }

void TForm1::FormDestroy(TObject*) {
    if (RefusedCopy) return;
    SetDefaults();
}

void TForm1::FormKeyDown(TObject*, Word& Key, TShiftState) {
    if (Key == 112) Application->HelpContext(hcContents);
}

// F1 is answered when it goes down; answering its release as well would
// open the help twice for one key press.
void TForm1::FormKeyUp(TObject*, Word&, TShiftState) {}

void TForm1::SpeedButton13Click(TObject*) {
    SetDefaults();
    Application->Terminate();
}

void TForm1::StyOneInstance1Custom(TObject*) {
    RefusedCopy = true;
    MessageDlg(SAlreadyRunning, mtInformation, mbOK, 0);
}

// ---------------------------------------------------------------------------
// Settings

void TForm1::GetDefaults() {
    TComposerSettings& s = ComposerSettings;
    s.Read();
    if (s.HasAutosize) CheckBox2->SetChecked(TComposerSettings::On(s.autosize));
    CheckBox3->SetChecked(TComposerSettings::On(s.multiline));
    rblank->SetChecked(TComposerSettings::On(s.rblank));
    // The box shows the protection in force.
    CheckBox4->SetChecked(TComposerSettings::On(s.name));
    ApplyTabVisibility();
    ApplyTagNameLabels();
    if (!s.schema.empty()) {
        scname->SetText(s.schema);
        LoadSchema(s.schema);
    }
    if (TComposerSettings::On(s.tokens)) LoadTokenMap();
}

void TForm1::SetDefaults() {
    TSettingsWindowValues w;
    w.Autosize = CheckBox2->Checked();
    w.Rblank = rblank->Checked();
    w.Multiline = CheckBox3->Checked();
    w.ProtectName = CheckBox4->Checked();
    w.Schema = scname->Text();
    ComposerSettings.Write(w);
}

void TForm1::getpolicy() { ComposerSettings.ReadPolicy(); }

void TForm1::ApplyTabVisibility() {
    const TComposerSettings& s = ComposerSettings;
    TabSheet1->SetTabVisible(TComposerSettings::On(s.sskey));
    TabSheet2->SetTabVisible(TComposerSettings::On(s.ssopt));
    TabSheet3->SetTabVisible(TComposerSettings::On(s.sscust));
    TabSheet5->SetTabVisible(true);
}

void TForm1::ApplyTagNameLabels() {
    const TComposerSettings& s = ComposerSettings;
    if (!TComposerSettings::On(s.cwn)) return;
    Label13->SetCaption(s.clasname);
    Label6->SetCaption(s.aname);
    Label10->SetCaption(s.lname);
    mtn->SetCaption(s.catstr);
}

bool TForm1::LoadSchema(const String& name) {
    grid1->ClearAllCells();
    cgrid->ClearAllCells();
    KeepCustomHeadings();
    if (name.empty()) return false;
    if (NamesAFolder(name)) {
        // A stored name is refused as a typed one is, and counts as a
        // schema that could not be loaded.
        ShowMessage(Format(SSchemaNotLoaded, name, String(SchemaTexts::SBadSchemaName)));
        return false;
    }
    try {
        grid1->LoadCellsFromFile(BesideProgram("schemas/" + name + ".tgs"));
        KeepCustomHeadings();
    } catch (const std::exception& e) {
        grid1->ClearAllCells();
        KeepCustomHeadings();
        ShowMessage(Format(SSchemaNotLoaded, name, String(e.what())));
        return false;
    }
    const String sbf = BesideProgram("schemas/" + name + ".sbf");
    if (FileExists(sbf)) {
        try {
            cgrid->LoadCellsFromFile(sbf);
        } catch (const std::exception&) {
            // Without field definitions every value gets the plain editor.
            cgrid->ClearAllCells();
        }
    }
    return true;
}

void TForm1::LoadTokenMap() {
    try {
        gilsmask->LoadCellsFromFile(BesideProgram("schemas/gilsmask.tgs"));
    } catch (const std::exception&) {
        // Without a map the tags simply carry no tokens.
    }
}

void TForm1::ReloadSchemaSupport() {
    const String name = scname->Text();
    if (!name.empty()) LoadFieldDefinitions(name);
    if (TComposerSettings::On(ComposerSettings.tokens)) LoadTokenMap();
}

void TForm1::LoadLookupLists() {
    struct TLookupList {
        const char* File;
        TComboBox* Combo;
        const char* Message;
    };
    const TLookupList lists[] = {
        {"lists/language.txt", Edit7, "Error loading language list"},
        {"lists/revisit.txt", Edit2, "Error loading Revisit list"},
        {"lists/classification.txt", edit3, "Error loading Classification list"},
        {"lists/rating.txt", rating, "Error loading Ratings list"},
        {"lists/Robots.txt", sbots, "Error loading Robot Text list"},
        {"lists/authors.txt", edit5, "Error loading Authors List"},
        {"lists/reply to.txt", edit12, "Error loading Reply To list"},
        {"lists/copyright.txt", Edit4, "Error loading Copyright list"},
        {"lists/distribution.txt", ComboBox1, "Error loading Distribution list"},
    };
    for (const TLookupList& l : lists) {
        try {
            // Read whole before anything changes, so a failed read leaves the
            // combo with the items it had.
            TStringList items;
            items.LoadFromFile(BesideProgram(l.File));
            const String text = l.Combo->Text();
            l.Combo->Items()->Assign(&items);
            l.Combo->SetText(text);
        } catch (const std::exception&) {
            MessageDlg(l.Message, mtError, mbOK, 0);
        }
    }
}

// ---------------------------------------------------------------------------
// Erasing and navigation

namespace {
// A META limit counts characters, not the bytes that hold them.
Int64 CharacterCount(const String& text) {
    Int64 n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}
}  // namespace

void TForm1::ShowLengths() {
    edit22Change(edit22);
    edit1Change(edit1);
}

void TForm1::edit22Change(TObject*) { Edit13->SetText(IntToStr(CharacterCount(edit22->Text()))); }

void TForm1::edit1Change(TObject*) { Edit14->SetText(IntToStr(CharacterCount(edit1->Text()))); }

void TForm1::Autocorrect() {
    if (TComposerSettings::On(ComposerSettings.akey))
        edit22->SetText(TPageSelection::AutocorrectText(edit22->Text()));
    if (TComposerSettings::On(ComposerSettings.adesc))
        edit1->SetText(TPageSelection::AutocorrectText(edit1->Text()));
}

void TForm1::SpeedButton8Click(TObject*) {
    edit22->Lines()->Clear();
    edit1->Lines()->Clear();
    TitleBox->SetText("");
    ShowLengths();
}

void TForm1::SpeedButton7Click(TObject*) {
    // The web page options: every META field whose control sits on that step.
    for (const TMetaFieldRow& row : MetaFieldTable()) {
        TControl* field = FieldControl(row);
        if (field->Parent() == TabSheet2) field->SetText("");
    }
}

bool TForm1::GoToFirstVisible(std::initializer_list<TTabSheet*> pages) {
    for (TTabSheet* page : pages) {
        if (!page->TabVisible()) continue;
        PageControl1->SetActivePage(page);
        return true;
    }
    return false;
}

void TForm1::savekeywdsClick(TObject*) { GoToFirstVisible({TabSheet2, TabSheet3, TabSheet5}); }
void TForm1::SaveOptClick(TObject*) { GoToFirstVisible({TabSheet5}); }
void TForm1::SpeedButton11Click(TObject*) { GoToFirstVisible({TabSheet3, TabSheet5}); }
void TForm1::SpeedButton10Click(TObject*) { PageControl1->SetActivePage(TabSheet5); }
void TForm1::N1KeyWordsandDescription1Click(TObject*) { GoToFirstVisible({TabSheet1}); }
void TForm1::N2WebPageOptions1Click(TObject*) { GoToFirstVisible({TabSheet2}); }
void TForm1::N3ValidateandUpdateMetaTags1Click(TObject*) { GoToFirstVisible({TabSheet5}); }
void TForm1::CustomMetaTags1Click(TObject*) { GoToFirstVisible({TabSheet3}); }

void TForm1::PageControl1Change(TObject*) {
    if (PageControl1->ActivePage() == TabSheet5) TabSheet5Enter(TabSheet5);
}

void TForm1::TitleBoxExit(TObject*) {
    if (LowerCase(TitleBox->Text()) == "remove") MessageDlg(STitleRemove, mtInformation, mbOK, 0);
}

void TForm1::rblankMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
    if (rblank->Checked()) MessageDlg(SRemoveWarning, mtWarning, mbOK, 0);
}

// ---------------------------------------------------------------------------
// Help

void TForm1::Contents1Click(TObject*) { Application->HelpContext(hcContents); }
void TForm1::button14Click(TObject*) { Application->HelpContext(hcKeywords); }
void TForm1::Button12Click(TObject*) { Application->HelpContext(hcOptions); }
void TForm1::SpeedButton9Click(TObject*) { Application->HelpContext(hcCustom); }
void TForm1::Button17Click(TObject*) { Application->HelpContext(hcUpdate); }
void TForm1::MetaTagsSupportedbyVelmor1Click(TObject*) { Application->HelpContext(hcMetaTags); }
void TForm1::UsingKeyWordsEffectively1Click(TObject*) { Application->HelpContext(hcKeywordsUsage); }
void TForm1::WebPromotionFAQS1Click(TObject*) { Application->HelpContext(hcPromotionFAQ); }
void TForm1::GettingSupport1Click(TObject*) { Application->HelpContext(hcSupport); }
void TForm1::OrderingtheSoftware1Click(TObject*) { Application->HelpContext(hcOrdering); }

void TForm1::HelpforCurrentPage1Click(TObject*) {
    const TTabSheet* page = PageControl1->ActivePage();
    if (page == TabSheet1)
        Application->HelpContext(hcKeywords);
    else if (page == TabSheet2)
        Application->HelpContext(hcOptions);
    else if (page == TabSheet3)
        Application->HelpContext(hcCustom);
    else if (page == TabSheet5)
        Application->HelpContext(hcUpdate);
}

// ---------------------------------------------------------------------------
// Page selection

int TForm1::ListFiles(const String& folder, const String& extension, TStrings* target) {
    return TPageSelection::ListFiles(folder, extension, target,
                                     ShowKindMessage);
}

void TForm1::LFILE() { Selection(false); }

void TForm1::SpeedButton2Click(TObject*) { Selection(true); }

void TForm1::Selection(bool erase) {
    if (UpdateRun.Active()) return;
    ReloadSchemaSupport();
    if (!bopen->Execute()) return;
    if (erase) {
        SpeedButton8Click(this);
        SpeedButton7Click(this);
    }
    std::vector<String> names;
    for (int i = 0; i < bopen->Files()->Count(); ++i) names.push_back(bopen->Files()->Strings(i));
    TExpandedSelection chosen;
    try {
        chosen = TPageSelection::Expand(names);
    } catch (const Exception& e) {
        // A page list that cannot be read leaves the selection as it was.
        Application->ShowException(e);
        return;
    }
    SelectedFiles->Clear();
    for (const String& page : chosen.Pages) SelectedFiles->Add(page);
    if (!chosen.Missing.empty())
        MessageDlg(TPageSelection::MissingPagesMessage(chosen.Missing), mtWarning, mbOK, 0);

    const int count = SelectedFiles->Count();
    if (count == 0) {
        SetCaption(SNoFileSelectedCaption);
        return;
    }
    bool opened = true;
    if (count == 1) {
        CurrentFile = SelectedFiles->Strings(0);
        SetCaption("Velmor -" + CurrentFile);
        opened = xread();
    } else {
        SetCaption(SMultipleFiles);
    }
    // The success message only follows a page that was read; a failed read
    // has shown its own error.
    if (opened) MessageDlg(SOpened, mtInformation, mbOK, 0);
    Autocorrect();
    ShowLengths();
}

void TForm1::Close1Click(TObject*) {
    if (UpdateRun.Active()) return;
    CurrentFile.clear();
    SpeedButton8Click(this);
    SpeedButton7Click(this);
    SelectedFiles->Clear();
    SetCaption(SNoFileSelectedClosed);
}

void TForm1::BtnBlankButtonClick(TObject*) {
    if (!SelectedFiles || SelectedFiles->Count() == 0) {
        MessageDlg(SNoFilesSelected, mtInformation, mbOK, 0);
        return;
    }
    std::unique_ptr<Tselectedfiles> viewer = std::make_unique<Tselectedfiles>(this);
    viewer->ShowFiles(SelectedFiles.get());
    viewer->ShowModal();
}

// ---------------------------------------------------------------------------
// Reading, composing and writing

TControl* TForm1::FieldControl(const TMetaFieldRow& row) const {
    TControl* c = FindComponentAs<TControl>(this, row.Control);
    // A row whose control is missing is a fault of the build, not of the user.
    if (!c) throw Exception(String("The META field ") + row.Name + " has no control " + row.Control);
    return c;
}

TMetaFields TForm1::CollectFields() const {
    TMetaFields f;
    f.Title = TitleBox->Text();
    for (const TMetaFieldRow& row : MetaFieldTable()) f.*row.Value = FieldControl(row)->Text();
    for (int r = 1; r < grid1->RowCount(); ++r)
        f.CustomRows.push_back({grid1->Cells(0, r), grid1->Cells(1, r)});
    return f;
}

void TForm1::ApplyFields(const TMetaFields& f) {
    auto set = [](TControl* c, const String& v) {
        if (c->Text() != v) c->SetText(v);
    };
    set(TitleBox, f.Title);
    for (const TMetaFieldRow& row : MetaFieldTable()) set(FieldControl(row), f.*row.Value);
    for (size_t i = 0; i < f.CustomRows.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        if (r >= grid1->RowCount()) break;
        if (grid1->Cells(1, r) != f.CustomRows[i].Value) grid1->SetCells(1, r, f.CustomRows[i].Value);
    }
}

std::vector<TTokenRow> TForm1::TokenMap() const {
    std::vector<TTokenRow> rows;
    for (int r = 1; r < gilsmask->RowCount(); ++r)
        rows.push_back({gilsmask->Cells(0, r), gilsmask->Cells(1, r)});
    return rows;
}

bool TForm1::xread() {
    TMetaFields fields = CollectFields();
    TagReader.Settings = ComposerSettings.TagSettings();
    Screen->SetCursor(crHourGlass);
    bool ok = false;
    try {
        ok = TagReader.xread(CurrentFile, fields);
    } catch (const Exception& e) {
        Screen->SetCursor(crDefault);
        ApplyFields(fields);
        Application->ShowException(e);
        return false;
    }
    Screen->SetCursor(crDefault);
    // What was read before a failure stays in the fields.
    ApplyFields(fields);
    return ok;
}

void TForm1::SpeedButton14Click(TObject*) {
    if (UpdateRun.Active()) return;
    TMetaFields fields = CollectFields();
    TagReader.Settings = ComposerSettings.TagSettings();
    Screen->SetCursor(crHourGlass);
    try {
        TagReader.ReadCustomTags(CurrentFile, fields);
    } catch (const Exception& e) {
        Screen->SetCursor(crDefault);
        Application->ShowException(e);
        return;
    }
    Screen->SetCursor(crDefault);
    ApplyFields(fields);
}

void TForm1::TabSheet5Enter(TObject*) {
    TagComposer.TabSheet5Enter(CollectFields(), ComposerSettings.TagSettings(), TokenMap());
    TagReader.KeywordSnapshot = TagComposer.KeywordsSnapshot;
    ShowLines(TagLines->Lines(), TagComposer.TagLines);
    if (TagLineList) {
        TagLineList->Clear();
        for (const String& line : TagComposer.TagLineList) TagLineList->Add(line);
    }
}

void TForm1::Button34Click(TObject*) {
    TUpdateRunInput input;
    for (int i = 0; SelectedFiles && i < SelectedFiles->Count(); ++i)
        input.SelectedFiles.push_back(SelectedFiles->Strings(i));
    input.Fields = CollectFields();
    input.Settings = ComposerSettings.TagSettings();
    input.TokenMap = TokenMap();
    input.RemoveMode = rblank->Checked();
    input.SchemaName = scname->Text();
    const TUpdateRunResult result = UpdateRun.Button34Click(input);
    if (result.Started && TagLineList) {
        TagLineList->Clear();
        for (const String& line : result.TagLineList) TagLineList->Add(line);
    }
}

void TForm1::SetRunning(bool active) {
    // While pages are written nothing else may read, select or write them.
    for (TControl* c : std::initializer_list<TControl*>{BtnFinish, TbToolbarButton9,
                                                       TbToolbarButton17, BtnBlankButton})
        c->SetEnabled(!active);
    for (TMenuItem* m : {MetaTagUpdate1, Select2, Close1}) m->SetEnabled(!active);
    Screen->SetCursor(active ? crHourGlass : crDefault);
}

// ---------------------------------------------------------------------------
// The custom step's view options

void TForm1::CheckBox2Click(TObject*) {
    grid1->SetAutoSize(CheckBox2->Checked());
    grid1->ColumnSize()->SetStretch(!CheckBox2->Checked());
}

void TForm1::CheckBox3Click(TObject*) {
    grid1->SetDefaultRowHeight(CheckBox3->Checked() ? 28 : 14);
    grid1->SetMultilinecells(CheckBox3->Checked());
}

void TForm1::CheckBox4Click(TObject*) { ComposerSettings.name = CheckBox4->Checked() ? "1" : "0"; }

void TForm1::grid1CanEditCell(TObject*, int, int ACol, bool& Value) {
    if (ACol == 0 && TComposerSettings::On(ComposerSettings.name)) Value = false;
}
