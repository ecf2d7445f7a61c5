#pragma once
// The Options page: one check box per visible option, in three groups,
// and the two buttons that forget the words ignored or changed throughout.
#include <vector>

#include "spell/dialogs/ConfigSheet.h"
#include "spell/store/SpellOptions.h"

class TGroupBox;
class TCheckBox;
class TButton;
class TStrings;
class TConfiguration;
class TLanguageModule;

class TSpellOptionsSheet : public TConfigSheet {
public:
    TSpellOptionsSheet(TComponent* owner, TPageControl* pageControl);
    ~TSpellOptionsSheet() override;
    String ClassName() const override { return "TSpellOptionsSheet"; }

    void SetConfiguration(TConfiguration* configuration) { Configuration = configuration; }
    void BuildOptions(TSpellOptions visibleOptions, TSpellOptions options, TStrings* ignoreList,
                      TStrings* changeList, int extra = 0);
    void SetLanguage(TLanguageModule* module);
    void ArrangeControls() override;
    int ContentHeight() const;
    int NeededWidth() const;
    // The check box of an option (tag 1 to 14), nullptr when not shown.
    TCheckBox* OptionBox(int tag) const;

    TConfiguration* Configuration = nullptr;
    TGroupBox* IgnoreGroup = nullptr;
    TGroupBox* SuggestionsGroup = nullptr;
    TGroupBox* GeneralGroup = nullptr;
    std::vector<TCheckBox*> IgnoreBoxes;
    std::vector<TCheckBox*> SuggestionBoxes;
    std::vector<TCheckBox*> GeneralBoxes;
    TButton* ResetIgnoreAll = nullptr;
    TButton* ResetChangeAll = nullptr;
    TSpellOptions VisibleOptions = 0;
    TSpellOptions Options = 0;
    TStrings* IgnoreList = nullptr;
    TStrings* ChangeList = nullptr;
    int Extra = 0;
    int ButtonWidth = 113;
    int IgnoreCaptionWidth = 162;
    int OtherCaptionWidth = 300;
};

// The option of a check box's tag (1: soUpcase ... 14: soUser4).
TSpellOption OptionOfTag(int tag);
