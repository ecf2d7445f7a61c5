#pragma once
// The thesaurus: a ".THR" file held whole in memory as four blocks (node
// table, node data, meaning records, synonym lists), decoded on demand.
#include <memory>
#include <vector>

#include "framework/classes/Component.h"
#include "framework/classes/MemoryStream.h"
#include "framework/controls/Form.h"

class TStringList;
class TThesaurusDialog;

// Meaning kinds, as the low part of a meaning code holds them.
enum TThesaurusKind { tkContext = 0, tkNoun = 1, tkVerb = 2, tkAdjective = 3, tkAdverb = 4 };

struct TThesaurusMeaning {
    int Record = 0;
    TThesaurusKind Kind = tkContext;
    String Label;                     // the word that names the meaning
    std::vector<String> Synonyms[4];  // nouns, verbs, adjectives, adverbs
    // The label followed by the kind's tag, as the meanings list shows it.
    String Caption() const;
};

class TThesaurus : public TComponent {
public:
    explicit TThesaurus(TComponent* owner);
    ~TThesaurus() override;
    String ClassName() const override { return "TThesaurus"; }

    bool DemandLoad = true;
    String FileName = "SPELLCHK.THR";
    bool UseAppDir = true;
    bool DoubleClicks = false;
    String DialogCaption = "Thesaurus Lookup:";
    TFormStyle DialogStyle = fsStayOnTop;
    std::unique_ptr<TStringList> TopicHistory;

    // Shows the lookup window for the word and waits, with the message loop
    // running, until it closes; `replacement` is then the synonym chosen
    // (its first letter upper-cased when the word began with a capital),
    // empty when the user cancelled. A file that cannot be loaded is
    // reported and leaves `replacement` as it was; so does a call while
    // the window is already open, which only brings it to the front.
    void Execute(const String& word, String& replacement);
    TThesaurusDialog* Dialog() const { return FDialog; }
    bool DialogOpen() const { return FDialogOpen; }
    // The window's reactions, public so a caller may drive them.
    void LookupWord(const String& word);
    void ShowSynonyms(int meaningIndex);
    void CloseDialog(bool replace);
    const std::vector<TThesaurusMeaning>& ShownMeanings() const { return FMeanings; }
    // The synonym chosen by the last Replace (empty after Cancel).
    String Result;

    bool Loaded() const { return FLoaded; }
    // Loads (locating the file) or unloads when the value changes. A file
    // that cannot be found leaves the thesaurus unloaded; a damaged one
    // raises EReadError naming it.
    void SetLoaded(bool value);
    // The file the thesaurus would load, found from FileName or else from the
    // "Thesaurus" section of the program's settings, always with the ".THR"
    // extension in any letter case; empty when none exists.
    String LocateFile() const;
    void LoadFromFile(const String& path);
    void Unload();

    virtual void GetWord(String& text, int nodeIndex) const;
    virtual bool FindWord(const String& word, int& nodeIndex) const;
    // The meanings of a word, in stored order; empty when it is not found.
    std::vector<TThesaurusMeaning> Meanings(const String& word) const;

    TMemoryStream NodeTable;
    TMemoryStream NodeData;
    TMemoryStream MeaningRecords;
    TMemoryStream SynonymBlock;
    Cardinal NodeCount = 0;
    Word MeaningCount = 0;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool LoadForDialog();
    void WireDialog();
    struct TNodeInfo;
    TNodeInfo ReadNode(int index) const;
    void Validate(const String& path) const;
    bool FLoaded = false;
    TThesaurusDialog* FDialog = nullptr;
    bool FDialogOpen = false;
    bool FBusy = false;
    bool FBoundsSaved = false;
    int FSavedLeft = 0, FSavedTop = 0, FSavedWidth = 0, FSavedHeight = 0;
    std::vector<TThesaurusMeaning> FMeanings;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
