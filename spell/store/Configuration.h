#pragma once
// One section of the spell configuration file: which dictionaries exist and
// are enabled, the current user dictionary, and the checking options.
#include <memory>
#include <vector>

#include "spell/store/Main.h"
#include "spell/store/SpellOptions.h"

class TConfiguration : public TObject {
public:
    TConfiguration(const String& fileName, TSpellOptions defaultOptions, const String& defaultUser,
                   const String& defaultMain, const String& section);
    // Writes the settings when they changed; a failure to write is dropped
    // here, so callers that must know call Write themselves first.
    ~TConfiguration() override;
    TConfiguration(const TConfiguration&) = delete;
    TConfiguration& operator=(const TConfiguration&) = delete;

    void ReadConfiguration();
    // Raises EIniFileException when the file cannot be written.
    void Write();
    void Clear();
    void Assign(const TConfiguration& source);

    String FileName;
    String Section;
    std::vector<std::unique_ptr<TMain>> MainDictionaries;
    std::vector<std::unique_ptr<TUser>> UserDictionaries;
    Integer UserIndex = -1;
    bool Dirty = false;
    bool Valid = false;
    TSpellOptions Options = 0;
    TSpellOptions DefaultOptions = 0;
    String DefaultMain;
    String DefaultUser;

private:
    void Discover();
};
