#pragma once
#include <unordered_map>
#include <utility>
#include <vector>

#include "framework/rtl/Types.h"

// The text of an INI file held line by line, so that rewriting it keeps the
// comments, blank lines and order a person gave it. TIniFile and the
// registry store both stand on it; neither parses INI text itself.
//
// Section and key names are matched without regard to ASCII case. Duplicate
// sections are merged into the first one when parsed; of duplicate keys the
// first is read and written. Values are raw text: quoting or escaping is the
// business of the class that owns the file.
class TIniDocument {
public:
    using TEntry = std::pair<String, String>;

    void Parse(const String& text);
    String Text() const;
    void Clear();

    bool SectionExists(const String& section) const;
    std::vector<String> SectionNames() const;
    std::vector<String> KeyNames(const String& section) const;
    std::vector<TEntry> Entries(const String& section) const;

    bool ValueExists(const String& section, const String& key) const;
    // False, leaving `value` alone, when the key is missing.
    bool ReadValue(const String& section, const String& key, String& value) const;
    // Creates the section when needed; a new key goes after the section's
    // last key, so comments that lead into the next section stay with it.
    void WriteValue(const String& section, const String& key, const String& value);
    void AddSection(const String& section);
    bool DeleteKey(const String& section, const String& key);
    bool EraseSection(const String& section);

    // --- the file behind the document ---
    // A missing file loads as empty; an unreadable one raises EFOpenError.
    void LoadFromFile(const String& fileName);
    // Written with SafeWriteFile, creating the folder when it is missing.
    void SaveToFile(const String& fileName);
    // True when the file is no longer the one last loaded or saved here:
    // another object or process has written it, or it came or went.
    bool ChangedOnDisk(const String& fileName) const;

private:
    struct TLine {
        bool IsPair = false;
        String Key;    // pairs only
        String Value;  // pairs only
        String Raw;    // the line as it reads in the file
    };
    struct TSection {
        String Name;
        bool HasHeader = false;  // false only for the lines before any header
        std::vector<TLine> Lines;
        // The first pair line of each key (in lower case) and the last pair
        // line, made when first asked for and kept by WriteValue, so that
        // writing a list of many keys costs in step with its length.
        mutable std::unordered_map<String, size_t> Keys;
        mutable size_t LastPair = String::npos;  // npos when there is none
        mutable bool Indexed = false;
    };
    struct TStamp {
        bool Exists = false;
        unsigned long long Dev = 0, Ino = 0, Size = 0;
        long long MTimeSec = 0, MTimeNSec = 0, CTimeSec = 0, CTimeNSec = 0;
        bool operator==(const TStamp&) const = default;
    };
    static TStamp StampOf(const String& fileName);

    TSection* FindSection(const String& name);
    const TSection* FindSection(const String& name) const;
    static void Index(const TSection& s);
    // The first pair line of `key`, or s.Lines.size().
    static size_t FindLine(const TSection& s, const String& key);

    std::vector<TSection> FSections;
    String FLineBreak = "\n";
    TStamp FStamp;
};
