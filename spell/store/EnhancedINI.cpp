#include "spell/store/EnhancedINI.h"

#include <algorithm>
#include <unordered_map>

#include "framework/classes/StringList.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "spell/store/Dictionary.h"
#include "spell/store/Main.h"

void TEnhancedINI::ReadList(const String& section, const String& name, TStrings* strings) {
    // The section is read once: a list of many items, or a count far larger
    // than the items there are, costs what the section's size does.
    TStringList values;
    ReadSectionValues(section, &values);
    std::unordered_map<String, String> byKey;
    for (int k = 0; k < values.Count(); ++k) {
        const String& line = values.Get(k);
        const std::size_t eq = line.find('=');
        byKey.emplace(LowerCase(line.substr(0, eq)), line.substr(eq + 1));
    }
    const auto countAt = byKey.find(LowerCase(name + "_ListCount"));
    const int count = countAt == byKey.end() ? 0 : StrToIntDef(countAt->second, 0);
    if (count <= 0) return;
    const String prefix = LowerCase(name + "_");
    std::vector<std::pair<int, const String*>> items;
    for (const auto& [key, value] : byKey) {
        if (key.size() <= prefix.size() || key.compare(0, prefix.size(), prefix) != 0) continue;
        const String digits = key.substr(prefix.size());
        int i = 0;
        // Only the item names the list writes: "IGN_7", never "IGN_07".
        if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
            TryStrToInt(digits, i) && i < count && IntToStr(i) == digits)
            items.emplace_back(i, &value);
    }
    std::sort(items.begin(), items.end());
    for (const auto& item : items)
        if (!item.second->empty()) strings->Add(*item.second);
}

void TEnhancedINI::WriteList(const String& section, const String& name, const TStrings* strings) {
    WriteInteger(section, name + "_ListCount", strings->Count());
    for (int i = 0; i < strings->Count(); ++i)
        WriteString(section, name + "_" + IntToStr(i), strings->Get(i));
}

void TEnhancedINI::ReadFlaggedList(const String& section, const String& name,
                                   std::vector<std::unique_ptr<TUser>>& list) {
    TStringList items;
    ReadList(section, "U_" + name, &items);
    for (int i = 0; i < items.Count(); ++i) {
        const String item = items.Get(i);
        list.push_back(std::make_unique<TUser>(item.substr(1), item[0] == 'T'));
    }
}

void TEnhancedINI::WriteFlaggedList(const String& section, const String& name,
                                    const std::vector<std::unique_ptr<TUser>>& list) {
    TStringList items;
    for (const auto& u : list) items.Add((u->Enabled ? "T" : "F") + u->FileName);
    WriteList(section, "U_" + name, &items);
}

void TEnhancedINI::ReadMainList(const String& section, const String& name,
                                std::vector<std::unique_ptr<TMain>>& list) {
    TStringList descriptions;
    ReadList(section, "M_" + name, &descriptions);
    std::vector<std::unique_ptr<TUser>> entries;
    ReadFlaggedList(section, "MU_" + name, entries);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const String& path = entries[i]->FileName;
        const bool exists = FileExists(path);
        auto main = std::make_unique<TMain>(path, entries[i]->Enabled && exists, String());
        if (static_cast<int>(i) < descriptions.Count())
            main->Description = descriptions.Get(static_cast<int>(i));
        else if (exists)
            main->Description = TDictionary::ReadDescription(path);
        list.push_back(std::move(main));
    }
}

void TEnhancedINI::WriteMainList(const String& section, const String& name,
                                 const std::vector<std::unique_ptr<TMain>>& list) {
    WriteBool(section, "ID", true);
    std::vector<std::unique_ptr<TUser>> entries;
    TStringList descriptions;
    for (const auto& m : list) {
        entries.push_back(std::make_unique<TUser>(m->FileName, m->Enabled));
        descriptions.Add(m->Description);
    }
    WriteFlaggedList(section, "MU_" + name, entries);
    WriteList(section, "M_" + name, &descriptions);
}

bool TEnhancedINI::SectionHasID(const String& section) { return ReadBool(section, "ID", false); }
