#pragma once
// The composer's main window: four steps (keywords and description, web
// page options, custom fields, update) with the page selection, the
// settings and the update run behind them.
#include <initializer_list>
#include <memory>
#include <vector>

#include "composer/engine/MetaFields.h"
#include "composer/engine/TagComposer.h"
#include "composer/engine/TagReader.h"
#include "composer/engine/UpdateRun.h"
#include "framework/controls/Form.h"
#include "gridkit/grid/GkTypes.h"

class TCheckBox;
struct TMetaFieldRow;
class TComboBox;
class TEdit;
class TGkColumnGrid;
class TGkStringGrid;
class TLabel;
class TMainMenu;
class TMemo;
class TMenuItem;
class TOpenDialog;
class TPageControl;
class TRichEdit;
class TStringList;
class TStrings;
class TStyOneInstance;
class TTabSheet;
class TTbToolbar;
class TTbToolbarButton;
class TThesaurus;
class TTbURLLabel;

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;
    String ClassName() const override { return "TForm1"; }

    // ---- the step pages ----
    TPageControl* PageControl1;
    TTabSheet* TabSheet1;
    TTabSheet* TabSheet2;
    TTabSheet* TabSheet3;
    TTabSheet* TabSheet5;

    // Step 1: keywords and description.
    TTbToolbar* TbToolbar1;
    TTbToolbarButton* TbToolbarButton9;   // "Select ..."
    TTbToolbarButton* BtnBlankButton;     // "Show Files ..."
    TTbToolbarButton* TbToolbarButton8;   // "Page": erase the step
    TTbToolbarButton* ckkey;              // "Length"
    TTbToolbarButton* TbToolbarButton7;   // "Next"
    TTbToolbarButton* TbToolbarButton6;   // "Help"
    TTbToolbarButton* SpeedButton1;       // "About"
    TLabel* Label1;
    TEdit* TitleBox;
    TLabel* Label2;
    TMemo* edit22;
    TLabel* Label3;
    TEdit* Edit13;
    TLabel* Label4;
    TMemo* edit1;
    TLabel* Label5;
    TEdit* Edit14;

    // Step 2: web page options.
    TTbToolbar* TbToolbar2;
    TTbToolbarButton* TbToolbarButton13;  // "Page": erase the step
    TTbToolbarButton* TbToolbarButton11;  // "Lists"
    TTbToolbarButton* TbToolbarButton14;  // "Custom"
    TTbToolbarButton* TbToolbarButton10;  // "Next"
    TTbToolbarButton* TbToolbarButton12;  // "Help"
    TTbToolbarButton* TbToolbarButton33;  // the small lists button
    TLabel* Label7;
    TEdit* Edit6;        // generator
    TLabel* Label10;
    TComboBox* Edit7;    // language
    TLabel* Label8;
    TComboBox* sbots;    // robots
    TLabel* Label9;
    TComboBox* rating;
    TLabel* Label11;
    TComboBox* ComboBox1;  // distribution
    TLabel* Label13;
    TComboBox* edit3;    // classification
    TLabel* Label12;
    TComboBox* Edit4;    // copyright
    TLabel* Label6;
    TComboBox* edit5;    // author
    TLabel* Label14;
    TEdit* Edit9;        // bulletin text
    TLabel* Label15;
    TEdit* Edit8;        // bulletin date
    TLabel* Label16;
    TEdit* Edit11;       // expires
    TLabel* Label17;
    TComboBox* edit12;   // reply-to
    TLabel* Label18;
    TComboBox* Edit2;    // revisit
    TLabel* Label19;
    TComboBox* ComboBox2;  // pragma

    // Step 3: custom fields and subject.
    TTbToolbar* TbToolbar3;
    TTbToolbarButton* TbToolbarButton16;  // "Save" schema
    TTbToolbarButton* TbToolbarButton15;  // "Delete" schema
    TTbToolbarButton* TbToolbarButton23;  // Add Row
    TTbToolbarButton* minusb;             // Delete Row
    TTbToolbarButton* TbToolbarButton17;  // "Read HTML"
    TTbToolbarButton* TbToolbarButton18;  // "Next"
    TTbToolbarButton* TbToolbarButton19;  // "Help"
    TLabel* Label20;
    TComboBox* scname;
    TGkColumnGrid* grid1;
    TCheckBox* CheckBox2;  // "Auto Si&ze"
    TCheckBox* CheckBox3;  // "&Multi-Line"
    TCheckBox* CheckBox4;  // "&Protect Name"
    TLabel* mtn;
    TEdit* Edit15;         // subject

    // Step 4: update.
    TTbToolbar* TbToolbar4;
    TTbToolbarButton* BtnFinish;          // "Update"
    TTbToolbarButton* TbToolbarButton20;  // "Tags": analysis
    TTbToolbarButton* TbToolbarButton21;  // "Show Tags"
    TTbToolbarButton* copytg;             // "Copy Tags"
    TTbToolbarButton* TbToolbarButton25;  // "E&xit"
    TTbToolbarButton* TbToolbarButton26;  // help with this page
    TMemo* TagLines;
    TCheckBox* rblank;     // "Remove Tags"

    // Hidden buffers and grids.
    TRichEdit* htmlrichedit;
    TRichEdit* memo1;
    TRichEdit* RichEdit1;
    TMemo* Hflhold;
    TGkStringGrid* pgrid;
    TGkStringGrid* gilsmask;
    TGkColumnGrid* cgrid;

    // Non-visual.
    TMainMenu* MainMenu1;
    TOpenDialog* bopen;
    TStyOneInstance* StyOneInstance1;
    TThesaurus* kwbf;
    TTbURLLabel* geturl;  // opens links for the field tools; never shown

    // ---- the main menu ----
    TMenuItem* File1;
    TMenuItem* Select2;
    TMenuItem* Showselectedfiles1;
    TMenuItem* Close1;
    TMenuItem* N4;
    TMenuItem* Exit1;
    TMenuItem* Special1;
    TMenuItem* EditTagAnalysisSettings1;
    TMenuItem* EditStep2Lists1;
    TMenuItem* CustomFieldEditor1;
    TMenuItem* N5;
    TMenuItem* SpellCheckKeywords1;
    TMenuItem* SpellCheckDescription1;
    TMenuItem* N6;
    TMenuItem* Settings1;
    TMenuItem* Profiles1;
    TMenuItem* ImportProfile1;
    TMenuItem* SavecurrentvaluesasProfile1;
    TMenuItem* Select1;
    TMenuItem* N1KeyWordsandDescription1;
    TMenuItem* N2WebPageOptions1;
    TMenuItem* N3ValidateandUpdateMetaTags1;
    TMenuItem* CustomMetaTags1;
    TMenuItem* Run1;
    TMenuItem* MetaTagAnalysis1;
    TMenuItem* MetaTagUpdate1;
    TMenuItem* BatchKeywordGeneration1;
    TMenuItem* N7;
    TMenuItem* InternetUpdate1;
    TMenuItem* Help1;
    TMenuItem* Contents1;
    TMenuItem* HelpforCurrentPage1;
    TMenuItem* N8;
    TMenuItem* MetaTagsSupportedbyVelmor1;
    TMenuItem* UsingKeyWordsEffectively1;
    TMenuItem* WebPromotionFAQS1;
    TMenuItem* GettingSupport1;
    TMenuItem* OrderingtheSoftware1;
    TMenuItem* N9;
    TMenuItem* About1;

    // ---- the window's working state ----
    String CurrentFile;
    std::unique_ptr<TStringList> SelectedFiles;
    std::unique_ptr<TStringList> TagLineList;
    std::unique_ptr<TStringList> RemoveList;
    std::unique_ptr<TStringList> BatchList;
    String FirstActivation;
    String KeywordsTabNotice;
    String OptionsTabNotice;
    // This copy found another one running and was refused: it saves no
    // settings and starts nothing.
    bool RefusedCopy = false;
    // FormCreate has run: only then is there anything to save.
    bool FormCreated = false;

    // The page-head engine the window drives.
    TTagReader TagReader;
    TTagComposer TagComposer;
    TUpdateRun UpdateRun;

    // ---- start-up, activation, end ----
    void FormCreate(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormDestroy(TObject* Sender);
    void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void FormKeyUp(TObject* Sender, Word& Key, TShiftState Shift);
    void SpeedButton13Click(TObject* Sender);
    void StyOneInstance1Custom(TObject* Sender);

    // ---- settings ----
    void GetDefaults();
    void SetDefaults();
    void getpolicy();
    // Shows the steps the settings ask for; the Update step always shows.
    void ApplyTabVisibility();

    // ---- erasing and navigation ----
    void SpeedButton8Click(TObject* Sender);
    void SpeedButton7Click(TObject* Sender);
    void savekeywdsClick(TObject* Sender);
    void SaveOptClick(TObject* Sender);
    void SpeedButton11Click(TObject* Sender);
    void SpeedButton10Click(TObject* Sender);
    void N1KeyWordsandDescription1Click(TObject* Sender);
    void N2WebPageOptions1Click(TObject* Sender);
    void N3ValidateandUpdateMetaTags1Click(TObject* Sender);
    void CustomMetaTags1Click(TObject* Sender);
    void PageControl1Change(TObject* Sender);
    void TitleBoxExit(TObject* Sender);
    // The character counters follow every change of their memo.
    void edit22Change(TObject* Sender);
    void edit1Change(TObject* Sender);
    void rblankMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    // ---- help ----
    void Contents1Click(TObject* Sender);
    void button14Click(TObject* Sender);
    void Button12Click(TObject* Sender);
    void SpeedButton9Click(TObject* Sender);
    void Button17Click(TObject* Sender);
    void HelpforCurrentPage1Click(TObject* Sender);
    void MetaTagsSupportedbyVelmor1Click(TObject* Sender);
    void UsingKeyWordsEffectively1Click(TObject* Sender);
    void WebPromotionFAQS1Click(TObject* Sender);
    void GettingSupport1Click(TObject* Sender);
    void OrderingtheSoftware1Click(TObject* Sender);

    // ---- page selection ----
    void LFILE();
    void SpeedButton2Click(TObject* Sender);
    void Close1Click(TObject* Sender);
    void BtnBlankButtonClick(TObject* Sender);
    int ListFiles(const String& folder, const String& extension, TStrings* target);

    // ---- reading, composing, writing ----
    bool xread();
    void SpeedButton14Click(TObject* Sender);
    void TabSheet5Enter(TObject* Sender);
    void Button34Click(TObject* Sender);

    // ---- the custom step's view options ----
    void CheckBox2Click(TObject* Sender);
    void CheckBox3Click(TObject* Sender);
    void CheckBox4Click(TObject* Sender);
    void grid1CanEditCell(TObject* Sender, int ARow, int ACol, bool& Value);

    // The field values as the engine takes them, and back.
    TMetaFields CollectFields() const;
    void ApplyFields(const TMetaFields& fields);
    // The control that holds a META field, by the name its row gives.
    TControl* FieldControl(const TMetaFieldRow& row) const;
    std::vector<TTokenRow> TokenMap() const;
    // Loads the nine lookup lists; each list that fails shows its message.
    void LoadLookupLists();
    // Loads a schema into the custom grid and its field definitions; a
    // schema that cannot be loaded is named in one message and leaves the
    // custom grid empty. False then.
    bool LoadSchema(const String& name);
    void LoadTokenMap();

    // ---- custom fields and schemas (Form1Schemas.cpp) ----
    void scnameClick(TObject* Sender);
    // The custom grid's heading row: a schema file brings its own, and a
    // grid left without one (no schema, or one that failed to load) shows
    // "Tag Name" and "Value".
    void KeepCustomHeadings();
    void button38Click(TObject* Sender);
    void SpeedButton6Click(TObject* Sender);
    void TbToolbarButton23Click(TObject* Sender);
    void minusbClick(TObject* Sender);
    void grid1GetEditorType(TObject* Sender, int aCol, int aRow, TEditorType& aEditor);
    void CustomFieldEditor1Click(TObject* Sender);
    // Empties cgrid and loads the field definitions of schema `name` when
    // it has any; definitions that cannot be read leave cgrid empty, so
    // every value simply gets the plain editor.
    void LoadFieldDefinitions(const String& name);
    // The custom step's editing and commands, wired by the constructor.
    void WireSchemas();

    // ---- tag analysis and display (Form1Analysis.cpp) ----
    void SpeedButton3Click(TObject* Sender);
    void ckkeyClick(TObject* Sender);
    void TbToolbarButton1Click(TObject* Sender);
    void copytgClick(TObject* Sender);
    void WireAnalysis();

    // ---- keyword generation (Form1Keywords.cpp) ----
    TTbToolbarButton* kwgen = nullptr;  // "Keywords" on step 1
    void kwgenClick(TObject* Sender);
    void BatchKeywordGeneration1Click(TObject* Sender);
    // Places the "Keywords" button on step 1 and wires both commands.
    void WireKeywords();

    // ---- lookup lists, list files and subject trees (Form1Lists.cpp) ----
    TTbToolbar* keylistbar = nullptr;    // open, save, add for the keywords
    TTbToolbarButton* open1 = nullptr;
    TTbToolbarButton* save1 = nullptr;
    TTbToolbarButton* add1 = nullptr;
    TTbToolbar* desclistbar = nullptr;   // the same for the description
    TTbToolbarButton* open2 = nullptr;
    TTbToolbarButton* save2 = nullptr;
    TTbToolbarButton* add2 = nullptr;
    TOpenDialog* openme = nullptr;
    class TSaveDialog* saveme = nullptr;
    TMemo* addwds = nullptr;             // the buffer of the add commands
    class TButton* stms = nullptr;       // "Edit Subject List"
    class TButton* Button2 = nullptr;    // "...": the Subject Selector
    void TbToolbarButton11Click(TObject* Sender);
    void Edit7Exit(TObject* Sender);
    void Edit2Exit(TObject* Sender);
    void edit3Exit(TObject* Sender);
    void ratingExit(TObject* Sender);
    void sbotsExit(TObject* Sender);
    void edit5Exit(TObject* Sender);
    void edit12Exit(TObject* Sender);
    void Edit4Exit(TObject* Sender);
    void ComboBox1Exit(TObject* Sender);
    // Adds the combo's text to its items and writes them to the list file
    // when `llist` is "1" and the items do not hold the text yet.
    void CaptureLookupValue(TComboBox* combo, const String& listFile);
    void open1Click(TObject* Sender);
    void save1Click(TObject* Sender);
    void add1Click(TObject* Sender);
    void open2Click(TObject* Sender);
    void save2Click(TObject* Sender);
    void add2Click(TObject* Sender);
    void edit22Exit(TObject* Sender);
    void edit1Exit(TObject* Sender);
    void stmsClick(TObject* Sender);
    void Button2Click(TObject* Sender);
    // Places the list buttons, dialogs and subject buttons and wires them.
    void WireLists();

    // ---- settings windows (Form1Settings.cpp) and profiles (Form1Profiles.cpp) ----
    void Settings1Click(TObject* Sender);
    void SpeedButton12Click(TObject* Sender);
    // What the System Settings window left in memory takes effect (tag
    // name captions, steps, token map) and is saved.
    void ApplySettings();
    void WireSettings();
    TTbToolbarButton* ebut = nullptr;     // "Import Profile", on step 2
    TTbToolbarButton* profile = nullptr;  // "Export Profile", on step 2
    TOpenDialog* imp = nullptr;
    class TSaveDialog* exp = nullptr;
    void profileClick(TObject* Sender);
    void ebutClick(TObject* Sender);
    void WireProfiles();

    // ---- field tools: spell check, thesaurus, bulletin editor (Form1FieldTools.cpp) ----
    class TSpellChecker* SpellVelmor = nullptr;
    TTbToolbar* keytoolbar = nullptr;           // beside the keywords
    TTbToolbarButton* SpeedButton4 = nullptr;   // "&Keywords": spell check
    TTbToolbarButton* SpeedButton17 = nullptr;  // "Thesaurus"
    TTbToolbar* desctoolbar = nullptr;          // beside the description
    TTbToolbarButton* SpeedButton5 = nullptr;   // "Description": spell check
    TTbToolbarButton* SpeedButton18 = nullptr;  // "Thesaurus"
    class TButton* Button1 = nullptr;           // "..." beside the bulletin text
    void SpeedButton4Click(TObject* Sender);
    void SpeedButton5Click(TObject* Sender);
    void SpeedButton17Click(TObject* Sender);
    void SpeedButton18Click(TObject* Sender);
    void Button1Click(TObject* Sender);
    void SpellCheckField(TMemo* field);
    void ThesaurusOnField(TMemo* field);
    void WireFieldTools();

    // ---- date pickers and the About window (Form1DateAbout.cpp) ----
    class TStyCalendarDlg* date1 = nullptr;
    class TButton* d1 = nullptr;  // beside the bulletin date
    class TButton* d2 = nullptr;  // beside the expiry date
    void d1Click(TObject* Sender);
    void d2Click(TObject* Sender);
    void About1Click(TObject* Sender);
    void SpeedButton1Click(TObject* Sender);
    void WireDateAbout();

    // ---- internet update (Form1Internet.cpp) ----
    void InternetUpdate1Click(TObject* Sender);
    void WireInternet();

private:
    void BuildStep1();
    void BuildStep2();
    void BuildStep3();
    void BuildStep4();
    void BuildHidden();
    void BuildMenu();
    void Wire();
    void Selection(bool erase);
    void ApplyTagNameLabels();
    void ShowLengths();
    void Autocorrect();
    bool GoToFirstVisible(std::initializer_list<TTabSheet*> pages);
    void SetRunning(bool active);
    // Page selection reloads what may have changed on disk since start-up:
    // the schema's field definitions and the token map; the grid's cells
    // and the user's unsaved choices stay.
    void ReloadSchemaSupport();
};

