#include "spell/engine/SpellChecker.h"

#include <algorithm>
#include <random>

#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/Button.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/RichEdit.h"
#include "framework/controls/Screen.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/ProgramFolder.h"
#include "spell/dialogs/ConfigDialog.h"
#include "spell/dialogs/DialogControl.h"
#include "spell/dialogs/Languages.h"
#include "spell/dialogs/SpellCheckerDialog.h"
#include "spell/parsers/Parser.h"
#include "spell/parsers/ParserFactory.h"
#include "spell/store/Configuration.h"
#include "spell/store/Dictionary.h"
#include "spell/store/SuggestionWalk.h"
#include "spell/store/TrieLookupList.h"
#include "spell/store/UserDictionary.h"

namespace {
// Posted to the engine's hidden window: carry out a dialog action that
// arrived while suggestions were being made.
constexpr UINT WM_SPELL_ACTION = WM_USER + 0x0101;

std::vector<String> SplitAffixes(const String& list) {
    std::vector<String> out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = list.find(';', from);
        const String item = list.substr(from, at == String::npos ? String::npos : at - from);
        if (!item.empty()) out.push_back(item);
        if (at == String::npos) break;
        from = at + 1;
    }
    return out;
}
int IndexOfText(const TStrings* list, const String& s) {
    for (int i = 0; i < list->Count(); ++i)
        if (AnsiSameText(list->Get(i), s)) return i;
    return -1;
}
}  // namespace

TSpellChecker::TSpellChecker(TComponent* owner)
    : TComponent(owner),
      IgnoreAllWords(std::make_unique<TStringList>()),
      ChangeAllWords(std::make_unique<TStringList>()),
      ChangeAllReplacements(std::make_unique<TStringList>()),
      KnownWords(std::make_unique<TTrieStringList>()),
      ChangeAllMap(std::make_unique<TTrieLookupList>()),
      AutoCorrectMap(std::make_unique<TTrieLookupList>()),
      FLanguages(std::make_unique<TLanguages>()),
      FAlive(std::make_shared<bool>(true)) {
    ChangeAllWords->Duplicates = dupAccept;
    ChangeAllReplacements->Duplicates = dupAccept;
    IgnoreAllWords->Duplicates = dupAccept;
    FSuggestions = std::make_unique<TStringList>();
    FSuggestions->Duplicates = dupAccept;
}

TSpellChecker::~TSpellChecker() {
    *FAlive = false;
    FParser.reset();
    if (FDialogForm && FDialogCreated) {
        TForm* f = FDialogForm;
        FDialogForm = nullptr;
        FDialogControl = nullptr;
        delete f;
    }
    if (FActionWindow) DeallocateHWnd(FActionWindow);
    for (auto& u : UserDictionaries) SaveUserDictionary(*u, false);
    UserDictionaries.clear();
    MainDictionaries.clear();
    FConfiguration.reset();
}

void TSpellChecker::Loaded() {
    TComponent::Loaded();
    LoadConfiguration();
}

void TSpellChecker::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    std::erase_if(FListeners, [component](const auto& l) { return l.first == component; });
    if (component == FDialogForm) {
        FDialogForm = nullptr;
        FDialogControl = nullptr;
    }
    if (component == FCheckedControl) FCheckedControl = nullptr;
    for (std::size_t i = 0; i < FRegisteredControls.size(); ++i)
        if (FRegisteredControls[i] == component) FRegisteredControls[i] = nullptr;
}

// --- properties -------------------------------------------------------------

namespace {
bool Settling(const TComponent& c) { return c.HasState(csLoading) || c.HasState(csDesigning); }
}  // namespace

void TSpellChecker::SetConfigInAppDir(bool v) {
    if (v == FConfigInAppDir) return;
    FConfigInAppDir = v;
    if (!Settling(*this)) LoadConfiguration();
}

void TSpellChecker::SetConfigFileName(const String& v) {
    if (v == FConfigFileName) return;
    FConfigFileName = v;
    if (!Settling(*this)) LoadConfiguration();
}

void TSpellChecker::SetConfigKey(const String& v) {
    if (v == FConfigKey) return;
    FConfigKey = v;
    if (!Settling(*this)) LoadConfiguration();
}

void TSpellChecker::SetConfigAvailable(bool v) {
    FConfigAvailable = v;
    EnableAction(daOptions, v);
}

void TSpellChecker::SetAlwaysActive(bool v) {
    if (v == FAlwaysActive) return;
    FAlwaysActive = v;
    if (Settling(*this)) return;
    if (v && !Active) OpenDictionaries();
    if (!v && Active && !Checking) CloseDictionaries();
}

void TSpellChecker::SetMaxSuggestions(Integer v) {
    FMaxSuggestions = v;
    for (auto& d : MainDictionaries) d->SuggestionLimit = v;
}

void TSpellChecker::SetMaxUndo(Integer v) {
    FMaxUndo = v;
    if (FParser) FParser->MaxUndo = v;
}

void TSpellChecker::SetDefaultMain(const String& v) {
    FDefaultMain = v;
    if (FConfiguration) FConfiguration->DefaultMain = v;
}

void TSpellChecker::SetDefaultUser(const String& v) {
    FDefaultUser = v;
    if (FConfiguration) FConfiguration->DefaultUser = v;
}

void TSpellChecker::SetDefaultOptions(TSpellOptions v) {
    FDefaultOptions = v;
    if (FConfiguration) FConfiguration->DefaultOptions = v;
}

void TSpellChecker::SetLanguageIndex(Integer v) {
    if (v < 0 || v >= FLanguages->ModuleCount()) return;
    FLanguageIndex = v;
}

TSpellOptions TSpellChecker::Options() const { return FConfiguration ? FConfiguration->Options : 0; }

String TSpellChecker::Text(int index) const { return FLanguages->Text(FLanguageIndex, index); }

// --- configuration and dictionaries ----------------------------------------------

void TSpellChecker::EnsureConfiguration() {
    if (!FConfiguration) LoadConfiguration();
}

void TSpellChecker::LoadConfiguration() {
    if (HasState(csDesigning)) return;
    String path = FConfigFileName;
    if (FConfigInAppDir) {
        path = PathJoin(ProgramFolder(), FConfigFileName);
        const String found = FindPathNoCase(path);
        if (!found.empty()) path = found;
    }
    FConfiguration.reset();
    try {
        FConfiguration = std::make_unique<TConfiguration>(path, FDefaultOptions, FDefaultUser, FDefaultMain, FConfigKey);
    } catch (const std::exception& e) {
        // An unreadable file leaves the checker with an empty configuration
        // it can still run on; the user hears why.
        MessageDlg(e.what(), mtError, mbOK, 0);
        FConfiguration = std::make_unique<TConfiguration>(String(), FDefaultOptions, FDefaultUser, FDefaultMain, FConfigKey);
    }
    ParseAffixLists();
    SyncDictionaries();
    if (FAlwaysActive) OpenDictionaries();
    ResetIgnoreAndChangeAll();
}

