#pragma once
// The spell-check component a form drops in: it reads its configuration,
// opens the main and user dictionaries, and checks text controls (or a
// caller's string or buffer) word by word, stopping at each word that needs
// the user in the spell-check dialog. The dialog is not modal: its buttons
// drive the check, and a check call waits with the message loop running.
#include <functional>
#include <memory>
#include <vector>

#include "framework/classes/Component.h"
#include "framework/messages/Messages.h"
#include "spell/dialogs/DialogControl.h"
#include "spell/store/SpellOptions.h"

class TForm;
class TControl;
class TWinControl;
class TCustomEdit;
class TCustomMemo;
class TRichEdit;
class TStrings;
class TStringList;
class TParser;
class TUndo;
class TConfiguration;
class TDictionary;
class TUserDictionary;
class TTrieStringList;
class TTrieLookupList;
class TLanguages;
class TDialogControl;

enum TSelBehavior { sbNone, sbAvoid, sbAvoidUpDown, sbMove, sbMoveUpDown };
enum TInitialPos { ipScreenCenter, ipUnderSelection, ipAvoidControl, ipUserDefined, ipIgnore };
enum TEndMessage { emNever, emAlways, emExceptCancel, emNoDialog };

using TDialogEvent = std::function<void(TObject* Sender, TForm*& F)>;
using TCaseEvent = std::function<void(TObject* Sender, String& Match, const String& Original)>;
// Told of undo events: Code 1 a record was made, 2 one was undone.
using TUndoListener = std::function<void(TObject* Sender, int Code, TUndo* Undo)>;

inline constexpr TSpellOptions DefaultSpellOptions = soInternet | soAutoSuggest | soPrimaryOnly | soRecheck | soRepeated;
inline constexpr TSpellOptions DefaultVisibleOptions = soUpcase | soNumbers | soHTML | soInternet | soRecheck;

class TSpellChecker : public TComponent {
public:
    explicit TSpellChecker(TComponent* owner);
    ~TSpellChecker() override;
    String ClassName() const override { return "TSpellChecker"; }
    void Loaded() override;

    // --- properties -------------------------------------------------------
    bool ImmediateChangeAll = false;  // stored only
    bool ConfigInAppDir() const { return FConfigInAppDir; }
    void SetConfigInAppDir(bool v);
    const String& ConfigFileName() const { return FConfigFileName; }
    void SetConfigFileName(const String& v);
    const String& ConfigKey() const { return FConfigKey; }
    void SetConfigKey(const String& v);
    bool ConfigAvailable() const { return FConfigAvailable; }
    void SetConfigAvailable(bool v);
    bool AlwaysActive() const { return FAlwaysActive; }
    void SetAlwaysActive(bool v);
    Integer MaxSuggestions() const { return FMaxSuggestions; }
    void SetMaxSuggestions(Integer v);
    Integer MaxUndo() const { return FMaxUndo; }
    void SetMaxUndo(Integer v);
    bool AutoSelectFirst = false;
    TSelBehavior SelectionBehavior = sbAvoid;
    TInitialPos InitialPosition = ipAvoidControl;
    bool WaitForCompletion = true;
    String IgnorePrefix = "'";
    String IgnoreSuffix = "';'s";
    bool HelpEnabled = true;
    bool HelpSeparate = true;
    String HelpFile = "spellchk.hlp";
    Integer HelpContextDialog = 100;
    Integer HelpContextConfig1 = 101;
    Integer HelpContextConfig2 = 102;
    bool BackgroundSuggestions = true;
    bool DialogHourGlass = false;
    const String& DefaultMain() const { return FDefaultMain; }
    void SetDefaultMain(const String& v);
    const String& DefaultUser() const { return FDefaultUser; }
    void SetDefaultUser(const String& v);
    TSpellOptions DefaultOptions() const { return FDefaultOptions; }
    void SetDefaultOptions(TSpellOptions v);
    TSpellOptions VisibleOptions = DefaultVisibleOptions;
    bool WordCountVisible = true;
    String QuoteCharacters;
    TLanguages* Languages() const { return FLanguages.get(); }
    Integer LanguageIndex() const { return FLanguageIndex; }
    void SetLanguageIndex(Integer v);
    TEndMessage EndShowMessage = emExceptCancel;