// The main window of the running program.
extern TForm1* Form1;

namespace MainTexts {
inline constexpr const char* SCouldNotStart = "An Error has occurred, Velmor could not Start.";
inline constexpr const char* SAlreadyRunning = "A copy of Velmor is already running";
inline constexpr const char* STitleRemove =
    "Title is not a metatag and the remove functionality will not work on it";
inline constexpr const char* SRemoveWarning =
    "By selecting this checkbox, all fields with the value of 'remove' will be removed from the "
    "document. No values will be added.";
inline constexpr const char* SKeywordsTabNotice =
    "To use this option you must set the Keywords tab to be visible in the settings dialog";
inline constexpr const char* SOptionsTabNotice =
    "To use this option you must set the Options tab to be visible in the settings dialog";
inline constexpr const char* SSchemaNotLoaded = "The custom schema \"%s\" could not be loaded:\r\n%s";
inline constexpr const char* SHelpFile = "velmor40.HLP";
}  // namespace MainTexts

namespace SchemaTexts {
inline constexpr const char* SNoSchemaName = "You must specify a name to save the schema";
inline constexpr const char* SSchemaSaved = "Schema: %s saved successfully";
inline constexpr const char* SDeletePattern = "%s %s %s?";
inline constexpr const char* SDeleteQuestion = "Do you really want to delete the schema: ";
inline constexpr const char* SDeleteWarning = "\r\rThis cannot be undone!";
inline constexpr const char* SDeleteContinue = "  Continue";
// A schema is a file in the schemas folder; a name that reaches elsewhere
// would write or delete outside it.
inline constexpr const char* SBadSchemaName = "A schema name cannot contain \\, / or ..";
inline constexpr const char* SNotDeleted = "The schema file could not be deleted: ";
inline constexpr const char* STokenMapName = "gilsmask";
inline constexpr const char* SDropDown = "DropDown";
inline constexpr const char* SDate = "Date";
}  // namespace SchemaTexts

// The help contexts of the window.
enum TMainHelpContext {
    hcContents = 0,
    hcMetaTags = 1,
    hcOptions = 3,
    hcUpdate = 4,
    hcKeywordsUsage = 5,
    hcKeywords = 6,
    hcCustom = 7,
    hcPromotionFAQ = 10,
    hcSupport = 15,
    hcOrdering = 19,
};