void TSpellChecker::ReportMissingDictionary(const String& path) {
    MessageDlg(Text(62) + "\r\n" + path, mtInformation, mbAbort, 0);
}

bool TSpellChecker::OpenMain(TDictionary& dictionary) {
    try {
        if (dictionary.Open()) return true;
        ReportMissingDictionary(dictionary.FileName);
    } catch (const std::exception& e) {
        MessageDlg(e.what(), mtError, mbOK, 0);
    }
    return false;
}

void TSpellChecker::SaveUserDictionary(TUserDictionary& dictionary, bool close) {
    try {
        if (close)
            dictionary.Close();
        else if (dictionary.Modified && !dictionary.ReadOnly)
            dictionary.Save();
    } catch (const std::exception& e) {
        // The words stay in memory; only the file could not take them.
        MessageDlg(e.what(), mtError, mbOK, 0);
        if (close) {
            dictionary.Modified = false;
            dictionary.Close();
        }
    }
}

void TSpellChecker::SyncDictionaries() {
    EnsureConfiguration();
    std::vector<std::unique_ptr<TUserDictionary>> users;
    CurrentUserDictionary = nullptr;
    const auto& entries = FConfiguration->UserDictionaries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto& entry = entries[i];
        if (!entry->Enabled) continue;
        auto it = std::find_if(UserDictionaries.begin(), UserDictionaries.end(),
                               [&](const auto& u) { return u && u->FileName == entry->FileName; });
        std::unique_ptr<TUserDictionary> u;
        if (it != UserDictionaries.end()) {
            u = std::move(*it);
            if (Active) u->LoadUserDictionary();
        } else {
            try {
                u = std::make_unique<TUserDictionary>(entry->FileName);
            } catch (const std::exception& e) {
                MessageDlg(e.what(), mtError, mbOK, 0);
                continue;
            }
        }
        // The current one is the entry at UserIndex, or the last enabled
        // one before it when that entry is disabled.
        if (static_cast<Integer>(i) <= FConfiguration->UserIndex) CurrentUserDictionary = u.get();
        users.push_back(std::move(u));
    }
    if (FConfiguration->UserIndex < 0) CurrentUserDictionary = nullptr;
    for (auto& old : UserDictionaries)
        if (old) SaveUserDictionary(*old, false);
    UserDictionaries = std::move(users);

    std::vector<std::unique_ptr<TDictionary>> mains;
    for (const auto& entry : FConfiguration->MainDictionaries) {
        if (!entry->Enabled) continue;
        auto it = std::find_if(MainDictionaries.begin(), MainDictionaries.end(),
                               [&](const auto& d) { return d && d->FileName == entry->FileName; });
        std::unique_ptr<TDictionary> d;
        if (it != MainDictionaries.end()) {
            d = std::move(*it);
        } else {
            d = std::make_unique<TDictionary>(entry->FileName);
            if (Active) OpenMain(*d);
        }
        d->SuggestionLimit = FMaxSuggestions;
        mains.push_back(std::move(d));
    }
    MainDictionaries = std::move(mains);
    RebuildTries();
}

void TSpellChecker::RebuildTries() {
    ChangeAllMap->Clear();
    AutoCorrectMap->Clear();
    KnownWords->Clear();
    for (const auto& u : UserDictionaries) {
        for (int i = 0; i < u->AutoCorrectWords->Count(); ++i) {
            ChangeAllMap->AddLookup(u->AutoCorrectWords->Get(i), u->AutoCorrectReplacements->Get(i));
            AutoCorrectMap->AddLookup(u->AutoCorrectWords->Get(i), u->AutoCorrectReplacements->Get(i));
        }
        for (int i = 0; i < u->Words->Count(); ++i) KnownWords->Add(u->Words->Get(i));
    }
    for (int i = 0; i < ChangeAllWords->Count(); ++i)
        ChangeAllMap->AddLookup(ChangeAllWords->Get(i), ChangeAllReplacements->Get(i));
    for (int i = 0; i < IgnoreAllWords->Count(); ++i) KnownWords->Add(IgnoreAllWords->Get(i));
}

void TSpellChecker::ResetIgnoreAndChangeAll() {
    IgnoreAllWords->Clear();
    ChangeAllWords->Clear();
    ChangeAllReplacements->Clear();
    RebuildTries();
}

void TSpellChecker::OpenDictionaries() {
    if (Active || HasState(csDesigning)) return;
    EnsureConfiguration();
    if (!MainDictionaries.empty()) {
        Active = true;
        for (auto& d : MainDictionaries) OpenMain(*d);
        for (auto& u : UserDictionaries) u->LoadUserDictionary();
        RebuildTries();
        return;
    }
    if (MessageDlg(TLanguages::ConvertLineBreaks(Text(60)), mtInformation, mbYes | mbNo, 0) == mrYes) {
        ShowConfigDialog();
        OpenDictionaries();
    }
}

void TSpellChecker::CloseDictionaries() {
    if (!Active || HasState(csDesigning) || FAlwaysActive) return;
    for (auto& d : MainDictionaries) d->Close();
    for (auto& u : UserDictionaries) SaveUserDictionary(*u, true);
    Active = false;
}

// --- words ------------------------------------------------------------------------

bool TSpellChecker::IsKnownWord(const String& word) {
    for (const auto& d : MainDictionaries)
        if (d->Lookup(word)) return true;
    return KnownWords->Find(word);
}

bool TSpellChecker::IsAcceptedWord(const String& word) {
    if (IsKnownWord(word)) return true;
    const String lower = GetLowerCase(word);
    if (lower != word && IsKnownWord(lower)) return true;
    const String stripped = StripAffixes(word);
    if (!stripped.empty() && stripped != word && IsKnownWord(stripped)) return true;
    const String strippedLower = StripAffixes(lower);
    return !strippedLower.empty() && strippedLower != lower && IsKnownWord(strippedLower);
}

void TSpellChecker::ParseAffixLists() {
    PrefixList = SplitAffixes(IgnorePrefix);
    SuffixList = SplitAffixes(IgnoreSuffix);
}

String TSpellChecker::StripAffixes(const String& word) const {
    String w = word;
    for (bool again = true; again && !w.empty();) {
        again = false;
        for (const String& p : PrefixList)
            if (w.compare(0, p.size(), p) == 0) {
                w.erase(0, p.size());
                again = true;
                break;
            }
    }
    for (bool again = true; again && !w.empty();) {
        again = false;
        for (const String& s : SuffixList) {
            const std::size_t at = w.find(s);
            if (at != String::npos && at + s.size() == w.size()) {
                w.erase(at);
                again = true;
                break;
            }
        }
    }
    return w;
}

