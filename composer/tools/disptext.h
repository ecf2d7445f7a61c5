#pragma once
// The internet update's text window: it shows the server's information
// text, and edits the list of known server paths, which only then offers
// "Save". Made once at start-up and reused.
#include "framework/controls/Form.h"

class TRichEdit;
class TTbToolbar;
class TTbToolbarButton;

class Tdisptext : public TForm {
public:
    explicit Tdisptext(TComponent* owner);
    ~Tdisptext() override;
    String ClassName() const override { return "Tdisptext"; }

    TTbToolbar* TbToolbar1;
    TTbToolbarButton* sbut;              // "Save": the server list only
    TTbToolbarButton* TbToolbarButton1;  // "Close"
    TTbToolbarButton* TbToolbarButton2;  // "Help"
    TRichEdit* RichEdit1;

    void sbutClick(TObject* Sender);
    void TbToolbarButton1Click(TObject* Sender);
    void TbToolbarButton2Click(TObject* Sender);

    // The server list beside the program, whatever the letter case of its
    // name.
    static String ServersFile();
};

// The window of the running program; made on first use when start-up did
// not make it (as in a test).
extern Tdisptext* disptext;
Tdisptext* TextWindow();

namespace DisptextTexts {
inline constexpr const char* SCaption = "Internet Update Message";
inline constexpr const char* SServersFile = "wbc/servers.txt";
inline constexpr const char* SServerFileUpdated = "Server File updated successfully";
inline constexpr const char* SServerFileFailed = "Server File update failed";
inline constexpr int HelpContextText = 2009;
}  // namespace DisptextTexts
