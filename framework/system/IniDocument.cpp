#include "framework/system/IniDocument.h"

#include <sys/stat.h>

#include <unordered_map>
#include <unordered_set>

#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"

// Names and values are cut with Trim: every byte up to a blank counts as
// blank, which is also how the system's own INI reader treats them.

void TIniDocument::Clear() {
    FSections.clear();
    FLineBreak = "\n";
}

void TIniDocument::Parse(const String& text) {
    Clear();
    // A file that came with CR LF goes back with CR LF.
    size_t firstLf = text.find('\n');
    if (firstLf != String::npos && firstLf > 0 && text[firstLf - 1] == '\r') FLineBreak = "\r\n";

    FSections.push_back(TSection{});  // the lines before the first header
    // Sections by their names in lower case, so a file of many sections
    // reads in time in step with its size.
    std::unordered_map<String, size_t> byName;
    size_t current = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == String::npos) end = text.size();
        String raw = text.substr(pos, end - pos);
        pos = end + 1;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();

        String t = Trim(raw);
        if (!t.empty() && t[0] == '[') {
            size_t close = t.rfind(']');
            String name = Trim(close == String::npos || close == 0 ? t.substr(1)
                                                                          : t.substr(1, close - 1));
            const auto [at, added] = byName.emplace(LowerCase(name), FSections.size());
            if (added) FSections.push_back(TSection{name, true, {}});
            current = at->second;
            continue;
        }
        TLine line;
        line.Raw = raw;
        size_t eq = t.find('=');
        if (!t.empty() && t[0] != ';' && t[0] != '#' && eq != String::npos) {
            line.IsPair = true;
            line.Key = Trim(t.substr(0, eq));
            line.Value = Trim(t.substr(eq + 1));
        }
        FSections[current].Lines.push_back(std::move(line));
    }
}

String TIniDocument::Text() const {
    String out;
    for (const TSection& s : FSections) {
        if (s.HasHeader) out += "[" + s.Name + "]" + FLineBreak;
        for (const TLine& l : s.Lines) out += l.Raw + FLineBreak;
    }
    return out;
}

TIniDocument::TSection* TIniDocument::FindSection(const String& name) {
    for (TSection& s : FSections)
        if (s.HasHeader && SameText(s.Name, name)) return &s;
    return nullptr;
}

const TIniDocument::TSection* TIniDocument::FindSection(const String& name) const {
    for (const TSection& s : FSections)
        if (s.HasHeader && SameText(s.Name, name)) return &s;
    return nullptr;
}

void TIniDocument::Index(const TSection& s) {
    if (s.Indexed) return;
    s.Keys.clear();
    s.LastPair = String::npos;
    for (size_t i = 0; i < s.Lines.size(); ++i) {
        if (!s.Lines[i].IsPair) continue;
        s.Keys.emplace(LowerCase(s.Lines[i].Key), i);
        s.LastPair = i;
    }
    s.Indexed = true;
}

size_t TIniDocument::FindLine(const TSection& s, const String& key) {
    Index(s);
    const auto at = s.Keys.find(LowerCase(key));
    return at == s.Keys.end() ? s.Lines.size() : at->second;
}

bool TIniDocument::SectionExists(const String& section) const {
    return FindSection(section) != nullptr;
}

std::vector<String> TIniDocument::SectionNames() const {
    std::vector<String> names;
    for (const TSection& s : FSections)
        if (s.HasHeader) names.push_back(s.Name);
    return names;
}

std::vector<String> TIniDocument::KeyNames(const String& section) const {
    std::vector<String> names;
    for (const TEntry& e : Entries(section)) names.push_back(e.first);
    return names;
}

std::vector<TIniDocument::TEntry> TIniDocument::Entries(const String& section) const {
    std::vector<TEntry> entries;
    const TSection* s = FindSection(section);
    if (!s) return entries;
    std::unordered_set<String> seen;
    for (const TLine& l : s->Lines)
        if (l.IsPair && seen.insert(LowerCase(l.Key)).second) entries.emplace_back(l.Key, l.Value);
    return entries;
}