String TSpellChecker::BuildAlphabet() const {
    String a;
    const auto addChars = [&a](const String& letters) {
        for (char c : letters)
            if (a.find(c) == String::npos) a += c;
    };
    for (const auto& d : MainDictionaries) addChars(d->LetterSet);
    addChars(Text(2));
    return a;
}

String TSpellChecker::GetLowerCase(const String& word) {
    if (OnGetLowerCase) {
        String match = word;
        OnGetLowerCase(this, match, word);
        return match;
    }
    return LowerCase(word);
}

String TSpellChecker::GetUpperCase(const String& word) {
    if (OnGetUpperCase) {
        String match = word;
        OnGetUpperCase(this, match, word);
        return match;
    }
    return UpperCase(word);
}

void TSpellChecker::CopyCasePattern(String& target, const String& original) {
    if (LowerCase(original) == original) return;
    const std::size_t n = std::min(target.size(), original.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (original[i] < 'A' || original[i] > 'Z') continue;
        if (target[i] >= 'a' && target[i] <= 'z') target[i] = static_cast<char>(target[i] - 'a' + 'A');
        if (i + 1 == original.size())
            for (std::size_t k = i + 1; k < target.size(); ++k)
                if (target[k] >= 'a' && target[k] <= 'z') target[k] = static_cast<char>(target[k] - 'a' + 'A');
    }
}

void TSpellChecker::MatchSuggestionCase(TStringList* list, const String& original) {
    list->SetSorted(false);
    for (int i = 0; i < list->Count(); ++i) {
        String entry = list->Get(i);
        if (LowerCase(entry) != entry) continue;
        if (OnMatchCase)
            OnMatchCase(this, entry, original);
        else
            CopyCasePattern(entry, original);
        list->Put(i, entry);
    }
    list->SetSorted(true);
}

void TSpellChecker::SuggestFromDictionaries(const String& word, TStrings* list) {
    TForm* form = FDialogForm;
    if (form && FDialogControl) TDialogControl::Fire(FDialogControl->OnSuggestStart, FDialogControl);
    if (form && DialogHourGlass) form->SetCursor(crHourGlass);
    for (auto& d : MainDictionaries) {
        d->SuggestFromDictionary(word, list);
        if (Options() & soPrimaryOnly) break;
    }
    if (FDialogForm && DialogHourGlass) FDialogForm->SetCursor(crDefault);
    if (FDialogForm && FDialogControl) TDialogControl::Fire(FDialogControl->OnSuggestEnd, FDialogControl);
}

void TSpellChecker::AddChangeAll(const String& word, const String& replacement) {
    ChangeAllWords->Add(word);
    ChangeAllReplacements->Add(replacement);
    ChangeAllMap->AddLookup(word, replacement);
}

void TSpellChecker::RemoveChangeAll(const String& word) {
    const int i = ChangeAllWords->IndexOf(word);
    if (i >= 0) {
        ChangeAllWords->Delete(i);
        ChangeAllReplacements->Delete(i);
    }
    ChangeAllMap->Delete(word);
}

void TSpellChecker::AddIgnoreAll(const String& word) {
    IgnoreAllWords->Add(word);
    KnownWords->Add(word);
}

void TSpellChecker::RemoveIgnoreAll(const String& word) {
    const int i = IgnoreAllWords->IndexOf(word);
    if (i >= 0) IgnoreAllWords->Delete(i);
    KnownWords->Delete(word);
}

void TSpellChecker::AddListener(TComponent* component, TUndoListener callback) {
    if (component) component->FreeNotification(this);
    FListeners.emplace_back(component, std::move(callback));
}

void TSpellChecker::NotifyListeners(int code, TUndo* undo) {
    const auto listeners = FListeners;
    for (const auto& l : listeners)
        if (l.second) l.second(this, code, undo);
}

void TSpellChecker::UndoRecorded(TParser*, void*, int, TUndo* undo) { NotifyListeners(1, undo); }

void TSpellChecker::Undone(TParser*, void*, int, TUndo* undo) { NotifyListeners(2, undo); }

// --- starting a check -----------------------------------------------------------

void TSpellChecker::ConfigureParser(TParser& parser) {
    const TSpellOptions o = Options();
    parser.SetSkipHTML((o & soHTML) != 0);
    parser.SkipInternet = (o & soInternet) != 0;
    parser.SkipQuoted = (o & soQuoted) != 0;
    // An empty list would make the Quoted Lines option do nothing at all;
    // the parser's own ">" stands in for it.
    if (!QuoteCharacters.empty()) parser.QuoteCharacters = QuoteCharacters;
    parser.SetWordCharacters(BuildAlphabet());
    if (parser.WordCharacters.empty()) parser.SetWordCharacters(DefaultWordCharacters);
    parser.MaxUndo = FMaxUndo;
    parser.OnUndoRecorded = [this](TParser* p, void* s, int a, TUndo* u) { UndoRecorded(p, s, a, u); };
    parser.OnUndone = [this](TParser* p, void* s, int a, TUndo* u) { Undone(p, s, a, u); };
}

void TSpellChecker::BeginCheck(std::unique_ptr<TParser> parser, TControl* control) {
    FParser = std::move(parser);
    FCheckedControl = control;
    if (control) control->FreeNotification(this);
}

void TSpellChecker::WaitForEnd() {
    if (!WaitForCompletion) return;
    const std::weak_ptr<bool> alive = FAlive;
    PumpMessagesUntil([&] { return alive.expired() || !*alive.lock() || !Checking; }, 0);
}

void TSpellChecker::CheckControl(std::unique_ptr<TParser> parser, TControl* control, TCheckMode mode, bool range,
                                 Integer start, Integer end) {
    if (Checking) return;
    Canceled = false;
    Checking = true;
    FDialogShown = false;
    OpenDictionaries();
    if (ResetCount) WordsChecked = 0;
    FRecheckCounted = false;
    CurrentWord.clear();
    if (!parser) parser = CreateParserForControl(control);
    if (!parser) {
        CloseDictionaries();
        Checking = false;
        return;
    }
    BeginCheck(std::move(parser), control);
    ConfigureParser(*FParser);
    ParseAffixLists();
    if (range) FParser->SetCheckRange(start, end);
    if (mode != cmWhole) FParser->StartAtSelection();
    if (mode == cmSelection) FParser->EndAtSelection();
    DialogPlaced = false;
    FParser->BeginCheck();
    try {
        RunCheckLoop();
    } catch (...) {
        // A check that failed on its way must not stay "running": no
        // later check could start.
        FInLoop = false;
        if (Checking) EndCheck(true);
        throw;
    }
    WaitForEnd();
}

