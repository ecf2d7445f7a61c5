#pragma once
// The keyword generator: counts the words of a page's body, leaves out the
// noise words, and offers the most frequent ones to be added to the
// keywords tag or to the noise words. The main window opens it for the
// current page; the batch keyword generator drives one through the same
// operations for every page of its list.
#include <memory>

#include "framework/controls/Form.h"

class TButton;
class TEdit;
class TGroupBox;
class TLabel;
class TListView;
class TMemo;
class TPageControl;
class TSpeedButton;
class TStringList;
class TStrings;
class TTabSheet;
class TUpDown;
class TickXMLp;

class TKWGenForm : public TForm {
public:
    explicit TKWGenForm(TComponent* owner);
    ~TKWGenForm() override;
    String ClassName() const override { return "TKWGenForm"; }

    TPageControl* PageControl1;
    TTabSheet* TabSheet1;  // "Keywords"
    TGroupBox* GroupBox1;
    TLabel* Label1;
    TListView* ListView1;
    TSpeedButton* SpeedButton1;  // "Add Checked to Keywords"
    TSpeedButton* SpeedButton3;  // "Add Checked to Noise Words"
    TSpeedButton* SpeedButton2;  // "Refresh List"
    TTabSheet* TabSheet2;  // "Setup"
    TLabel* Label2;
    TEdit* Edit1;
    TUpDown* UpDown1;
    TLabel* Label3;
    TLabel* Label4;
    TMemo* nwMemo;
    TSpeedButton* SpeedButton4;  // "Load Noise Words"
    TSpeedButton* SpeedButton5;  // "Save Noise Words"
    TButton* Button1;  // "&Close"
    TButton* Button2;  // "&Help"
    TickXMLp* Parser;

    // ---- the window's state ----
    String PageFile;
    String ProgramFolder;
    int TopCount = 25;
    int BodyCheckLength = 5000;
    std::unique_ptr<TStringList> WordList;
    std::unique_ptr<TStringList> CountList;
    std::unique_ptr<TStringList> NoiseWords;
    std::unique_ptr<TStringList> ChosenWords;
    int FilteredWordCount = 0;
    // The work areas: the page, its body span, and the plain text the
    // parser gave, one text run a line.
    String PageText;
    String BodyText;
    String PlainText;

    // ---- what other windows use ----
    void GenerateForFile(const String& page);
    int ChosenWordCount() const;
    void SetTopCount(int value);
    int ChooseAllListed();

    // ---- the steps of a generation ----
    void LoadBodyText();
    void ParseBodyText();
    void CountWords();
    // The noise-word file beside the program.
    String NoiseWordFile() const;
    void LoadNoiseWords();
    void SaveNoiseWords();

    void LoadGeneratorSettings();
    void SaveGeneratorSettings();

    // ---- handlers ----
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Edit1Change(TObject* Sender);
    void SpeedButton1Click(TObject* Sender);
    void SpeedButton3Click(TObject* Sender);
    void SpeedButton2Click(TObject* Sender);
    void SpeedButton4Click(TObject* Sender);
    void SpeedButton5Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void ParserBeginElement(TObject* Sender, const String& Name);
    void ParserEndElement(TObject* Sender, const String& Name);
    void ParserText(TObject* Sender, const String& Text);
    void ParserEvalEntity(TObject* Sender, const String& Entity, String& Value);

private:
    void ShowTopCaption();
    // Adds the checked words of the list that `list` lacks (in any letter
    // case) to it, takes every checked word off the list view and says how
    // many were added.
    int MoveCheckedWords(TStrings* list);
    // Script and style blocks hold program text, not words of the page.
    int FSkipDepth = 0;
};

// The generator the program creates at start-up.
extern TKWGenForm* KWGenForm;

namespace KeywordTexts {
inline constexpr const char* SCaption = "Velmor keyword generator";
inline constexpr const char* SCaptionPrefix = "Velmor keyword generator - ";
inline constexpr const char* STopCaption = "These are the top %d word occurences in the active file";
inline constexpr const char* SNoBody = "Body or FrameSet tag not found, cannot generate keywords";
inline constexpr const char* SNoWords =
    "No unique words were found in the number of characters that you specified in the body check "
    "count, go to 'Special | Tag Analysis Settings' to change settings if you wish.";
inline constexpr const char* SKeywordsAdded = "Keywords words were added to the keywords tag";
inline constexpr const char* SNoKeywordsAdded = "No words were added to the keywords tag";
inline constexpr const char* SNoiseAdded = "Words were added to the Noise Words list.";
inline constexpr const char* SNoNoiseAdded = "No words were added to the Noise Words list.";
inline constexpr const char* SNoiseModified =
    "Noise Words have been modified.\rOverwrite these values with the saved ones?";
inline constexpr const char* SNoiseFile = "srexclude.txt";
inline constexpr const char* SCountValue = "kwgcount";
inline constexpr int DefaultTopCount = 25;
inline constexpr int HelpContext = 26;
}  // namespace KeywordTexts
