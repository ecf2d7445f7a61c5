#pragma once
// A user dictionary: words the user added and auto-correct pairs. A ".dic"
// file is a read-only plain word list; any other is a sectioned INI file.
#include <memory>

#include "framework/classes/StringList.h"

class TUserDictionary : public TObject {
public:
    explicit TUserDictionary(const String& fileName);
    // Saves an unsaved addition; a failure to write is dropped here, so
    // callers that must know call Save or Close first.
    ~TUserDictionary() override;
    TUserDictionary(const TUserDictionary&) = delete;
    TUserDictionary& operator=(const TUserDictionary&) = delete;

    void LoadUserDictionary();
    void AddWord(const String& word);
    void AddAutoCorrect(const String& misspelling, const String& replacement);
    void RemoveWord(const String& word);
    void RemoveAutoCorrect(const String& misspelling);
    // Raises EIniFileException when the file cannot be written.
    void Save();
    void Close();

    std::unique_ptr<TStringList> Words;
    std::unique_ptr<TStringList> AutoCorrectWords;
    std::unique_ptr<TStringList> AutoCorrectReplacements;
    String FileName;
    bool Modified = false;
    bool Loaded = false;
    bool ReadOnly = false;

private:
    int IndexOfMisspelling(const String& misspelling) const;
};
