#include "composer/engine/ComposerSettings.h"

#include "framework/rtl/StrUtils.h"
#include "framework/system/Registry.h"

TComposerSettings ComposerSettings;

const char* const TComposerSettings::KeyPath = "\\Software\\VREK\\velmor";
const char* const TComposerSettings::UpdateKeyPath = "\\Software\\VREK\\parcelmint";

TSettingValues TComposerSettings::DefaultValues() {
    return {
        {"sskey", "1"},          {"ssopt", "1"},
        {"sscust", "1"},         {"usexhtml", "0"},
        {"tokens", "0"},         {"cwn", "0"},
        {"rblank", "0"},         {"name", "0"},
        {"pname", "0"},          {"llist", "1"},
        {"akey", "1"},           {"adesc", "1"},
        {"aname", "author"},     {"clasname", "classification"},
        {"lname", "language"},   {"catstr", "subject"},
        {"keywords", "1000"},    {"description", "200"},
        {"kwgcount", "25"},      {"BodyChk", "1500"},
        {"copyright", "1"},      {"robots", "1"},
        {"revisit", "1"},        {"Autosize", "0"},
        {"multiline", "0"},      {"sscont", ""},
        {"vocab", ""},           {"schema", ""},
    };
}

TSettingValues TComposerSettings::UpdateDefaultValues() {
    // As the update window starts on a fresh install: plain http, and the
    // controlled list files chosen.
    return {{"dt-type", "http://"}, {"dt-user", ""},  {"dt-password", ""}, {"dt-url", ""},
            {"dt-proxy", ""},       {"dt-lists", "1"}, {"dt-scf", "0"},     {"dt-schema", "0"}};
}

bool TComposerSettings::SeedDefaults() {
    bool seeded = false;
    auto seed = [&](const char* key, const TSettingValues& values) {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        if (reg.KeyExists(key)) return;
        if (SeedRegistryDefaults(HKEY_LOCAL_MACHINE, key, values) > 0) seeded = true;
    };
    seed(KeyPath, DefaultValues());
    seed(UpdateKeyPath, UpdateDefaultValues());
    return seeded;
}

int TComposerSettings::ToNumber(const String& s, int defaultValue) {
    int value = 0;
    if (!TryStrToInt(Trim(s), value) || value < 0) return defaultValue;
    return value;
}

namespace {

// Reads an if-present value: a missing one keeps what the string held.
void ReadIfPresent(TRegistry* reg, const char* name, String& target) {
    if (reg && reg->ValueExists(name)) target = reg->ReadString(name);
}

// Reads an always-read value: a missing one reads as empty.
String ReadAlways(TRegistry* reg, const char* name) { return reg ? reg->ReadString(name) : String(); }

}  // namespace

void TComposerSettings::ReadLimits(TRegistry* reg) {
    keywords = reg && reg->ValueExists("keywords") ? reg->ReadString("keywords") : String("1000");
    description =
        reg && reg->ValueExists("description") ? reg->ReadString("description") : String("200");
}

void TComposerSettings::ReadRuleFlags(TRegistry* reg) {
    copyright = ReadAlways(reg, "copyright");
    robots = ReadAlways(reg, "robots");
    revisit = ReadAlways(reg, "revisit");
    name = ReadAlways(reg, "name");
}

void TComposerSettings::Read() {
    TRegistry store;
    store.SetRootKey(HKEY_LOCAL_MACHINE);
    TRegistry* reg = store.OpenKey(KeyPath, true) ? &store : nullptr;

    HasAutosize = reg && reg->ValueExists("autosize");
    if (HasAutosize) autosize = reg->ReadString("autosize");
    multiline = ReadAlways(reg, "multiline");
    rblank = ReadAlways(reg, "rblank");
    pname = ReadAlways(reg, "pname");
    ReadIfPresent(reg, "ssopt", ssopt);
    ReadIfPresent(reg, "sskey", sskey);
    ReadIfPresent(reg, "sscust", sscust);
    ReadIfPresent(reg, "akey", akey);
    ReadIfPresent(reg, "adesc", adesc);
    ReadIfPresent(reg, "usexhtml", usexhtml);
    ReadIfPresent(reg, "tokens", tokens);
    ReadIfPresent(reg, "BodyChk", BodyChk);
    ReadIfPresent(reg, "cwn", cwn);
    ReadIfPresent(reg, "clasname", clasname);
    ReadIfPresent(reg, "aname", aname);
    ReadIfPresent(reg, "lname", lname);
    ReadIfPresent(reg, "catstr", catstr);
    ReadIfPresent(reg, "llist", llist);
    ReadIfPresent(reg, "sscont", sscont);
    ReadIfPresent(reg, "vocab", vocab);
    ReadIfPresent(reg, "schema", schema);
    ReadLimits(reg);
    ReadRuleFlags(reg);
}

void TComposerSettings::ReadPolicy() {
    TRegistry store;
    store.SetRootKey(HKEY_LOCAL_MACHINE);
    TRegistry* reg = store.OpenKey(KeyPath, true) ? &store : nullptr;
    ReadLimits(reg);
    ReadRuleFlags(reg);
}

bool TComposerSettings::Write(const TSettingsWindowValues& window) {
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKey(KeyPath, true)) return false;
    auto flag = [](bool on) { return String(on ? "1" : "0"); };
    const TSettingValues values = {
        {"Autosize", flag(window.Autosize)},
        {"rblank", flag(window.Rblank)},
        {"clasname", clasname},
        {"usexhtml", usexhtml},
        {"tokens", tokens},
        {"sscont", sscont},
        {"ssopt", ssopt},
        {"sscust", sscust},
        {"sskey", sskey},
        {"aname", aname},
        {"lname", lname},
        {"akey", akey},
        {"adesc", adesc},
        {"cwn", cwn},
        {"llist", llist},
        {"vocab", vocab},
        {"catstr", catstr},
        {"schema", window.Schema},
        {"multiline", flag(window.Multiline)},
        // The box and the protection are one setting: both names get it, so
        // the next start shows the protection that is in force.
        {"name", flag(window.ProtectName)},
        {"pname", flag(window.ProtectName)},
    };
    bool ok = true;
    for (const auto& [valueName, value] : values) {
        if ((valueName == "vocab" || valueName == "schema") && value.empty()) continue;
        try {
            if (reg.ValueExists(valueName)) reg.WriteString(valueName, value);
        } catch (const std::exception&) {
            ok = false;
        }
    }
    name = flag(window.ProtectName);
    if (!window.Schema.empty()) schema = window.Schema;
    return ok;
}

TTagSettings TComposerSettings::TagSettings() const {
    TTagSettings s;
    s.aname = aname;
    s.clasname = clasname;
    s.lname = lname;
    s.catstr = catstr;
    s.usexhtml = usexhtml;
    s.tokens = tokens;
    return s;
}
