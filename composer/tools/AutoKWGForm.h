#pragma once
// The batch keyword generator: runs the keyword generator over a list of
// pages and merges the words it finds into each page's keywords tag,
// either all of the listed words or those the user ticks page by page.
#include <memory>

#include "composer/engine/KeywordsTag.h"
#include "framework/controls/Form.h"

class TEdit;
class TGroupBox;
class TKWGenForm;
class TLabel;
class TProgressBar;
class TRadioGroup;
class TSpeedButton;
class TStringList;
class TUpDown;

struct TBatchResult {
    int Total = 0;
    int Written = 0;
    int Skipped = 0;
};

class TAutoKWGForm : public TForm {
public:
    explicit TAutoKWGForm(TComponent* owner);
    ~TAutoKWGForm() override;
    String ClassName() const override { return "TAutoKWGForm"; }

    TGroupBox* GroupBox1;  // " Settings "
    TLabel* Label1;
    TEdit* CountEdit;
    TUpDown* UpDown2;
    TLabel* Label2;
    TLabel* Label3;
    TEdit* CharCountEdit;
    TLabel* Label4;
    TRadioGroup* OptRadioGroup;  // " Options "
    TProgressBar* ProgressBar1;
    TLabel* ProgressLabel;
    TSpeedButton* SpeedButton1;      // "&Execute"
    TSpeedButton* CloseSpeedButton;  // "&Close"
    TSpeedButton* SpeedButton3;      // "&Help"

    // The pages this run walks, in order.
    std::unique_ptr<TStringList> FileList;
    String CurrentPage;
    // The keywords tag of the current page: where its head's content
    // starts, where the tag is and how long.
    TKeywordsTag KeywordsTag;
    // What the last run did.
    TBatchResult LastResult;

    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void SpeedButton1Click(TObject* Sender);
    void CloseSpeedButtonClick(TObject* Sender);
    void SpeedButton3Click(TObject* Sender);
    void CountEditChange(TObject* Sender);

    void LoadBatchSettings();
    void SaveBatchSettings();

    // A run is under way: nothing may start another or close the window.
    bool Running() const { return FRunning; }

private:
    void ShowProgress(int done, int total, const String& page);
    bool FRunning = false;
};

// The batch generator the program creates at start-up.
extern TAutoKWGForm* AutoKWGForm;

namespace BatchTexts {
inline constexpr const char* SCaption = "Batch Keyword Generator";
inline constexpr const char* SOptionAutomatic = "&Automatically Update File's  Keywords Tag";
inline constexpr const char* SOptionView = "&View Before Updating File's  Keywords Tag";
inline constexpr const char* SNotWholeNumber = "Not a valid whole number";
inline constexpr const char* SNoWordCount = "You must look for at least one word.";
inline constexpr const char* SNoCharCount = "You must check at least one character.";
inline constexpr const char* STotal = "Total Files To Write Keywords Tags to : ";
inline constexpr const char* SWrote = "\rSuccessfully Wrote Keywords Tag to ";
inline constexpr const char* SNotWrote = "\rDid NOT write Keywords Tag to ";
inline constexpr const char* SFiles = " Files";
inline constexpr const char* SBodyCheckValue = "BodyChk";
inline constexpr const char* SDefaultCharCount = "1500";
inline constexpr int HelpContext = 509;
}  // namespace BatchTexts
