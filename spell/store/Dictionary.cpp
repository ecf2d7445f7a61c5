#include "spell/store/Dictionary.h"

#include "framework/classes/FileStream.h"
#include "framework/classes/Strings.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "spell/store/CheckedReader.h"

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
    TSuggester s(*this, list);
    const std::size_t len = word.size();
    const auto pass = [this](int bit) { return (SuggestionPasses >> bit) & 1; };
    if (pass(0)) {
        for (std::size_t i = 0; i < len; ++i) {
            String w = word;
            const char c = w[i];
            if (c >= 'a' && c <= 'z') w[i] = static_cast<char>(c - 'a' + 'A');
            else if (c >= 'A' && c <= 'Z') w[i] = static_cast<char>(c - 'A' + 'a');
            else continue;
            if (!s.Offer(w)) return;
        }
    }
    if (pass(1)) {
        for (std::size_t i = 0; i + 1 < len; ++i) {
            String w = word;
            std::swap(w[i], w[i + 1]);
            if (!s.Offer(w)) return;
        }
    }
    if (pass(5) && len >= 3) {
        for (std::size_t i = 0; i + 2 < len; ++i) {
            String w = word;
            std::swap(w[i], w[i + 2]);
            if (!s.Offer(w)) return;
        }
    }
    if (pass(3)) {
        for (std::size_t i = 1; i <= len; ++i)
            for (char letter : LetterSet) {
                String w = word;
                w.insert(i, 1, letter);
                if (!s.Offer(w)) return;
            }
    }
    if (pass(4)) {
        for (std::size_t i = 0; i < len; ++i)
            for (char letter : LetterSet) {
                String w = word;
                w[i] = letter;
                if (!s.Offer(w)) return;
            }
    }
    if (pass(2)) {
        for (std::size_t i = 0; i < len; ++i) {
            String w = word;
            w.erase(i, 1);
            if (!s.Offer(w)) return;
        }
    }
    if (pass(6) && len >= 5) {
        for (std::size_t i = 0; i < len; ++i) {
            String once = word;
            once.erase(i, 1);
            for (std::size_t j = 0; j < once.size(); ++j) {
                String w = once;
                w.erase(j, 1);
                if (!s.Offer(w)) return;
            }
        }
    }
    if (pass(7) && len >= 4) {
        for (std::size_t k = 2; k + 2 <= len; ++k) {
            const String head = word.substr(0, k);
            const String tail = word.substr(k);
            if (Lookup(head) && Lookup(tail))
                if (!s.Accept(head + " " + tail)) break;
        }
    }
}
