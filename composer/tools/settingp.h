#pragma once
// The System Settings window: the tag names of the four special fields,
// wizard captions, tokens, XHTML tags, lookup-list capture, autocorrect and
// the step pages to show. It works on the setting strings held in memory;
// the main window applies and saves them once the window has closed.
#include "framework/controls/Form.h"

class TCheckBox;
class TEdit;
class TGroupBox;
class TLabel;
class TTbToolbar;
class TTbToolbarButton;

class Tsettingp : public TForm {
public:
    explicit Tsettingp(TComponent* owner);
    String ClassName() const override { return "Tsettingp"; }

    TTbToolbar* TbToolbar1;
    TTbToolbarButton* TbToolbarButton4;  // "Load Defaults"
    TTbToolbarButton* TbToolbarButton2;  // "Cancel"
    TTbToolbarButton* TbToolbarButton1;  // "Update"
    TTbToolbarButton* TbToolbarButton3;  // "Help"

    TGroupBox* GroupBox1;  // " Special meta tag settings "
    TLabel* Label1;
    TEdit* Edit1;          // lname
    TLabel* Label2;
    TEdit* Edit2;          // clasname
    TLabel* Label3;
    TEdit* Edit3;          // aname
    TLabel* Label4;
    TEdit* Edit4;          // catstr
    TCheckBox* CheckBox2;  // cwn
    TCheckBox* tokenselect;
    TCheckBox* usexhtml;

    TGroupBox* GroupBox4;  // "Pages to show"
    TCheckBox* CheckBox4;  // sskey
    TCheckBox* CheckBox5;  // ssopt
    TCheckBox* CheckBox6;  // sscust

    TGroupBox* GroupBox2;  // " Lookup list auto save settings "
    TCheckBox* CheckBox1;  // llist
    TLabel* Label5;        // what the lookup list setting does

    TGroupBox* GroupBox3;  // " Autocorrect "
    TCheckBox* akey;
    TCheckBox* adesc;
    TLabel* Label6;        // what autocorrect does

    void FormCreate(TObject* Sender);
    void TbToolbarButton1Click(TObject* Sender);
    void TbToolbarButton2Click(TObject* Sender);
    void TbToolbarButton3Click(TObject* Sender);
    void TbToolbarButton4Click(TObject* Sender);
};

namespace SettingsTexts {
inline constexpr const char* SCaption = "Velmor System Settings";
inline constexpr const char* SNoPageShown = "At least one metadata page must be shown";
inline constexpr const char* SUpdated = "Velmor Settings Updated";
inline constexpr const char* SDefaultsRestored = "Default values restored";
inline constexpr const char* SLookupInfo =
    "The lookup list settings allows\r\nyou to instruct Velmor to\r\nautomatically add values to the "
    "\r\nVelmor drop down lists.";
inline constexpr const char* SAutocorrectInfo =
    "The autocorrect feature is used to\r\nremove carriage returns and line\r\nfeeds from existing "
    "meta data values\r\nthat may have been created by hand.";
// A tag name is written into every updated page between double quotes; a
// quote or an angle bracket in it would break the markup of those pages.
inline constexpr const char* SBadMetaName = "The %s cannot contain \", < or > or control characters.";
inline constexpr int HelpContextSettings = 2003;
}  // namespace SettingsTexts