void TSpellChecker::CheckText(std::unique_ptr<TParser> parser, bool range, Integer start, Integer end) {
    if (!parser) return;
    CheckControl(std::move(parser), nullptr, cmWhole, range, start, end);
}

void TSpellChecker::CheckWinControl(TControl* control) { CheckControl(nullptr, control, cmWhole); }
void TSpellChecker::CheckWinControlFromCaret(TControl* control) { CheckControl(nullptr, control, cmFromCaret); }
void TSpellChecker::CheckWinControlSelection(TControl* control) { CheckControl(nullptr, control, cmSelection); }

void TSpellChecker::CheckWithParser(std::unique_ptr<TParser> parser, TControl* control) {
    CheckControl(std::move(parser), control, cmWhole);
}
void TSpellChecker::CheckWithParserFromCaret(std::unique_ptr<TParser> parser, TControl* control) {
    CheckControl(std::move(parser), control, cmFromCaret);
}
void TSpellChecker::CheckWithParserSelection(std::unique_ptr<TParser> parser, TControl* control) {
    CheckControl(std::move(parser), control, cmSelection);
}

void TSpellChecker::CheckComponentTree(TComponent* component) {
    if (!component) return;
    const bool old = FAlwaysActive;
    SetAlwaysActive(true);
    const std::function<void(TComponent*)> walk = [&](TComponent* c) {
        if (auto* control = dynamic_cast<TControl*>(c)) CheckWinControl(control);
        for (int i = 0; i < c->ComponentCount() && !Canceled; ++i) walk(c->Components(i));
    };
    walk(component);
    SetAlwaysActive(old);
}

void TSpellChecker::RegisterControl(TControl* control) { RegisterParserControl(nullptr, control); }

void TSpellChecker::RegisterParserControl(std::unique_ptr<TParser> parser, TControl* control) {
    if (control) control->FreeNotification(this);
    FRegisteredParsers.push_back(std::move(parser));
    FRegisteredControls.push_back(control);
}

void TSpellChecker::CheckRegistered() {
    if (FRegisteredControls.size() < 2) return;
    const bool oldActive = FAlwaysActive;
    const TInitialPos oldPos = InitialPosition;
    const TEndMessage oldMessage = EndShowMessage;
    SetAlwaysActive(true);
    EndShowMessage = emNever;
    MultiCheck = true;
    auto parsers = std::move(FRegisteredParsers);
    auto controls = std::move(FRegisteredControls);
    FRegisteredParsers.clear();
    FRegisteredControls.clear();
    CheckControl(std::move(parsers[0]), controls[0], cmWhole);
    ResetCount = false;
    InitialPosition = ipIgnore;
    for (std::size_t i = 1; i < controls.size(); ++i) {
        if (Canceled) {
            if (!Checking && FDialogForm) {
                FDialogForm->Hide();
                FreeDialog();
            }
            break;
        }
        if (i + 1 == controls.size()) {
            MultiCheck = false;
            EndShowMessage = oldMessage;
        }
        CheckControl(std::move(parsers[i]), controls[i], cmWhole);
    }
    MultiCheck = false;
    // A run that never reached its last control still owes the dialog.
    if (!Checking && FDialogForm && Canceled) {
        FDialogForm->Hide();
        FreeDialog();
    }
    ResetCount = true;
    EndShowMessage = oldMessage;
    InitialPosition = oldPos;
    SetAlwaysActive(oldActive);
    if (!Checking) CloseDictionaries();
}

void TSpellChecker::CheckBuffer(char* buffer, std::size_t size) { CheckText(CreateParserByKind(0, buffer, size), false, 0, 0); }
void TSpellChecker::CheckBufferRange(char* buffer, std::size_t size, Integer start, Integer end) {
    CheckText(CreateParserByKind(0, buffer, size), true, start, end);
}
void TSpellChecker::CheckString(String& s) { CheckText(CreateParserByKind(1, &s), false, 0, 0); }
void TSpellChecker::CheckStringRange(String& s, Integer start, Integer end) {
    CheckText(CreateParserByKind(1, &s), true, start, end);
}
void TSpellChecker::CheckEdit(TCustomEdit* edit) { CheckControl(CreateParserByKind(4, static_cast<TObject*>(edit)), edit, cmWhole); }
void TSpellChecker::CheckEditRange(TCustomEdit* edit, Integer start, Integer end) {
    if (auto p = CreateParserByKind(4, static_cast<TObject*>(edit))) CheckControl(std::move(p), edit, cmWhole, true, start, end);
}
void TSpellChecker::CheckMemo(TCustomMemo* memo) { CheckControl(CreateParserByKind(5, static_cast<TObject*>(memo)), memo, cmWhole); }
void TSpellChecker::CheckMemoRange(TCustomMemo* memo, Integer start, Integer end) {
    if (auto p = CreateParserByKind(5, static_cast<TObject*>(memo))) CheckControl(std::move(p), memo, cmWhole, true, start, end);
}
void TSpellChecker::CheckRichEdit(TRichEdit* richEdit) {
    CheckControl(CreateParserByKind(2, static_cast<TObject*>(richEdit)), richEdit, cmWhole);
}
void TSpellChecker::CheckRichEditRange(TRichEdit* richEdit, Integer start, Integer end) {
    if (auto p = CreateParserByKind(2, static_cast<TObject*>(richEdit)))
        CheckControl(std::move(p), richEdit, cmWhole, true, start, end);
}
void TSpellChecker::CheckWindow(TWinControl* window) {
    CheckControl(CreateParserByKind(3, static_cast<TObject*>(window)), window, cmWhole);
}

// --- the check loop ----------------------------------------------------------------

namespace {
bool AllDigits(const String& w) {
    return !w.empty() && std::all_of(w.begin(), w.end(), [](char c) { return c >= '0' && c <= '9'; });
}
bool HasDigit(const String& w) {
    return std::any_of(w.begin(), w.end(), [](char c) { return c >= '0' && c <= '9'; });
}
std::minstd_rand& Random() {
    static std::minstd_rand r{0x5eed};
    return r;
}
}  // namespace

