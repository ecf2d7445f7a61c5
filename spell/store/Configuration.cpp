#include "spell/store/Configuration.h"

#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "spell/store/Dictionary.h"
#include "spell/store/EnhancedINI.h"

TConfiguration::TConfiguration(const String& fileName, TSpellOptions defaultOptions,
                               const String& defaultUser, const String& defaultMain,
                               const String& section)
    : FileName(fileName),
      Section(section),
      DefaultOptions(defaultOptions),
      DefaultMain(defaultMain),
      DefaultUser(defaultUser) {
    if (!FileName.empty()) ReadConfiguration();
}

TConfiguration::~TConfiguration() {
    if (Dirty && Valid) {
        try {
            Write();
        } catch (const std::exception&) {
        }
    }
    Clear();
}

void TConfiguration::Clear() {
    UserIndex = -1;
    Options = 0;
    MainDictionaries.clear();
    UserDictionaries.clear();
    Valid = false;
}

void TConfiguration::ReadConfiguration() {
    Clear();
    TEnhancedINI ini(FileName);
    if (ini.SectionHasID(Section)) {
        ini.ReadMainList(Section, "DCT", MainDictionaries);
        ini.ReadFlaggedList(Section, "DCT", UserDictionaries);
        for (const auto& key : SpellOptionKeys)
            if (ini.ReadBool(Section, key.Name, key.KeyDefault)) Options |= key.Option;
        UserIndex = ini.ReadInteger(Section, "UserIndex", -1);
        // An index outside the list would make the checker add words to a
        // dictionary that does not exist; it means "none".
        if (UserIndex < -1 || UserIndex >= static_cast<Integer>(UserDictionaries.size()))
            UserIndex = -1;
        Dirty = false;
    } else {
        Discover();
    }
    Valid = true;
}

void TConfiguration::Discover() {
    const String dir = ExtractFilePath(FileName);
    const String folder = dir.empty() ? String("./") : dir;
    for (const String& name : ListFilesByExt(folder, "dct")) {
        const String path = dir + name;
        MainDictionaries.push_back(std::make_unique<TMain>(
            path, AnsiLowerCase(name) == AnsiLowerCase(DefaultMain), TDictionary::ReadDescription(path)));
    }
    for (const String& name : ListFilesByExt(folder, "udt")) {
        const bool isDefault = AnsiLowerCase(name) == AnsiLowerCase(DefaultUser);
        if (isDefault) UserIndex = static_cast<Integer>(UserDictionaries.size());
        UserDictionaries.push_back(std::make_unique<TUser>(dir + name, isDefault));
    }
    if (UserDictionaries.empty()) {
        UserDictionaries.push_back(std::make_unique<TUser>(dir + DefaultUser, true));
        UserIndex = 0;
    }
    Options = DefaultOptions;
    Dirty = true;
}

void TConfiguration::Write() {
    TEnhancedINI ini(FileName);
    ini.WriteMainList(Section, "DCT", MainDictionaries);
    std::vector<std::unique_ptr<TUser>> users;
    for (const auto& u : UserDictionaries) users.push_back(std::make_unique<TUser>(*u));
    ini.WriteFlaggedList(Section, "DCT", users);
    for (const auto& key : SpellOptionKeys) ini.WriteBool(Section, key.Name, (Options & key.Option) != 0);
    ini.WriteInteger(Section, "UserIndex", UserIndex);
    ini.UpdateFile();
    Dirty = false;
}

void TConfiguration::Assign(const TConfiguration& source) {
    if (&source == this) return;
    Clear();
    FileName = source.FileName;
    Section = source.Section;
    Dirty = source.Dirty;
    Valid = source.Valid;
    Options = source.Options;
    UserIndex = source.UserIndex;
    for (const auto& m : source.MainDictionaries) MainDictionaries.push_back(std::make_unique<TMain>(*m));
    for (const auto& u : source.UserDictionaries) UserDictionaries.push_back(std::make_unique<TUser>(*u));
}