    TDialogEvent OnCreateDialog;
    TDialogEvent OnFreeDialog;
    TDialogEvent OnAfterCreate;
    TDialogEvent OnSetupCreate;
    TDialogEvent OnPositionDialog;
    TCaseEvent OnMatchCase;
    TCaseEvent OnGetLowerCase;
    TCaseEvent OnGetUpperCase;
    TNotifyEvent OnCheckComplete;
    TNotifyEvent OnCheckCanceled;
    TNotifyEvent OnMisspelledWord;
    TNotifyEvent OnDeactivate;

    // --- operations ---------------------------------------------------------
    virtual void UndoRecorded(TParser* parser, void* source, int action, TUndo* undo);
    virtual void Undone(TParser* parser, void* source, int action, TUndo* undo);
    virtual void NotifyListeners(int code, TUndo* undo);
    virtual void OpenDictionaries();
    virtual void CloseDictionaries();
    virtual void LoadConfiguration();
    virtual void CheckWinControl(TControl* control);
    virtual void CheckWinControlFromCaret(TControl* control);
    virtual void CheckWinControlSelection(TControl* control);
    // The check owns the parser it is given.
    virtual void CheckWithParser(std::unique_ptr<TParser> parser, TControl* control);
    virtual void CheckWithParserFromCaret(std::unique_ptr<TParser> parser, TControl* control);
    virtual void CheckWithParserSelection(std::unique_ptr<TParser> parser, TControl* control);
    virtual void CheckComponentTree(TComponent* component);
    virtual void RegisterControl(TControl* control);
    virtual void RegisterParserControl(std::unique_ptr<TParser> parser, TControl* control);
    virtual void CheckRegistered();
    // A null-terminated buffer of `size` bytes (0: just its text); a
    // correction that would not fit is refused with an error box.
    virtual void CheckBuffer(char* buffer, std::size_t size = 0);
    virtual void CheckBufferRange(char* buffer, std::size_t size, Integer start, Integer end);
    // The string must stay alive until the check has ended.
    virtual void CheckString(String& s);
    virtual void CheckStringRange(String& s, Integer start, Integer end);
    virtual void CheckEdit(TCustomEdit* edit);
    virtual void CheckEditRange(TCustomEdit* edit, Integer start, Integer end);
    virtual void CheckMemo(TCustomMemo* memo);
    virtual void CheckMemoRange(TCustomMemo* memo, Integer start, Integer end);
    virtual void CheckRichEdit(TRichEdit* richEdit);
    virtual void CheckRichEditRange(TRichEdit* richEdit, Integer start, Integer end);
    virtual void CheckWindow(TWinControl* window);

    // Whether any main dictionary, then the accepted words, know the word.
    bool IsKnownWord(const String& word);
    // Whether the check loop accepts the word: the word, its lower-case
    // form, or either with the ignored prefixes and suffixes stripped.
    bool IsAcceptedWord(const String& word);
    String StripAffixes(const String& word) const;
    String BuildAlphabet() const;
    String GetLowerCase(const String& word);
    String GetUpperCase(const String& word);
    // Fits the letter case of `target` to `original` (never lowering).
    static void CopyCasePattern(String& target, const String& original);
    void MatchSuggestionCase(TStringList* list, const String& original);
    void SuggestFromDictionaries(const String& word, TStrings* list);
    void BackgroundSuggest(const String& word, TStrings* list, bool firstStage);
    void GenerateSuggestions(const String& word, TStrings* list, bool firstStage);
    void HandleDialogAction(int action);
    void ShowConfigDialog();
    void SyncDictionaries();
    void RebuildTries();
    void ResetIgnoreAndChangeAll();
    void ParseAffixLists();
    void AddListener(TComponent* component, TUndoListener callback);

