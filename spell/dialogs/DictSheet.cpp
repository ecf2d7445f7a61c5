#include "spell/dialogs/DictSheet.h"

#include <algorithm>

#include "framework/classes/StringList.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckListBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Label.h"
#include "framework/controls/OpenDialog.h"
#include "framework/controls/Panel.h"
#include "framework/controls/SaveDialog.h"
#include "framework/controls/SpeedButton.h"
#include "framework/graphics/Bitmap.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "spell/dialogs/Languages.h"
#include "spell/dialogs/SpellGlyphs.h"
#include "spell/store/Configuration.h"
#include "spell/store/Dictionary.h"

namespace {
template <class T>
T* Make(TWinControl* parent, TComponent* owner) {
    T* c = new T(owner);
    c->SetParent(parent);
    return c;
}
String NameOnly(const String& path) { return ExtractFileName(path); }
}  // namespace

TDictSheet::TDictSheet(TComponent* owner, TPageControl* pageControl)
    : TConfigSheet(owner, pageControl), UpGlyph(LoadSpellGlyph("SP_UP")), DownGlyph(LoadSpellGlyph("SP_DOWN")) {
    SetCaption("Dictionaries");
    MainGroup = Make<TGroupBox>(Panel, this);
    MainGroup->SetCaption(" Main Dictionaries: ");
    MainList = Make<TCheckListBox>(MainGroup, this);
    MainList->SetItemHeight(14);
    MainList->HelpContext = 800;
    MainAdd = Make<TButton>(MainGroup, this);
    MainAdd->SetCaption("&Add");
    MainAdd->HelpContext = 801;
    MainRemove = Make<TButton>(MainGroup, this);
    MainRemove->SetCaption("&Remove");
    MainRemove->HelpContext = 802;
    MainUp = Make<TSpeedButton>(MainGroup, this);
    MainDown = Make<TSpeedButton>(MainGroup, this);
    UserGroup = Make<TGroupBox>(Panel, this);
    UserGroup->SetCaption(" User Dictionaries: ");
    UserList = Make<TCheckListBox>(UserGroup, this);
    UserList->SetItemHeight(14);
    UserList->HelpContext = 803;
    UserAdd = Make<TButton>(UserGroup, this);
    UserAdd->SetCaption("A&dd");
    UserAdd->HelpContext = 804;
    UserRemove = Make<TButton>(UserGroup, this);
    UserRemove->SetCaption("R&emove");
    UserRemove->HelpContext = 805;
    UserNew = Make<TButton>(UserGroup, this);
    UserNew->SetCaption("&New");
    UserNew->HelpContext = 806;
    UserUp = Make<TSpeedButton>(UserGroup, this);
    UserDown = Make<TSpeedButton>(UserGroup, this);
    for (TSpeedButton* b : {MainUp, UserUp}) b->SetGlyph(UpGlyph.get());
    for (TSpeedButton* b : {MainDown, UserDown}) b->SetGlyph(DownGlyph.get());
    AddToLabel = Make<TLabel>(UserGroup, this);
    AddToLabel->SetCaption("Add Words &To:");
    AddToCombo = Make<TComboBox>(UserGroup, this);
    AddToCombo->SetStyle(csDropDownList);
    AddToCombo->HelpContext = 807;
    AddToLabel->SetFocusControl(AddToCombo);

    MainList->OnClickCheck = [this](TObject*) { SyncChecks(); };
    UserList->OnClickCheck = [this](TObject*) { SyncChecks(); };
    MainUp->OnClick = [this](TObject*) { MoveMain(-1); };
    MainDown->OnClick = [this](TObject*) { MoveMain(1); };
    UserUp->OnClick = [this](TObject*) { MoveUser(-1); };
    UserDown->OnClick = [this](TObject*) { MoveUser(1); };
    MainAdd->OnClick = [this](TObject* s) { AddMainClick(s); };
    MainRemove->OnClick = [this](TObject* s) { RemoveMainClick(s); };
    UserAdd->OnClick = [this](TObject* s) { AddUserClick(s); };
    UserRemove->OnClick = [this](TObject* s) { RemoveUserClick(s); };
    UserNew->OnClick = [this](TObject* s) { NewUserClick(s); };
    AddToCombo->OnChange = [this](TObject*) {
        if (FFilling || !Configuration) return;
        Configuration->Dirty = true;
        const int i = AddToCombo->ItemIndex();
        if (i < 0) return;
        const String name = AddToCombo->Items()->Get(i);
        for (std::size_t k = 0; k < Configuration->UserDictionaries.size(); ++k)
            if (NameOnly(Configuration->UserDictionaries[k]->FileName) == name) {
                Configuration->UserIndex = static_cast<Integer>(k);
                break;
            }
    };
}

