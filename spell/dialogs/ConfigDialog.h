#pragma once
// The spell configuration dialog: main and user dictionaries, the one that
// receives added words, and the checking options. It edits a copy of the
// engine's configuration and copies it back only on OK.
#include <memory>

#include "framework/controls/Form.h"
#include "spell/store/SpellOptions.h"

class TBitBtn;
class TButton;
class TPageControl;
class TStrings;
class TConfiguration;
class TLanguageModule;
class TDictSheet;
class TSpellOptionsSheet;

class TConfigDialog : public TForm {
public:
    TConfigDialog(TComponent* owner, TConfiguration* configuration);
    ~TConfigDialog() override;
    String ClassName() const override { return "TConfigDialog"; }

    // Either list may be nullptr; `extra` is kept for callers that pass it.
    void Setup(TSpellOptions visibleOptions, TStrings* ignoreList, TStrings* changeList, int extra = 0);
    void SetLanguage(TLanguageModule* module);
    bool Execute();

    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void HelpClick(TObject* Sender);

    TConfiguration* EngineConfiguration = nullptr;
    std::unique_ptr<TConfiguration> Working;
    TBitBtn* OKButton = nullptr;
    TBitBtn* CancelButton = nullptr;
    TButton* HelpButton = nullptr;
    TPageControl* PageControl = nullptr;
    TDictSheet* DictSheet = nullptr;
    TSpellOptionsSheet* OptionsSheet = nullptr;
    int HelpContext1 = 0;
    int HelpContext2 = 0;
    // The options page's two Reset buttons report here.
    TNotifyEvent OnResetIgnoreAll;
    TNotifyEvent OnResetChangeAll;

private:
    TLanguageModule* FModule = nullptr;
    bool FClosingByOK = false;
};