bool TIniDocument::ValueExists(const String& section, const String& key) const {
    const TSection* s = FindSection(section);
    return s && FindLine(*s, key) < s->Lines.size();
}

bool TIniDocument::ReadValue(const String& section, const String& key, String& value) const {
    const TSection* s = FindSection(section);
    if (!s) return false;
    const size_t i = FindLine(*s, key);
    if (i == s->Lines.size()) return false;
    value = s->Lines[i].Value;
    return true;
}

void TIniDocument::AddSection(const String& section) {
    if (FindSection(section)) return;
    // Keep one blank line between sections so the file stays readable by hand.
    TSection* last = FSections.empty() ? nullptr : &FSections.back();
    if (last && !last->Lines.empty() && !Trim(last->Lines.back().Raw).empty())
        last->Lines.push_back(TLine{});
    FSections.push_back(TSection{section, true, {}});
}

void TIniDocument::WriteValue(const String& section, const String& key, const String& value) {
    AddSection(section);
    TSection* s = FindSection(section);
    const size_t found = FindLine(*s, key);
    if (found < s->Lines.size()) {
        // The name keeps the spelling it was first given.
        TLine& l = s->Lines[found];
        l.Value = value;
        l.Raw = l.Key + "=" + value;
        return;
    }
    size_t at;
    if (s->LastPair == String::npos) {
        // No keys yet: go before any trailing blank lines and comments.
        at = s->Lines.size();
        while (at > 0 && Trim(s->Lines[at - 1].Raw).empty()) --at;
    } else {
        at = s->LastPair + 1;
    }
    // Only lines that are no pairs follow `at`: the index stays true.
    s->Lines.insert(s->Lines.begin() + static_cast<std::ptrdiff_t>(at), TLine{true, key, value, key + "=" + value});
    s->Keys.emplace(LowerCase(key), at);
    s->LastPair = at;
}

bool TIniDocument::DeleteKey(const String& section, const String& key) {
    TSection* s = FindSection(section);
    if (!s) return false;
    bool found = false;
    // Duplicates go too: otherwise the next one would rise to take its place.
    for (size_t i = s->Lines.size(); i-- > 0;) {
        if (s->Lines[i].IsPair && SameText(s->Lines[i].Key, key)) {
            s->Lines.erase(s->Lines.begin() + static_cast<std::ptrdiff_t>(i));
            found = true;
        }
    }
    if (found) s->Indexed = false;
    return found;
}

bool TIniDocument::EraseSection(const String& section) {
    for (size_t i = 0; i < FSections.size(); ++i) {
        if (FSections[i].HasHeader && SameText(FSections[i].Name, section)) {
            FSections.erase(FSections.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    }
    return false;
}

TIniDocument::TStamp TIniDocument::StampOf(const String& fileName) {
    TStamp st;
    struct stat sb {};
    if (::stat(fileName.c_str(), &sb) != 0) return st;
    st.Exists = true;
    st.Dev = sb.st_dev;
    st.Ino = sb.st_ino;
    st.Size = static_cast<unsigned long long>(sb.st_size);
    st.MTimeSec = sb.st_mtim.tv_sec;
    st.MTimeNSec = sb.st_mtim.tv_nsec;
    st.CTimeSec = sb.st_ctim.tv_sec;
    st.CTimeNSec = sb.st_ctim.tv_nsec;
    return st;
}

void TIniDocument::LoadFromFile(const String& fileName) {
    TStamp st = StampOf(fileName);
    if (!st.Exists) {
        Clear();
        FStamp = st;
        return;
    }
    String text = ReadFileToString(fileName);
    Parse(text);
    FStamp = st;
}

void TIniDocument::SaveToFile(const String& fileName) {
    String dir = ExtractFileDir(fileName);
    if (!dir.empty() && !DirectoryExists(dir)) ForceDirectories(dir);
    SafeWriteFile(fileName, Text());
    FStamp = StampOf(fileName);
}

bool TIniDocument::ChangedOnDisk(const String& fileName) const {
    return !(StampOf(fileName) == FStamp);
}