TDictSheet::~TDictSheet() { FAlive = false; }

String TDictSheet::Text(int index) const {
    if (!FModule || index < 0 || index >= FModule->Strings->Count()) return String();
    return FModule->Strings->Get(index);
}

void TDictSheet::LoadFrom(TConfiguration* configuration) {
    Configuration = configuration;
    FFilling = true;
    MainList->Items()->Clear();
    for (const auto& m : Configuration->MainDictionaries) MainList->Items()->Add(m->Description);
    for (std::size_t i = 0; i < Configuration->MainDictionaries.size(); ++i)
        MainList->SetChecked(static_cast<int>(i), Configuration->MainDictionaries[i]->Enabled);
    UserList->Items()->Clear();
    for (const auto& u : Configuration->UserDictionaries) UserList->Items()->Add(NameOnly(u->FileName));
    for (std::size_t i = 0; i < Configuration->UserDictionaries.size(); ++i)
        UserList->SetChecked(static_cast<int>(i), Configuration->UserDictionaries[i]->Enabled);
    FFilling = false;
    RefillCombo();
}

void TDictSheet::RefillCombo() {
    if (!Configuration) return;
    FFilling = true;
    const auto& users = Configuration->UserDictionaries;
    const TUser* remembered = Configuration->UserIndex >= 0 && Configuration->UserIndex < static_cast<Integer>(users.size())
                                  ? users[static_cast<std::size_t>(Configuration->UserIndex)].get()
                                  : nullptr;
    AddToCombo->Items()->Clear();
    std::vector<int> positions;
    int select = -1;
    for (std::size_t k = 0; k < users.size(); ++k) {
        const auto& u = users[k];
        if (!u->Enabled || AnsiLowerCase(ExtractFileExt(u->FileName)) != ".udt") continue;
        if (u.get() == remembered) select = static_cast<int>(positions.size());
        positions.push_back(static_cast<int>(k));
        AddToCombo->Items()->Add(NameOnly(u->FileName));
    }
    if (positions.empty()) {
        Configuration->UserIndex = -1;
    } else {
        if (select < 0) select = 0;
        AddToCombo->SetItemIndex(select);
        Configuration->UserIndex = positions[static_cast<std::size_t>(select)];
    }
    FFilling = false;
}

void TDictSheet::SyncChecks() {
    if (FFilling || !Configuration) return;
    for (int i = 0; i < MainList->Count() && i < static_cast<int>(Configuration->MainDictionaries.size()); ++i)
        if (MainList->Checked(i) != Configuration->MainDictionaries[static_cast<std::size_t>(i)]->Enabled) ToggleMain(i);
    for (int i = 0; i < UserList->Count() && i < static_cast<int>(Configuration->UserDictionaries.size()); ++i)
        if (UserList->Checked(i) != Configuration->UserDictionaries[static_cast<std::size_t>(i)]->Enabled) ToggleUser(i);
}

void TDictSheet::ToggleMain(int index) {
    if (!Configuration || index < 0 || index >= static_cast<int>(Configuration->MainDictionaries.size())) return;
    auto& m = *Configuration->MainDictionaries[static_cast<std::size_t>(index)];
    FFilling = true;
    if (!m.Enabled && !FileExists(m.FileName)) {
        MainList->SetChecked(index, false);
        FFilling = false;
        MessageDlg(m.FileName + "\r\n\r\n" + TLanguages::ConvertLineBreaks(Text(61)), mtInformation, mbOK, 0);
        return;
    }
    m.Enabled = !m.Enabled;
    MainList->SetChecked(index, m.Enabled);
    FFilling = false;
    Configuration->Dirty = true;
}

void TDictSheet::ToggleUser(int index) {
    if (!Configuration || index < 0 || index >= static_cast<int>(Configuration->UserDictionaries.size())) return;
    auto& u = *Configuration->UserDictionaries[static_cast<std::size_t>(index)];
    u.Enabled = !u.Enabled;
    FFilling = true;
    UserList->SetChecked(index, u.Enabled);
    FFilling = false;
    Configuration->Dirty = true;
    RefillCombo();
}

