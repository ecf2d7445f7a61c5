#include "spell/store/Dictionary.h"

#include "framework/classes/FileStream.h"
#include "framework/classes/Strings.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "spell/store/CheckedReader.h"
#include "spell/store/SuggestionWalk.h"

TDictionary::TDictionary(const String& fileName) : FileName(fileName) {}

TDictionary::~TDictionary() { Close(); }

bool TDictionary::Open() {
    if (Opened) return true;
    if (!FileExists(FileName)) return false;
    TCheckedReader reader(FileName);
    reader.Seek(DctBodyOffset, "the dictionary body");
    const Byte s = reader.ReadU8("the sub-dictionary count");
    const Byte a = reader.ReadU8("the letter count");
    const Byte* letters = reader.ReadBytes(a, "the letter set");
    std::vector<std::unique_ptr<TSubDictionary>> subs;
    for (int i = 0; i < s; ++i) {
        auto sub = std::make_unique<TSubDictionary>();
        sub->Load(reader);
        subs.push_back(std::move(sub));
    }
    LetterSet.assign(reinterpret_cast<const char*>(letters), a);
    SubDictionaries = std::move(subs);
    Opened = true;
    return true;
}

void TDictionary::Close() {
    SubDictionaries.clear();
    Opened = false;
}

bool TDictionary::Lookup(const String& word) const {
    for (const auto& sub : SubDictionaries)
        if (sub->LookupWord(word)) return true;
    return false;
}

String TDictionary::ReadDescription(const String& fileName) {
    if (!FileExists(fileName)) return String();
    if (FileSize(fileName) < DctDescriptionOffset + DctDescriptionSize) return String();
    // Only the header: a configuration may name any file, of any size.
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    String description(DctDescriptionSize, '\0');
    stream.SetPosition(DctDescriptionOffset);
    stream.ReadBuffer(description.data(), DctDescriptionSize);
    return description;
}

namespace {
// Walks the suggestion passes; Offer returns false once the list is full.
class TSuggester {
public:
    TSuggester(const TDictionary& dict, TStrings* list) : FDict(dict), FList(list) {}

    bool Offer(const String& candidate) {
        return !FDict.Lookup(candidate) || Accept(candidate);
    }

    // Adds a candidate already known to be good, unless listed.
    bool Accept(const String& candidate) {
        for (int i = 0; i < FList->Count(); ++i)
            if (AnsiSameText(FList->Get(i), candidate)) return true;
        FList->Add(candidate);
        return FList->Count() <= FDict.SuggestionLimit;
    }

private:
    const TDictionary& FDict;
    TStrings* FList;
};
}  // namespace

void TDictionary::SuggestFromDictionary(const String& word, TStrings* list) const {
    using enum TEditPass;
    std::vector<TEditPass> passes;
    for (TEditPass pass : {CaseToggle, AdjacentSwap, SwapOverOne, Insertion, Replacement, Deletion, DoubleDeletion,
                           Split})
        if ((SuggestionPasses >> static_cast<int>(pass)) & 1) passes.push_back(pass);
    TSuggester s(*this, list);
    TSuggestionWalk walk;
    walk.Letters = LetterSet;
    walk.IsWord = [this](const String& part) { return Lookup(part); };
    // A split is offered when both its words are found.
    walk.Candidate = [&s](const String& candidate, TEditPass pass) {
        return pass == Split ? s.Accept(candidate) : s.Offer(candidate);
    };
    WalkSuggestions(word, passes, walk);
}