void TSpellChecker::RunCheckLoop() {
    if (!FParser) return;
    RepeatedWord = false;
    String previous = CurrentWord;
    FParser->GetNextWord(CurrentWord);
    bool go = true;
    const TSpellOptions o = Options();
    FInLoop = true;
    while (FParser && !FParser->AtEnd && go) {
        TParser& p = *FParser;
        // Each word of the text counts once, also when its replacement or
        // an undo brings it back for another test.
        if (FRecheckCounted)
            FRecheckCounted = false;
        else
            ++WordsChecked;
        const String& word = CurrentWord;
        if (IsAcceptedWord(word)) {
            if (word == previous && (o & soRepeated) && !p.SkippedMarkup) {
                go = false;
                RepeatedWord = true;
            } else {
                previous = word;
            }
        } else if (ChangeAllMap->Find(word) && !ChangeAllMap->LastReplacement().empty()) {
            const String replacement = ChangeAllMap->LastReplacement();
            p.PushUndo();
            if (!p.UndoList.empty()) p.UndoList.back()->WordsChecked = WordsChecked;
            p.SetUndoKind(12);
            p.SelectCurrentWord();
            p.ReplaceCurrentWord(replacement);
            previous = word;
        } else {
            const bool accepted = p.IsInternetAddress || AllDigits(word) ||
                                  ((o & soUpcase) && GetUpperCase(word) == word) || ((o & soNumbers) && HasDigit(word));
            if (!accepted) go = false;
            previous = word;
        }
        if (go) p.GetNextWord(CurrentWord);
        if (std::uniform_real_distribution<double>(0.0, 1.0)(Random()) < 0.03) {
            ProcessMessages();
            if (!FParser) {
                FInLoop = false;
                return;
            }
        }
    }
    FInLoop = false;
    // A press that came while the loop let messages through is due now.
    if (ActionPending) {
        ActionPending = false;
        PostAction(PendingAction);
    }
    if (!FParser) return;
    if (FParser->AtEnd) {
        EndCheck(false);
        return;
    }
    StopAtWord();
}

void TSpellChecker::StopAtWord() {
    TParser& p = *FParser;
    p.SelectCurrentWord();
    p.CenterCurrentWord();
    p.PushUndo();
    if (!p.UndoList.empty()) p.UndoList.back()->WordsChecked = WordsChecked;
    if (!FDialogForm) {
        DialogPlaced = true;
        CreateDialog();
        if (!FDialogControl) {
            EndCheck(false);
            return;
        }
        EnableAction(daOptions, FConfigAvailable);
        PositionDialog();
        const TRect placed = FDialogForm->BoundsRect();
        FDialogForm->Show();
        // Its frame may be known once the window shows: the dialog is
        // placed again with the size it really has.
        if (FDialogForm && FDialogForm->BoundsRect() != placed) PositionDialog();
        if (FDialogForm) FPlacedAt = Point(FDialogForm->Left(), FDialogForm->Top());
        FDialogShown = true;
    } else if (!DialogPlaced) {
        EnableAction(daOptions, FConfigAvailable);
        PositionDialog();
        AvoidWord(SelectionBehavior);
        FPlacedAt = Point(FDialogForm->Left(), FDialogForm->Top());
        DialogPlaced = true;
        if (!FDialogForm->Visible()) FDialogForm->Show();
        FDialogShown = true;
    } else {
        AvoidWord(SelectionBehavior);
    }
    const TSpellOptions o = Options();
    FSuggestions->Clear();
    if (!RepeatedWord && (o & soAutoSuggest)) {
        TStringList list;
        list.Duplicates = dupAccept;
        const String lower = GetLowerCase(CurrentWord);
        if (lower != CurrentWord) {
            SuggestFromDictionaries(lower, &list);
            MatchSuggestionCase(&list, CurrentWord);
        }
        SuggestFromDictionaries(CurrentWord, &list);
        FSuggestions->Assign(&list);
    }
    if (!FDialogControl) return;
    const bool listed = FDialogControl->HasSuggestionList();
    FDialogControl->SuggestionsReady(FSuggestions.get());
    TDialogControl::TFoundWord found;
    found.Word = CurrentWord;
    found.Repeated = RepeatedWord;
    found.Label = Text(RepeatedWord ? 18 : 17);
    found.DeleteCaption = Text(14);
    found.CanAdd = CurrentUserDictionary != nullptr;
    found.SuggestOnDemand = (o & soAutoSuggest) == 0;
    FDialogControl->WordFound(found);
    if (!RepeatedWord && AutoSelectFirst && (o & soAutoSuggest)) FDialogControl->ProposeFirstSuggestion();
    EnableAction(daUndoLast, FParser && FParser->CanUndo());
    if (OnMisspelledWord) OnMisspelledWord(this);
    if (BackgroundSuggestions && !RepeatedWord && !MainDictionaries.empty() && FParser && listed)
        BackgroundSuggest(GetLowerCase(CurrentWord), FSuggestions.get(), (o & soAutoSuggest) == 0);
}

void TSpellChecker::EnableAction(TDialogAction action, bool value) {
    if (FDialogControl) FDialogControl->EnableAction(action, value);
}

void TSpellChecker::SetIndexCaption(int index, const String& value) {
    if (FDialogControl) FDialogControl->SetCaption(index, value);
}

void TSpellChecker::DisableDialogButtons() {
    if (FDialogControl) FDialogControl->NoWord();
}

void TSpellChecker::EndCheck(bool canceled) {
    Canceled = canceled;
    if (OnCheckComplete) OnCheckComplete(this);
    if (!MultiCheck) {
        if (FDialogForm) FDialogForm->Hide();
        const bool show = EndShowMessage == emAlways || (EndShowMessage == emNoDialog && !FDialogShown) ||
                          (EndShowMessage == emExceptCancel && !canceled);
        if (show) {
            String text = Text(0);
            if (WordCountVisible) text += "\r\n\r\n" + Text(1) + IntToStr(WordsChecked);
            MessageDlg(text, mtInformation, mbOK, 0);
        }
        FreeDialog();
    }
    FParser.reset();
    FCheckedControl = nullptr;
    CloseDictionaries();
    Checking = false;
}

// --- the dialog ------------------------------------------------------------------

void TSpellChecker::CreateDialog() {
    TForm* form = nullptr;
    FDialogCreated = false;
    if (OnCreateDialog) OnCreateDialog(this, form);
    if (!form) {
        form = new TSpellCheckerDialog(this);
        FDialogCreated = true;
    }
    form->FreeNotification(this);
    if (OnAfterCreate) OnAfterCreate(this, form);
    TDialogControl* control = nullptr;
    for (int i = 0; i < form->ComponentCount() && !control; ++i)
        control = dynamic_cast<TDialogControl*>(form->Components(i));
    if (!control) {
        MessageDlg("Could not locate Dialog Control.", mtError, mbOK, 0);
        if (FDialogCreated) delete form;
        FDialogCreated = false;
        return;
    }
    FDialogForm = form;
    FDialogControl = control;
    WireDialog();
}