namespace {
template <class T>
bool MoveEntry(std::vector<std::unique_ptr<T>>& entries, TCheckListBox* list, int delta) {
    const int i = list->ItemIndex();
    const int j = i + delta;
    if (i < 0 || j < 0 || j >= static_cast<int>(entries.size()) || i >= static_cast<int>(entries.size())) return false;
    std::swap(entries[static_cast<std::size_t>(i)], entries[static_cast<std::size_t>(j)]);
    const String a = list->Items()->Get(i), b = list->Items()->Get(j);
    const bool ca = list->Checked(i), cb = list->Checked(j);
    list->Items()->Put(i, b);
    list->Items()->Put(j, a);
    list->SetChecked(i, cb);
    list->SetChecked(j, ca);
    list->SetItemIndex(j);
    return true;
}
}  // namespace

void TDictSheet::MoveMain(int delta) {
    FFilling = true;
    if (Configuration && MoveEntry(Configuration->MainDictionaries, MainList, delta)) Configuration->Dirty = true;
    FFilling = false;
}

void TDictSheet::MoveUser(int delta) {
    if (!Configuration) return;
    const TUser* current = Configuration->UserIndex >= 0 ? Configuration->UserDictionaries[static_cast<std::size_t>(Configuration->UserIndex)].get() : nullptr;
    FFilling = true;
    const bool moved = MoveEntry(Configuration->UserDictionaries, UserList, delta);
    FFilling = false;
    if (!moved) return;
    Configuration->Dirty = true;
    // UserIndex names a position; it follows its dictionary.
    for (std::size_t k = 0; k < Configuration->UserDictionaries.size(); ++k)
        if (Configuration->UserDictionaries[k].get() == current) Configuration->UserIndex = static_cast<Integer>(k);
    RefillCombo();
}

void TDictSheet::AddMainClick(TObject*) {
    if (!Configuration) return;
    TOpenDialog dialog(nullptr);
    dialog.DefaultExt = "dct";
    dialog.Filter = Text(54) + "|*.dct";
    dialog.Title = Text(55);
    dialog.Options = ofPathMustExist | ofFileMustExist | ofHideReadOnly;
    if (!dialog.Execute()) return;
    auto m = std::make_unique<TMain>(dialog.FileName, Configuration->MainDictionaries.empty(),
                                     TDictionary::ReadDescription(dialog.FileName));
    Configuration->MainDictionaries.push_back(std::move(m));
    const int row = static_cast<int>(Configuration->MainDictionaries.size()) - 1;
    FFilling = true;
    MainList->Items()->Add(Configuration->MainDictionaries.back()->Description);
    MainList->SetChecked(row, Configuration->MainDictionaries.back()->Enabled);
    MainList->SetItemIndex(row);
    FFilling = false;
    Configuration->Dirty = true;
}

void TDictSheet::AddUserClick(TObject*) {
    if (!Configuration) return;
    TOpenDialog dialog(nullptr);
    dialog.DefaultExt = "udt";
    dialog.Filter = Text(56) + "|*.udt;*.dic";
    dialog.Title = Text(57);
    dialog.Options = ofPathMustExist | ofFileMustExist | ofHideReadOnly;
    if (!dialog.Execute()) return;
    Configuration->UserDictionaries.push_back(
        std::make_unique<TUser>(dialog.FileName, Configuration->UserDictionaries.empty()));
    const int row = static_cast<int>(Configuration->UserDictionaries.size()) - 1;
    FFilling = true;
    UserList->Items()->Add(AnsiLowerCase(NameOnly(dialog.FileName)));
    UserList->SetChecked(row, Configuration->UserDictionaries.back()->Enabled);
    UserList->SetItemIndex(row);
    FFilling = false;
    Configuration->Dirty = true;
    RefillCombo();
}

namespace {
template <class T>
bool RemoveEntry(std::vector<std::unique_ptr<T>>& entries, TCheckListBox* list) {
    const int i = list->ItemIndex();
    if (i < 0 || i > 255 || i >= static_cast<int>(entries.size())) return false;
    entries.erase(entries.begin() + i);
    list->Items()->Delete(i);
    list->SetItemIndex(std::min(i, list->Count() - 1));
    return true;
}
}  // namespace

