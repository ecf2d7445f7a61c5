#pragma once
// The composer's settings: string values under one registry key, mirrored
// in setting strings that the main window and the tool windows read and
// change. GetDefaults reads them, SetDefaults writes them back; only values
// that exist are ever written, so the set of values is fixed by whoever
// created the key — the first run, which seeds every value at its default.
#include <utility>
#include <vector>

#include "composer/engine/MetaFields.h"
#include "framework/rtl/Types.h"

class TRegistry;

using TSettingValues = std::vector<std::pair<String, String>>;

// The states of the window's controls that are stored with the settings.
struct TSettingsWindowValues {
    bool Autosize = false;     // CheckBox2 "Auto Si&ze"
    bool Rblank = false;       // rblank "Remove Tags"
    bool Multiline = false;    // CheckBox3 "&Multi-Line"
    bool ProtectName = false;  // CheckBox4 "&Protect Name"
    String Schema;             // scname's text
};

class TComposerSettings {
public:
    // Setting strings. A flag is on only when it is exactly "1".
    String sskey, ssopt, sscust;
    String akey, adesc;
    String usexhtml;
    String tokens;
    String BodyChk;
    String cwn;
    String clasname, aname, lname, catstr;
    String llist;
    String sscont;
    String vocab;
    String schema;
    String keywords;     // the analysis' keywords length limit
    String description;  // the analysis' description length limit
    String copyright, robots, revisit;
    String name;         // Protect Name: column 0 of the custom grids is locked while "1"

    // Values read for the window's check boxes. "autosize" is read only when
    // it exists, so HasAutosize tells whether the box is to follow it.
    bool HasAutosize = false;
    String autosize;
    String multiline;
    String rblank;
    String pname;

    static bool On(const String& flag) { return flag == "1"; }

    // The key of these settings and that of the internet update window.
    static const char* const KeyPath;
    static const char* const UpdateKeyPath;
    // Every value the program reads, at its default, in the order written
    // to a new store.
    static TSettingValues DefaultValues();
    static TSettingValues UpdateDefaultValues();
    // Seeds a store that does not hold the composer's key yet (the first
    // run) with every value at its default; an existing key is left alone,
    // so a value the user removed is not brought back. The internet update
    // key is seeded the same way. True when anything was seeded; raises
    // ERegistryException when the store cannot be written.
    static bool SeedDefaults();

    // GetDefaults' reading: every value in the order of the table, by its
    // read rule. A key that cannot be opened reads as described there: the
    // if-present values keep their strings, the limits take their defaults
    // and the always-read values become empty.
    void Read();
    // getpolicy: the rule base and the Protect Name flag.
    void ReadPolicy();
    // SetDefaults' writing. Only values that exist are written; "vocab" and
    // "schema" only when not empty. False when the store could not be
    // opened or written (nothing is reported: the program is ending).
    bool Write(const TSettingsWindowValues& window);

    // Numbers are read tolerantly: empty or not a number gives the default.
    static int ToNumber(const String& s, int defaultValue);
    int KeywordsLimit() const { return ToNumber(keywords, 1000); }
    int DescriptionLimit() const { return ToNumber(description, 200); }
    // The body-check length handed to the keyword generator.
    int BodyCheckLength() const { return ToNumber(BodyChk, 1500); }

    // What the page-head engine needs of these settings.
    TTagSettings TagSettings() const;

private:
    void ReadLimits(TRegistry* reg);
    void ReadRuleFlags(TRegistry* reg);
};

// The setting strings of the running program, shared by its windows.
extern TComposerSettings ComposerSettings;
