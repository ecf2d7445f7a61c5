#pragma once
// The Rule Base window: the length limits and required tags the tag
// analysis checks, and the body check count of the keyword generator.
// Unlike the System Settings window it reads and writes the store itself.
#include "framework/controls/Form.h"

class TCheckBox;
class TEdit;
class TGroupBox;
class TLabel;
class TMemo;
class TTbToolbar;
class TTbToolbarButton;

class Tpoledit : public TForm {
public:
    explicit Tpoledit(TComponent* owner);
    ~Tpoledit() override;
    String ClassName() const override { return "Tpoledit"; }

    TGroupBox* GroupBox1;  // " Character Checks "
    TLabel* Label1;
    TEdit* Edit1;          // keywords
    TLabel* Label4;        // "1000"
    TLabel* Label2;
    TEdit* Edit2;          // description
    TLabel* Label5;        // "200"
    TLabel* Label3;
    TEdit* Edit3;          // BodyChk
    TLabel* Label6;        // "7500"
    TMemo* Memo1;

    TGroupBox* GroupBox2;  // " Required Fields "
    TCheckBox* CheckBox1;  // revisit
    TCheckBox* CheckBox2;  // copyright
    TCheckBox* CheckBox3;  // robots
    TMemo* Memo2;

    TTbToolbar* TbToolbar1;
    TTbToolbarButton* TbToolbarButton4;  // "Update Values"
    TTbToolbarButton* TbToolbarButton5;  // "Exit Rule Base"
    TTbToolbarButton* TbToolbarButton6;  // "Help"

    void FormCreate(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button3Click(TObject* Sender);

    // Fills the window from the store.
    void getdefaults();
    // Writes the window back, each value only where the store holds it.
    // False (after saying why) when nothing could be written.
    bool setdefaults();
};

// The rule base window made at start-up.
extern Tpoledit* poledit;

namespace RuleBaseTexts {
inline constexpr const char* SCaption = "Velmor\xC2\xAE - Rule Base";
inline constexpr const char* SUpdated = "Default Values Updated!";
inline constexpr const char* SLengthInfo =
    "These settings validate the length of the keywords and description META tags against "
    "values commonly accepted by search engines.";
inline constexpr const char* SRequiredInfo =
    "These settings validate that the fields for robot control and intellectual property are "
    "present.";
// A limit that is not a number would stop the tag analysis with a
// conversion error each time it runs.
inline constexpr const char* SNotANumber = "%s must be a whole number of characters.";
inline constexpr const char* SNotSaved = "The rule base could not be saved:\r\n%s";
inline constexpr const char* SNoStore = "the settings store cannot be opened";
inline constexpr int HelpContextRuleBase = 20;
}  // namespace RuleBaseTexts
