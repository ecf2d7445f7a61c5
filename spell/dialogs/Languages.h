#pragma once
// The numbered texts the spell checker shows, one table per language.
#include <memory>
#include <vector>

#include "framework/classes/Persistent.h"
#include "framework/classes/StringList.h"

class TStrings;

class TLanguageModule {
public:
    TLanguageModule();
    String Name;
    std::unique_ptr<TStringList> Strings;
};

class TLanguages : public TPersistent {
public:
    TLanguages();
    ~TLanguages() override;
    String ClassName() const override { return "TLanguages"; }
    void Assign(TPersistent* source) override;

    // The stored form: "LangCount", then the "Lang" list of each module's
    // name, its texts and the "@@@" marker.
    void WriteLang(TStrings* items) const;
    // Reads LangCount modules from `items`; the count is set first, as the
    // stored form holds it before the list.
    void ReadLang(const TStrings* items);

    int ModuleCount() const { return static_cast<int>(Modules.size()); }
    TLanguageModule* Module(int index) const;  // nullptr when out of range
    // Text `index` of module `language`; empty when either is out of range.
    String Text(int language, int index) const;

    static String ConvertLineBreaks(const String& text);

    Integer LangCount = 0;
    std::vector<std::unique_ptr<TLanguageModule>> Modules;
};
