#include "styled/base/StyDateList.h"

#include <charconv>
#include <cmath>

#include "framework/rtl/Exception.h"
#include "styled/graphics/StyStoredProperties.h"

namespace {

// The first Max characters of a UTF-8 text.
String CutToCharacters(const String& Text, size_t Max) {
    size_t chars = 0;
    for (size_t i = 0; i < Text.size(); ++i) {
        const auto c = static_cast<unsigned char>(Text[i]);
        if ((c & 0xC0) == 0x80) continue;  // a continuation byte
        if (chars == Max) return Text.substr(0, i);
        ++chars;
    }
    return Text;
}

[[noreturn]] void Bad(const String& Text) { throw EConvertError("Invalid date list: " + Text); }

}  // namespace

int TStyDateList::Add(const TStyDateRecord& Record) {
    TStyDateRecord copy = Record;
    copy.Text = CutToCharacters(copy.Text, MaxTextLength);
    FItems.push_back(std::move(copy));
    return Count() - 1;
}

bool TStyDateList::GetItem(int Index, TStyDateRecord& Record) const {
    if (Index < 0 || Index >= Count()) return false;
    Record = FItems[static_cast<size_t>(Index)];
    return true;
}

void TStyDateList::Delete(int Index) {
    if (Index < 0 || Index >= Count()) return;
    FItems.erase(FItems.begin() + Index);
}

String TStyDateList::StoredText() const {
    String text = "(";
    for (const TStyDateRecord& r : FItems) {
        if (text.size() > 1) text += ' ';
        char number[32];
        const auto end = std::to_chars(number, number + sizeof number, r.Date).ptr;
        text.append(number, end);
        text += ' ' + StoredString(r.Text);
    }
    return text + ")";
}

void TStyDateList::ReadStoredText(const String& Text) {
    std::vector<TStyDateRecord> items;
    size_t i = 0;
    auto blanks = [&] {
        while (i < Text.size() && (Text[i] == ' ' || Text[i] == '\t')) ++i;
    };
    blanks();
    if (i >= Text.size() || Text[i] != '(') Bad(Text);
    ++i;
    for (;;) {
        blanks();
        if (i < Text.size() && Text[i] == ')') break;
        TStyDateRecord r;
        const auto [end, ec] = std::from_chars(Text.data() + i, Text.data() + Text.size(), r.Date);
        if (ec != std::errc() || !std::isfinite(r.Date)) Bad(Text);
        i = static_cast<size_t>(end - Text.data());
        blanks();
        if (!ParseStoredString(Text, i, r.Text)) Bad(Text);
        r.Text = CutToCharacters(r.Text, MaxTextLength);
        items.push_back(std::move(r));
    }
    ++i;
    blanks();
    if (i != Text.size()) Bad(Text);
    FItems = std::move(items);
}
