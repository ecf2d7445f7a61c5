#include "spell/store/UserDictionary.h"

#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "spell/store/EnhancedINI.h"

namespace {
const char* const SectionAdded = "Added";
const char* const SectionAutoCorrect = "Auto Correct";
const char* const PairSeparator = "@@@";
}  // namespace

TUserDictionary::TUserDictionary(const String& fileName)
    : Words(std::make_unique<TStringList>()),
      AutoCorrectWords(std::make_unique<TStringList>()),
      AutoCorrectReplacements(std::make_unique<TStringList>()),
      FileName(fileName),
      ReadOnly(AnsiLowerCase(ExtractFileExt(fileName)) == ".dic") {
    Words->Duplicates = dupAccept;
    Words->SetSorted(true);
    AutoCorrectWords->Duplicates = dupAccept;
    AutoCorrectReplacements->Duplicates = dupAccept;
    LoadUserDictionary();
}

TUserDictionary::~TUserDictionary() {
    try {
        if (Modified && !ReadOnly) Save();
    } catch (const std::exception&) {
    }
    Modified = false;
    Close();
}

void TUserDictionary::LoadUserDictionary() {
    if (Loaded) return;
    if (FileExists(FileName)) {
        if (ReadOnly) {
            // Sorting once after reading beats inserting each line in order.
            TStringList lines;
            lines.LoadFromFile(FileName);
            Words->SetSorted(false);
            for (int i = 0; i < lines.Count(); ++i)
                if (!lines.Get(i).empty()) Words->Add(lines.Get(i));
            Words->SetSorted(true);
        } else {
            TEnhancedINI ini(FileName);
            TStringList words;
            ini.ReadList(SectionAdded, "IGN", &words);
            Words->SetSorted(false);
            Words->AddStrings(&words);
            Words->SetSorted(true);
            TStringList items;
            ini.ReadList(SectionAutoCorrect, "AC", &items);
            for (int i = 0; i < items.Count(); ++i) {
                const String item = items.Get(i);
                const int at = Pos(PairSeparator, item);
                // An item without the separator names no replacement, so it
                // cannot correct anything; keeping it would pair it with the
                // next item's replacement.
                if (at == 0) continue;
                AutoCorrectWords->Add(Copy(item, 1, at - 1));
                AutoCorrectReplacements->Add(Copy(item, at + 3, static_cast<int>(item.size())));
            }
        }
    }
    Loaded = true;
    Modified = false;
}

void TUserDictionary::AddWord(const String& word) {
    if (ReadOnly) return;
    Modified = true;
    Words->Add(word);
}

int TUserDictionary::IndexOfMisspelling(const String& misspelling) const {
    for (int i = 0; i < AutoCorrectWords->Count(); ++i)
        if (AnsiSameText(AutoCorrectWords->Get(i), misspelling)) return i;
    return -1;
}

void TUserDictionary::AddAutoCorrect(const String& misspelling, const String& replacement) {
    if (ReadOnly) return;
    Modified = true;
    const int i = IndexOfMisspelling(misspelling);
    if (i >= 0) {
        AutoCorrectReplacements->Put(i, replacement);
    } else {
        AutoCorrectWords->Add(misspelling);
        AutoCorrectReplacements->Add(replacement);
    }
}

void TUserDictionary::RemoveWord(const String& word) {
    if (ReadOnly) return;
    for (int i = 0; i < Words->Count(); ++i)
        if (AnsiSameText(Words->Get(i), word)) {
            Words->Delete(i);
            return;
        }
}

void TUserDictionary::RemoveAutoCorrect(const String& misspelling) {
    if (ReadOnly) return;
    const int i = IndexOfMisspelling(misspelling);
    if (i < 0) return;
    AutoCorrectWords->Delete(i);
    AutoCorrectReplacements->Delete(i);
}

void TUserDictionary::Save() {
    if (ReadOnly) return;
    TEnhancedINI ini(FileName);
    ini.WriteList(SectionAdded, "IGN", Words.get());
    TStringList pairs;
    for (int i = 0; i < AutoCorrectWords->Count(); ++i)
        pairs.Add(AutoCorrectWords->Get(i) + PairSeparator + AutoCorrectReplacements->Get(i));
    ini.WriteList(SectionAutoCorrect, "AC", &pairs);
    ini.UpdateFile();
}

void TUserDictionary::Close() {
    if (Loaded && Modified) Save();
    Words->Clear();
    AutoCorrectWords->Clear();
    AutoCorrectReplacements->Clear();
    Modified = false;
    Loaded = false;
}