void TDictSheet::RemoveMainClick(TObject*) {
    FFilling = true;
    if (Configuration && RemoveEntry(Configuration->MainDictionaries, MainList)) Configuration->Dirty = true;
    FFilling = false;
}

void TDictSheet::RemoveUserClick(TObject*) {
    if (!Configuration) return;
    const int removed = UserList->ItemIndex();
    FFilling = true;
    const bool done = RemoveEntry(Configuration->UserDictionaries, UserList);
    FFilling = false;
    if (!done) return;
    Configuration->Dirty = true;
    // The positions after the removed row moved up by one; UserIndex goes
    // with its dictionary, or to none when that was the one removed.
    if (Configuration->UserIndex == removed)
        Configuration->UserIndex = -1;
    else if (Configuration->UserIndex > removed)
        --Configuration->UserIndex;
    RefillCombo();
}

void TDictSheet::NewUserClick(TObject*) {
    if (!Configuration) return;
    TSaveDialog dialog(nullptr);
    dialog.InitialDir = ExtractFilePath(Configuration->FileName);
    dialog.Title = Text(59);
    dialog.DefaultExt = "udt";
    dialog.Filter = Text(58) + "|*.udt";
    dialog.Options = ofOverwritePrompt | ofCreatePrompt | ofPathMustExist | ofNoReadOnlyReturn | ofHideReadOnly;
    if (!dialog.Execute()) return;
    Configuration->UserDictionaries.push_back(std::make_unique<TUser>(dialog.FileName, false));
    const int row = static_cast<int>(Configuration->UserDictionaries.size()) - 1;
    FFilling = true;
    UserList->Items()->Add(AnsiLowerCase(NameOnly(dialog.FileName)));
    UserList->SetChecked(row, false);
    UserList->SetItemIndex(row);
    FFilling = false;
    Configuration->Dirty = true;
    RefillCombo();
}

void TDictSheet::SetLanguage(TLanguageModule* module) {
    FModule = module;
    SetCaption(Text(23));
    MainGroup->SetCaption(Text(27));
    UserGroup->SetCaption(Text(30));
    int w = 61;
    String caption;
    MeasureCaption(Text(28), w, caption);
    MainAdd->SetCaption(caption);
    MeasureCaption(Text(29), w, caption);
    MainRemove->SetCaption(caption);
    MeasureCaption(Text(31), w, caption);
    UserAdd->SetCaption(caption);
    MeasureCaption(Text(32), w, caption);
    UserRemove->SetCaption(caption);
    MeasureCaption(Text(33), w, caption);
    UserNew->SetCaption(caption);
    ButtonWidth = w + 4;
    AddToLabel->SetCaption(Text(34));
    int labelWidth = 0;
    MeasureCaption(Text(34), labelWidth, caption);
    ComboLeft = std::max(96, AddToLabel->Left() + labelWidth + 3);
    ArrangeControls();
}

void TDictSheet::ArrangeControls() {
    const int pw = Panel->ClientWidth(), ph = Panel->ClientHeight();
    const int b = ButtonWidth;
    MainGroup->SetBounds(8, 8, pw - 16, ph / 2 - 17);
    const int gw = MainGroup->Width(), gh = MainGroup->Height();
    MainList->SetBounds(40, 16, gw - b - 55, gh - 24);
    MainAdd->SetBounds(gw - b - 8, 16, b, 23);
    MainRemove->SetBounds(gw - b - 8, 40, b, 23);
    MainUp->SetBounds(8, 16, 23, 23);
    MainDown->SetBounds(8, 40, 23, 23);
    UserGroup->SetBounds(8, MainGroup->Top() + gh + 8, pw - 16, ph - gh - 24);
    const int uh = UserGroup->Height();
    UserList->SetBounds(40, 16, MainList->Width(), uh - 51);
    UserAdd->SetBounds(MainAdd->Left(), 16, b, 23);
    UserRemove->SetBounds(MainAdd->Left(), 40, b, 23);
    UserNew->SetBounds(MainAdd->Left(), 64, b, 23);
    UserUp->SetBounds(8, 16, 23, 23);
    UserDown->SetBounds(8, 40, 23, 23);
    AddToCombo->SetBounds(ComboLeft, uh - 29, UserList->Width() - ComboLeft + 40, 21);
    AddToLabel->SetBounds(8, uh - 25, AddToLabel->Width(), AddToLabel->Height());
}
