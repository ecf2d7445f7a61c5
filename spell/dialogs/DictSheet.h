#pragma once
// The Dictionaries page: main and user dictionaries with their enabled
// marks, their order, adding, removing and making user dictionaries, and
// the user dictionary that receives added words.
#include <memory>

#include "spell/dialogs/ConfigSheet.h"

class TGroupBox;
class TCheckListBox;
class TButton;
class TSpeedButton;
class TLabel;
class TComboBox;
class TBitmap;
class TConfiguration;
class TLanguageModule;
class TUser;

class TDictSheet : public TConfigSheet {
public:
    TDictSheet(TComponent* owner, TPageControl* pageControl);
    ~TDictSheet() override;
    String ClassName() const override { return "TDictSheet"; }

    void LoadFrom(TConfiguration* configuration);
    void SetLanguage(TLanguageModule* module);
    void ArrangeControls() override;
    // Fills the Add-Words-To box from the enabled ".udt" dictionaries and
    // keeps UserIndex on the one chosen there.
    void RefillCombo();

    // Toggling a row's mark, as a click on its box does.
    void ToggleMain(int index);
    void ToggleUser(int index);
    void MoveMain(int delta);
    void MoveUser(int delta);
    void AddMainClick(TObject* Sender);
    void RemoveMainClick(TObject* Sender);
    void AddUserClick(TObject* Sender);
    void RemoveUserClick(TObject* Sender);
    void NewUserClick(TObject* Sender);

    TConfiguration* Configuration = nullptr;
    TGroupBox* MainGroup;
    TCheckListBox* MainList;
    TButton* MainAdd;
    TButton* MainRemove;
    TSpeedButton* MainUp;
    TSpeedButton* MainDown;
    TGroupBox* UserGroup;
    TCheckListBox* UserList;
    TButton* UserAdd;
    TButton* UserRemove;
    TButton* UserNew;
    TSpeedButton* UserUp;
    TSpeedButton* UserDown;
    TLabel* AddToLabel;
    TComboBox* AddToCombo;
    std::unique_ptr<TBitmap> UpGlyph;
    std::unique_ptr<TBitmap> DownGlyph;
    int ButtonWidth = 65;
    int ComboLeft = 96;

private:
    String Text(int index) const;
    void SyncChecks();
    TLanguageModule* FModule = nullptr;
    bool FFilling = false;
};