void TSpellChecker::WireDialog() {
    TDialogControl* dc = FDialogControl;
    TForm* form = FDialogForm;
    dc->OnAction = [this](TDialogControl*, int action) { HandleDialogAction(action); };
    // A replacement typed or picked can be used at once.
    dc->OnReplacementChanged = [this](TObject*) {
        if (!FParser) return;
        for (TDialogAction a : {daChangeAll, daChange, daSuggest}) EnableAction(a, true);
        if (CurrentUserDictionary) {
            EnableAction(daAdd, true);
            EnableAction(daAutoCorrect, true);
        }
    };
    dc->Connect();
    DisableDialogButtons();
    form->OnCloseQuery = [this](TObject*, bool& canClose) {
        canClose = false;
        HandleDialogAction(daCancel);
    };
    form->OnDeactivate = [this](TObject*) {
        if (OnDeactivate) OnDeactivate(this);
        if (HelpEnabled && HelpSeparate && FHelpSwitched && Application) Application->SetHelpFile(FSavedHelpFile);
        // The text may change while the dialog is away; the check resumes
        // only from Start, at the caret.
        if (!FParser) return;
        DisableDialogButtons();
        EnableAction(daStart, true);
    };
    // A window manager tells the frame's size only after the dialog shows:
    // a dialog still where it was placed is placed again at its full size.
    form->OnResize = [this, previous = form->OnResize](TObject* sender) {
        if (previous) previous(sender);
        if (!FDialogForm || !FParser || !FDialogShown) return;
        if (FDialogForm->Left() != FPlacedAt.X || FDialogForm->Top() != FPlacedAt.Y) return;
        PositionDialog();
        FPlacedAt = Point(FDialogForm->Left(), FDialogForm->Top());
    };
    form->OnActivate = [this](TObject*) {
        if (HelpEnabled && HelpSeparate && Application) {
            if (!FHelpSwitched) FSavedHelpFile = Application->HelpFile();
            FHelpSwitched = true;
            Application->SetHelpFile(HelpFile);
        }
    };
    if (FLanguageIndex >= FLanguages->ModuleCount()) FLanguageIndex = 0;
    form->SetCaption(Text(3));
    for (int i = 0; i <= 9; ++i) SetIndexCaption(i, Text(4 + i));
    SetIndexCaption(diHelp, Text(15));
    SetIndexCaption(diCancel, Text(16));
    SetIndexCaption(diErrorLabel, Text(17));
    SetIndexCaption(diActionLabel, Text(19));
    SetIndexCaption(diSuggestLabel, Text(20));
    TDialogControl::Fire(dc->OnResize, dc);
    if (HelpEnabled) {
        form->SetBorderIcons(form->BorderIcons() | biHelp);
        if (HelpSeparate && Application) {
            FSavedHelpFile = Application->HelpFile();
            FHelpSwitched = true;
            Application->SetHelpFile(HelpFile);
        }
    } else {
        form->SetBorderIcons(form->BorderIcons() & ~biHelp);
        dc->ChangeVisible(diHelp, false);
        const std::function<void(TWinControl*)> clear = [&](TWinControl* w) {
            for (int i = 0; i < w->ControlCount(); ++i)
                if (auto* child = dynamic_cast<TWinControl*>(w->Controls(i))) {
                    child->HelpContext = 0;
                    clear(child);
                }
        };
        clear(form);
    }
}

void TSpellChecker::FreeDialog() {
    TForm* form = FDialogForm;
    if (!form) return;
    FDialogForm = nullptr;
    if (FDialogControl) {
        FDialogControl->OnAction = nullptr;
        FDialogControl->OnReplacementChanged = nullptr;
    }
    FDialogControl = nullptr;
    if (OnFreeDialog) {
        OnFreeDialog(this, form);
    } else if (FDialogCreated) {
        form->OnCloseQuery = nullptr;
        form->OnDeactivate = nullptr;
        form->OnActivate = nullptr;
        form->Release();
    }
    FDialogCreated = false;
    if (HelpEnabled && HelpSeparate && FHelpSwitched && Application) Application->SetHelpFile(FSavedHelpFile);
    FHelpSwitched = false;
}

namespace {
// Where dialogs may go: the screen without its panels.
TRect DialogArea() {
    if (!Screen) return Rect(0, 0, 1024, 768);
    const TRect work = Screen->WorkAreaRect();
    return work.Width() > 0 && work.Height() > 0 ? work : Rect(0, 0, Screen->Width(), Screen->Height());
}
}  // namespace

void TSpellChecker::MoveDialog(int left, int top) {
    TForm* f = FDialogForm;
    if (!f) return;
    // Kept inside the work area; a dialog larger than it keeps its top-left
    // corner on it.
    const TRect area = DialogArea();
    left = std::max(area.Left, std::min(left, area.Right - f->Width()));
    top = std::max(area.Top, std::min(top, area.Bottom - f->Height()));
    f->SetBounds(left, top, f->Width(), f->Height());
}

void TSpellChecker::PositionDialog() {
    TForm* f = FDialogForm;
    if (!f || !FParser) return;
    const TRect area = DialogArea();
    const int w = f->Width(), h = f->Height();
    TRect cr;
    FParser->GetControlRect(cr);
    if (cr.Left == -1 && !FCheckedControl) InitialPosition = ipScreenCenter;
    const auto centre = [&] { MoveDialog(area.Left + (area.Width() - w) / 2, area.Top + (area.Height() - h) / 2); };
    switch (InitialPosition) {
    case ipScreenCenter: centre(); break;
    case ipUnderSelection: AvoidWord(sbMove); break;
    case ipAvoidControl:
        // Beside the control, in this order of preference, where the whole
        // dialog fits on the work area: below, right, above, left.
        if (cr.Bottom + 2 + h <= area.Bottom)
            MoveDialog(cr.Left, cr.Bottom + 2);
        else if (cr.Right + 2 + w <= area.Right)
            MoveDialog(cr.Right + 2, cr.Top);
        else if (cr.Top - 2 - h >= area.Top + 1)
            MoveDialog(cr.Left, cr.Top - 2 - h);
        else if (cr.Left - 2 - w >= area.Left + 1)
            MoveDialog(cr.Left - 2 - w, cr.Top);
        else {
            TRect wr;
            FParser->GetWordRect(wr);
            if (wr.Left >= 1)
                AvoidWord(sbMove);
            else
                centre();
        }
        break;
    case ipUserDefined:
        if (OnPositionDialog) {
            TForm* form = f;
            OnPositionDialog(this, form);
        } else {
            centre();
        }
        break;
    case ipIgnore: break;
    }
}

