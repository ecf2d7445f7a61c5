#include "spell/store/EnhancedINI.h"

#include <algorithm>

#include "framework/classes/StringList.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "spell/store/Dictionary.h"
#include "spell/store/Main.h"

void TEnhancedINI::ReadList(const String& section, const String& name, TStrings* strings) {
    const int count = ReadInteger(section, name + "_ListCount", 0);
    if (count <= 0) return;
    const String prefix = name + "_";
    std::vector<int> indexes;
    TStringList keys;
    ReadSection(section, &keys);
    if (count <= keys.Count()) {
        for (int i = 0; i < count; ++i) indexes.push_back(i);
    } else {
        // A count larger than the section's keys is damage, not data: visit
        // only the items that exist instead of asking for each number.
        for (int k = 0; k < keys.Count(); ++k) {
            const String key = keys.Get(k);
            if (key.size() <= prefix.size() || !SameText(key.substr(0, prefix.size()), prefix))
                continue;
            const String digits = key.substr(prefix.size());
            if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
                continue;
            int i = 0;
            if (TryStrToInt(digits, i) && i < count && IntToStr(i) == digits) indexes.push_back(i);
        }
        std::sort(indexes.begin(), indexes.end());
        indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    }
    for (int i : indexes) {
        const String item = ReadString(section, prefix + IntToStr(i), String());
        if (!item.empty()) strings->Add(item);
    }
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
