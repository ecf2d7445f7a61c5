#pragma once
// The thesaurus: a ".THR" file held whole in memory as four blocks (node
// table, node data, meaning records, synonym lists), decoded on demand.
#include <memory>
#include <vector>

#include "framework/classes/Component.h"
#include "framework/classes/MemoryStream.h"

class TStringList;

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
    std::unique_ptr<TStringList> TopicHistory;

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

private:
    struct TNodeInfo;
    TNodeInfo ReadNode(int index) const;
    void Validate(const String& path) const;
    bool FLoaded = false;
};