    // --- state, public for the dialogs and for tests -------------------------
    TConfiguration* Configuration() const { return FConfiguration.get(); }
    TSpellOptions Options() const;
    std::vector<std::unique_ptr<TDictionary>> MainDictionaries;
    std::vector<std::unique_ptr<TUserDictionary>> UserDictionaries;
    TUserDictionary* CurrentUserDictionary = nullptr;
    std::unique_ptr<TStringList> IgnoreAllWords;
    std::unique_ptr<TStringList> ChangeAllWords;
    std::unique_ptr<TStringList> ChangeAllReplacements;
    std::unique_ptr<TTrieStringList> KnownWords;
    std::unique_ptr<TTrieLookupList> ChangeAllMap;
    std::unique_ptr<TTrieLookupList> AutoCorrectMap;
    std::vector<String> PrefixList;
    std::vector<String> SuffixList;
    bool Active = false;
    bool Checking = false;
    bool Canceled = false;
    bool MultiCheck = false;
    bool ResetCount = true;
    Integer WordsChecked = 0;
    TParser* Parser() const { return FParser.get(); }
    String CurrentWord;
    bool RepeatedWord = false;
    TForm* DialogForm() const { return FDialogForm; }
    TDialogControl* DialogControl() const { return FDialogControl; }
    bool Suggesting = false;
    int PendingAction = 0;
    bool ActionPending = false;
    bool DialogPlaced = false;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    enum TCheckMode { cmWhole, cmFromCaret, cmSelection };
    void CheckControl(std::unique_ptr<TParser> parser, TControl* control, TCheckMode mode, bool range = false,
                      Integer start = 0, Integer end = 0);
    void CheckText(std::unique_ptr<TParser> parser, bool range, Integer start, Integer end);
    void BeginCheck(std::unique_ptr<TParser> parser, TControl* control);
    void WaitForEnd();
    void ConfigureParser(TParser& parser);
    void RunCheckLoop();
    void StopAtWord();
    void EndCheck(bool canceled);
    void CreateDialog();
    void FreeDialog();
    void WireDialog();
    void PositionDialog();
    void AvoidWord(TSelBehavior behavior);
    void MoveDialog(int left, int top);
    void DisableDialogButtons();
    void AddChangeAll(const String& word, const String& replacement);
    void AddIgnoreAll(const String& word);
    void RemoveChangeAll(const String& word);
    void RemoveIgnoreAll(const String& word);
    void ReportMissingDictionary(const String& path);
    bool OpenMain(TDictionary& dictionary);
    void SaveUserDictionary(TUserDictionary& dictionary, bool close);
    void PostAction(int action);
    bool Yield();
    String Text(int index) const;
    void EnsureConfiguration();
    void EnableAction(TDialogAction action, bool value);
    void SetIndexCaption(int index, const String& value);

    bool FConfigInAppDir = true;
    String FConfigFileName = "SPELLCHK.CFG";
    String FConfigKey = "spellchk";
    bool FConfigAvailable = true;
    bool FAlwaysActive = false;
    Integer FMaxSuggestions = 50;
    Integer FMaxUndo = 20;
    String FDefaultMain = "english.dct";
    String FDefaultUser = "default.udt";
    TSpellOptions FDefaultOptions = DefaultSpellOptions;
    std::unique_ptr<TLanguages> FLanguages;
    Integer FLanguageIndex = 0;
    std::unique_ptr<TConfiguration> FConfiguration;
    std::unique_ptr<TParser> FParser;
    TControl* FCheckedControl = nullptr;
    TForm* FDialogForm = nullptr;
    TDialogControl* FDialogControl = nullptr;
    // The suggestions for the word the check stopped at, as the dialog shows them.
    std::unique_ptr<TStringList> FSuggestions;
    bool FDialogCreated = false;
    bool FDialogShown = false;
    bool FInLoop = false;
    // The next word the loop reads is the replacement of the word just
    // counted: it is checked again but not counted again.
    bool FRecheckCounted = false;
    // Where the check last placed its dialog (the user may move it since).
    TPoint FPlacedAt;
    String FSavedHelpFile;
    bool FHelpSwitched = false;
    HWND FActionWindow = 0;
    std::shared_ptr<bool> FAlive;
    std::vector<std::unique_ptr<TParser>> FRegisteredParsers;
    std::vector<TControl*> FRegisteredControls;
    std::vector<std::pair<TComponent*, TUndoListener>> FListeners;
};
