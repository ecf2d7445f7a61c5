#include "framework/system/IniFile.h"

#include "framework/classes/Strings.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/IniDocument.h"

namespace {

const char* const SIniFileWriteError = "Unable to write to %s";
const char* const SIniLineBreak =
    "Unable to write to %s: %s holds a line break, which an INI file cannot store";
const char* const SIniBadKey =
    "Unable to write to %s: \"%s\" cannot be a key of an INI file (it is empty, holds \"=\" or "
    "begins with \"[\", \";\" or \"#\")";

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

bool HasLineBreak(const String& s) { return s.find_first_of("\r\n") != String::npos; }

bool QuotedPair(const String& s) {
    return s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front();
}

String Unquote(const String& v) { return QuotedPair(v) ? v.substr(1, v.size() - 2) : v; }

String QuoteIfNeeded(const String& v) {
    if (v.empty()) return v;
    if (IsBlank(v.front()) || IsBlank(v.back()) || QuotedPair(v)) return "\"" + v + "\"";
    return v;
}

}  // namespace

struct TIniFile::TChange {
    enum TKind { ckWrite, ckDeleteKey, ckEraseSection };
    TKind Kind;
    String Section;
    String Ident;
    String Value;  // as it goes into the file
};

TIniFile::TIniFile(const String& fileName)
    : FFileName(fileName), FDoc(std::make_unique<TIniDocument>()) {
    try {
        FDoc->LoadFromFile(FFileName);
    } catch (const Exception&) {
        // Unreadable, not missing: read as empty, but never write over it.
        FUnreadable = true;
    }
}

TIniFile::~TIniFile() {
    try {
        UpdateFile();
    } catch (...) {
        // Callers that care call UpdateFile themselves; the old file is whole.
    }
}

void TIniFile::Refresh() {
    if (!FDoc->ChangedOnDisk(FFileName)) return;
    try {
        FDoc->LoadFromFile(FFileName);
        FUnreadable = false;
    } catch (const Exception&) {
        FDoc->Clear();
        FUnreadable = true;
    }
    for (const TChange& c : FPending) Apply(c);
}

void TIniFile::Apply(const TChange& c) {
    switch (c.Kind) {
        case TChange::ckWrite:
            FDoc->WriteValue(c.Section, c.Ident, c.Value);
            break;
        case TChange::ckDeleteKey:
            FDoc->DeleteKey(c.Section, c.Ident);
            break;
        case TChange::ckEraseSection:
            FDoc->EraseSection(c.Section);
            break;
    }
}

void TIniFile::Record(TChange change) {
    Refresh();
    Apply(change);
    FPending.push_back(std::move(change));
}

String TIniFile::ReadString(const String& section, const String& ident, const String& def) {
    Refresh();
    String v;
    if (!FDoc->ReadValue(Trim(section), Trim(ident), v)) return def;
    return Unquote(v);
}

void TIniFile::WriteString(const String& section, const String& ident, const String& value) {
    String sec = Trim(section), id = Trim(ident);
    // Each of these would change the meaning of the file's other lines.
    const String broken = HasLineBreak(sec)     ? "the section name \"" + sec + "\""
                          : HasLineBreak(id)    ? "the key \"" + id + "\""
                          : HasLineBreak(value) ? "the value of \"" + id + "\""
                                                : String();
    if (!broken.empty()) throw EIniFileException(SIniLineBreak, {FFileName, broken});
    if (id.empty() || id.find('=') != String::npos || id[0] == '[' || id[0] == ';' || id[0] == '#')
        throw EIniFileException(SIniBadKey, {FFileName, id});
    Record(TChange{TChange::ckWrite, sec, id, QuoteIfNeeded(value)});
}

int TIniFile::ReadInteger(const String& section, const String& ident, int def) {
    return StrToIntDef(ReadString(section, ident, String()), def);
}

void TIniFile::WriteInteger(const String& section, const String& ident, int value) {
    WriteString(section, ident, IntToStr(value));
}

bool TIniFile::ReadBool(const String& section, const String& ident, bool def) {
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const String& section, const String& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

void TIniFile::ReadSection(const String& section, TStrings* strings) {
    Refresh();
    strings->BeginUpdate();
    strings->Clear();
    for (const String& k : FDoc->KeyNames(Trim(section))) strings->Add(k);
    strings->EndUpdate();
}

void TIniFile::ReadSections(TStrings* strings) {
    Refresh();
    strings->BeginUpdate();
    strings->Clear();
    for (const String& s : FDoc->SectionNames()) strings->Add(s);
    strings->EndUpdate();
}

void TIniFile::ReadSectionValues(const String& section, TStrings* strings) {
    Refresh();
    strings->BeginUpdate();
    strings->Clear();
    for (const auto& [k, v] : FDoc->Entries(Trim(section))) strings->Add(k + "=" + Unquote(v));
    strings->EndUpdate();
}

bool TIniFile::SectionExists(const String& section) {
    Refresh();
    return FDoc->SectionExists(Trim(section));
}

bool TIniFile::ValueExists(const String& section, const String& ident) {
    Refresh();
    return FDoc->ValueExists(Trim(section), Trim(ident));
}

void TIniFile::EraseSection(const String& section) {
    Record(TChange{TChange::ckEraseSection, Trim(section), String(), String()});
}

void TIniFile::DeleteKey(const String& section, const String& ident) {
    Record(TChange{TChange::ckDeleteKey, Trim(section), Trim(ident), String()});
}

void TIniFile::UpdateFile() {
    if (FPending.empty()) return;
    Refresh();
    if (FUnreadable) throw EIniFileException(SIniFileWriteError, {FFileName});
    try {
        FDoc->SaveToFile(FFileName);
    } catch (const Exception& e) {
        throw EIniFileException(String(SIniFileWriteError) + ". %s", {FFileName, e.Message});
    }
    FPending.clear();
}
