#pragma once
// List values in an INI file: a count key and numbered item keys.
#include <memory>
#include <vector>

#include "framework/system/IniFile.h"

class TStrings;
class TUser;
class TMain;

class TEnhancedINI : public TIniFile {
public:
    using TIniFile::TIniFile;

    void ReadList(const String& section, const String& name, TStrings* strings);
    void WriteList(const String& section, const String& name, const TStrings* strings);
    void ReadFlaggedList(const String& section, const String& name,
                         std::vector<std::unique_ptr<TUser>>& list);
    void WriteFlaggedList(const String& section, const String& name,
                          const std::vector<std::unique_ptr<TUser>>& list);
    void ReadMainList(const String& section, const String& name,
                      std::vector<std::unique_ptr<TMain>>& list);
    void WriteMainList(const String& section, const String& name,
                       const std::vector<std::unique_ptr<TMain>>& list);
    bool SectionHasID(const String& section);
};