void TSpellChecker::AvoidWord(TSelBehavior behavior) {
    TForm* f = FDialogForm;
    if (!f || !FParser || behavior == sbNone) return;
    TRect wr;
    FParser->GetWordRect(wr);
    if (wr.Left < 1) return;
    const TRect dr = f->BoundsRect();
    const auto inside = [&](int x, int y) { return dr.Contains(Point(x, y)); };
    const bool overlaps = inside(wr.Left, wr.Top) || inside(wr.Right, wr.Top) || inside(wr.Left, wr.Bottom) ||
                          inside(wr.Right, wr.Bottom);
    if ((behavior == sbAvoid || behavior == sbAvoidUpDown) && !overlaps) return;
    const TRect area = DialogArea();
    int top = wr.Bottom + 2;
    if (top + f->Height() > area.Bottom) top = wr.Top - 2 - f->Height();
    const int left = (behavior == sbAvoid || behavior == sbMove) ? wr.Left : f->Left();
    MoveDialog(left, top);
}

// --- dialog actions --------------------------------------------------------------

void TSpellChecker::PostAction(int action) {
    if (!FActionWindow) {
        FActionWindow = AllocateHWnd([this](TMessage& m) {
            if (m.Msg == WM_SPELL_ACTION)
                HandleDialogAction(static_cast<int>(m.WParam));
            else
                m.Result = DefWindowProc(FActionWindow, m.Msg, m.WParam, m.LParam);
        });
    }
    PostMessage(FActionWindow, WM_SPELL_ACTION, static_cast<WPARAM>(action));
}

void TSpellChecker::HandleDialogAction(int action) {
    // A press that arrives while suggestions are made, or while the loop
    // lets messages through, is kept and carried out once that is over;
    // only Cancel stops the loop at once.
    if (Suggesting || (FInLoop && action != daCancel)) {
        PendingAction = action;
        ActionPending = true;
        return;
    }
    if (action < 0 || action > 11) return;
    if (!FParser && action != daOptions && action != daHelp) return;
    const auto editText = [this] { return FDialogControl ? FDialogControl->Replacement() : String(); };
    const TSpellOptions o = Options();
    switch (action) {
    case daSuggest: {
        if (!FDialogControl || !FDialogControl->HasSuggestionList()) return;
        const String w = editText();
        SuggestFromDictionaries(w.empty() ? CurrentWord : w, FSuggestions.get());
        FDialogControl->SuggestionsReady(FSuggestions.get());
        return;
    }
    case daStart:
        EnableAction(daStart, false);
        DisableDialogButtons();
        FParser->StartAtSelection();
        FParser->MoveToWordStart();
        FParser->WordLength = 0;
        RunCheckLoop();
        return;
    case daUndoLast: {
        std::unique_ptr<TUndo> r = FParser->Undo();
        if (!r) return;
        // The loop goes back to the undone word and tests it and the words
        // after it again; they were counted already.
        if (r->WordsChecked > 0) {
            WordsChecked = r->WordsChecked - 1;
            FRecheckCounted = false;
        }
        const String original = r->WordBefore;
        switch (r->Kind) {
        case 4: RemoveChangeAll(original); break;
        case 5:
        case 105:
        case 7:
            DisableDialogButtons();
            CurrentWord = original;
            break;
        case 6: RemoveIgnoreAll(original); break;
        case 8:
            if (CurrentUserDictionary) {
                KnownWords->Delete(original);
                CurrentUserDictionary->RemoveWord(original);
            }
            break;
        case 9:
            if (CurrentUserDictionary) {
                ChangeAllMap->Delete(original);
                AutoCorrectMap->Delete(original);
                CurrentUserDictionary->RemoveAutoCorrect(original);
            }
            break;
        default: break;
        }
        RunCheckLoop();
        return;
    }
    case daOptions:
        ShowConfigDialog();
        if (FParser) {
            FParser->SetWordCharacters(BuildAlphabet());
            if (FParser->WordCharacters.empty()) FParser->SetWordCharacters(DefaultWordCharacters);
        }
        return;
    case daChangeAll: {
        const String r = editText();
        AddChangeAll(CurrentWord, r);
        FParser->ReplaceCurrentWord(r);
        DisableDialogButtons();
        FParser->SetUndoKind(4);
        if (o & soRecheck) {
            FParser->WordLength = 0;
            FRecheckCounted = true;
        }
        RunCheckLoop();
        return;
    }
    case daChange:
        if (RepeatedWord) {
            SetIndexCaption(diChange, Text(5));
            FParser->ReplaceCurrentWord(" ");
            FParser->RemoveSpace();
            FParser->SetUndoKind(FParser->RemoveSpace() ? 105 : 5);
            DisableDialogButtons();
        } else {
            FParser->ReplaceCurrentWord(editText());
            DisableDialogButtons();
            if (o & soRecheck) {
                FParser->WordLength = 0;
                FRecheckCounted = true;
            }
        }
        RunCheckLoop();
        return;
    case daIgnoreAll:
        AddIgnoreAll(CurrentWord);
        DisableDialogButtons();
        FParser->SetUndoKind(6);
        RunCheckLoop();
        return;
    case daIgnore:
        if (RepeatedWord) SetIndexCaption(diChange, Text(5));
        FParser->SetUndoKind(7);
        DisableDialogButtons();
        RunCheckLoop();
        return;
    case daAdd:
        if (CurrentUserDictionary) {
            CurrentUserDictionary->AddWord(CurrentWord);
            KnownWords->Add(CurrentWord);
        }
        DisableDialogButtons();
        FParser->SetUndoKind(8);
        RunCheckLoop();
        return;
    case daAutoCorrect: {
        const String r = editText();
        if (CurrentUserDictionary) {
            CurrentUserDictionary->AddAutoCorrect(CurrentWord, r);
            ChangeAllMap->AddLookup(CurrentWord, r);
            AutoCorrectMap->AddLookup(CurrentWord, r);
        }
        FParser->RecordReplacement(r);
        FParser->SetUndoKind(9);
        HandleDialogAction(daChange);
        return;
    }
    case daHelp:
        if (Application) Application->HelpContext(HelpContextDialog);
        return;
    case daCancel:
        if (OnCheckCanceled) OnCheckCanceled(this);
        EndCheck(true);
        return;
    default: return;
    }
}

void TSpellChecker::ShowConfigDialog() {
    EnsureConfiguration();
    TConfigDialog dialog(this, FConfiguration.get());
    dialog.SetCaption(Text(22));
    dialog.HelpContext1 = HelpContextConfig1;
    dialog.HelpContext2 = HelpContextConfig2;
    dialog.Setup(VisibleOptions, IgnoreAllWords.get(), ChangeAllWords.get());
    dialog.SetLanguage(FLanguages->Module(FLanguageIndex));
    dialog.OnResetIgnoreAll = [this](TObject*) {
        IgnoreAllWords->Clear();
        RebuildTries();
    };
    dialog.OnResetChangeAll = [this](TObject*) {
        ChangeAllWords->Clear();
        ChangeAllReplacements->Clear();
        RebuildTries();
    };
    if (!HelpEnabled) {
        dialog.SetBorderIcons(dialog.BorderIcons() & ~biHelp);
        if (dialog.HelpButton) dialog.HelpButton->SetVisible(false);
    }
    if (OnSetupCreate) {
        TForm* f = &dialog;
        OnSetupCreate(this, f);
    }
    dialog.Execute();
    SyncDictionaries();
    if (FParser) {
        const TSpellOptions o = Options();
        FParser->SetSkipHTML((o & soHTML) != 0);
        FParser->SkipInternet = (o & soInternet) != 0;
        FParser->SkipQuoted = (o & soQuoted) != 0;
    }
}

