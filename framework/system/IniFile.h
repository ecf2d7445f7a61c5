#pragma once
#include <memory>
#include <vector>

#include "framework/rtl/Exception.h"
#include "framework/rtl/Types.h"

class TStrings;
class TIniDocument;

VELMOR_EXCEPTION(EIniFileException, Exception)

// An INI file: sections of name=value lines, names matched without regard to
// case. A missing file reads as empty.
//
// Changes are kept in memory and written, safely, by UpdateFile and by the
// destructor. The file stays the truth: when another object or program has
// rewritten it in between, it is read again and this object's own changes
// are laid over the new content, so two objects on one file do not undo each
// other's work. Comments and blank lines survive a rewrite.
//
// Values read with one pair of surrounding quotes lose them, as the system's
// own INI reader does; values written with leading or trailing blanks (or
// with quotes of their own at both ends) are quoted so they read back the
// same. A line break cannot live in an INI line: writing one raises
// EIniFileException instead of splitting the entry.
class TIniFile : public TObject {
public:
    explicit TIniFile(const String& fileName);
    ~TIniFile() override;  // writes pending changes; a failure is swallowed
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const String& FileName() const { return FFileName; }

    String ReadString(const String& section, const String& ident, const String& def);
    void WriteString(const String& section, const String& ident, const String& value);
    // A missing or non-numeric value reads as `def`.
    int ReadInteger(const String& section, const String& ident, int def);
    void WriteInteger(const String& section, const String& ident, int value);
    // Any integer but 0 is true; written as "1" or "0".
    bool ReadBool(const String& section, const String& ident, bool def);
    void WriteBool(const String& section, const String& ident, bool value);

    void ReadSection(const String& section, TStrings* strings);        // names
    void ReadSections(TStrings* strings);
    void ReadSectionValues(const String& section, TStrings* strings);  // name=value
    bool SectionExists(const String& section);
    bool ValueExists(const String& section, const String& ident);
    void EraseSection(const String& section);
    void DeleteKey(const String& section, const String& ident);

    // Writes the pending changes; raises EIniFileException when the file
    // cannot be written (the old file is left whole and the changes stay
    // pending for the next try). Does nothing when nothing changed.
    void UpdateFile();

private:
    struct TChange;
    void Refresh();
    void Apply(const TChange& change);
    void Record(TChange change);

    String FFileName;
    std::unique_ptr<TIniDocument> FDoc;
    std::vector<TChange> FPending;  // applied in order over the file's content
    bool FUnreadable = false;
};