// --- suggestions while the dialog waits -----------------------------------------------

bool TSpellChecker::Yield() {
    ProcessMessages();
    return Checking && FParser;
}

void TSpellChecker::BackgroundSuggest(const String& word, TStrings* list, bool firstStage) {
    ActionPending = false;
    Suggesting = true;
    const std::weak_ptr<bool> alive = FAlive;
    if (!Text(21).empty() && FDialogForm) FDialogForm->SetCaption(Text(3) + " " + Text(21));
    if (FDialogControl) TDialogControl::Fire(FDialogControl->OnBackgroundStart, FDialogControl);
    GenerateSuggestions(word, list, firstStage);
    if (alive.expired() || !*alive.lock()) return;
    Suggesting = false;
    if (Checking && FParser) {
        if (FDialogControl) TDialogControl::Fire(FDialogControl->OnBackgroundEnd, FDialogControl);
        if (FDialogForm) FDialogForm->SetCaption(Text(3));
    }
    // Carried out from the message loop rather than from here, so that a
    // user who always presses before the suggestions end does not stack one
    // check loop inside another for every word.
    if (ActionPending) {
        ActionPending = false;
        PostAction(PendingAction);
    }
}

void TSpellChecker::GenerateSuggestions(const String& word, TStrings* list, bool firstStage) {
    const String a = BuildAlphabet();
    const int h = static_cast<int>(a.size()) / 2;
    const int len = static_cast<int>(word.size());
    const std::weak_ptr<bool> alive = FAlive;
    // Lists a known candidate and shows it; false once the list is full.
    const auto add = [&](const String& candidate, bool fitCase) {
        if (IndexOfText(list, candidate) >= 0) return true;
        String fitted = candidate;
        if (fitCase) CopyCasePattern(fitted, CurrentWord);
        list->Add(fitted);
        if (FDialogControl) FDialogControl->SuggestionAdded(fitted);
        return list->Count() <= FMaxSuggestions;
    };
    const auto test = [&](const String& candidate) { return !IsKnownWord(candidate) || add(candidate, true); };
    // False when the generation must stop: the check ended, the engine
    // went, or the user pressed a button.
    const auto yield = [&] { return Yield() && !alive.expired() && *alive.lock() && !ActionPending; };
    const auto pending = [&] { return ActionPending || !FParser; };
    if (firstStage) {
        using enum TEditPass;
        static const std::vector<TEditPass> passes{CaseToggle,  AdjacentSwap, Deletion,       Insertion,
                                                   Replacement, SwapOverOne,  DoubleDeletion, Split};
        TSuggestionWalk walk;
        walk.Letters = a;
        walk.IsWord = [this](const String& part) { return IsKnownWord(part); };
        // A case toggle is offered as it is, a split when both its words
        // are known; the rest take the case of the word found.
        walk.Candidate = [&](const String& candidate, TEditPass pass) {
            if (pending()) return false;
            if (pass == Split) return add(candidate, true);
            return !IsKnownWord(candidate) || add(candidate, pass != CaseToggle);
        };
        // The user gets a turn after each pass and before each place an
        // insertion tries, not after the insertions or the splits.
        walk.Step = [&](TEditPass pass, bool passEnd) {
            if (passEnd && (pass == Insertion || pass == Split)) return true;
            return yield();
        };
        if (!WalkSuggestions(word, passes, walk)) return;
    }
    const auto inserted = [&](int i, int j) {
        String w = word;
        w.insert(static_cast<std::size_t>(i), 1, a[static_cast<std::size_t>(j)]);
        return w;
    };
    // A: insert one letter, then delete one character.
    if (len > 2)
        for (int i = 0; i <= len; ++i)
            for (int j = 0; j < h; ++j) {
                if (!yield()) return;
                const String base = inserted(i, j);
                for (std::size_t k = 0; k < base.size(); ++k) {
                    String w = base;
                    w.erase(k, 1);
                    if (!test(w)) return;
                }
            }
    // B: insert one letter, then replace one character.
    if (len > 1)
        for (int i = 0; i <= len; ++i)
            for (int j = 0; j < h; ++j) {
                if (!yield()) return;
                const String base = inserted(i, j);
                for (std::size_t k = 0; k < base.size(); ++k)
                    for (int m = 0; m < h - 1; ++m) {
                        String w = base;
                        w[k] = a[static_cast<std::size_t>(m)];
                        if (!test(w)) return;
                    }
            }
    // C: insert two letters.
    if (len > 1)
        for (int i = 0; i <= len; ++i)
            for (int j = 0; j < h; ++j) {
                if (!yield()) return;
                const String base = inserted(i, j);
                for (std::size_t k = 0; k <= base.size(); ++k) {
                    if (!yield()) return;
                    for (int m = 0; m < h - 1; ++m) {
                        if (pending()) return;
                        String w = base;
                        w.insert(k, 1, a[static_cast<std::size_t>(m)]);
                        if (!test(w)) return;
                    }
                }
            }
    // D: delete one character, then replace one.
    if (len > 2)
        for (int i = 0; i < len; ++i) {
            String base = word;
            base.erase(static_cast<std::size_t>(i), 1);
            for (std::size_t k = 0; k < base.size(); ++k) {
                if (!yield()) return;
                for (int m = 0; m < h; ++m) {
                    if (pending()) return;
                    String w = base;
                    w[k] = a[static_cast<std::size_t>(m)];
                    if (!test(w)) return;
                }
            }
        }
    // E: replace two characters.
    if (len > 2)
        for (int i = 0; i < len; ++i)
            for (int j = 0; j < h - 1; ++j) {
                String base = word;
                base[static_cast<std::size_t>(i)] = a[static_cast<std::size_t>(j)];
                for (int k = 0; k < len; ++k) {
                    if (k == i) continue;
                    if (!yield()) return;
                    for (int m = 0; m < h - 1; ++m) {
                        if (pending()) return;
                        String w = base;
                        w[static_cast<std::size_t>(k)] = a[static_cast<std::size_t>(m)];
                        if (!test(w)) return;
                    }
                }
            }
}
