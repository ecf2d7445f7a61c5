#include "composer/engine/MetaFieldTable.h"

#include <algorithm>

String TMetaFieldRow::TagNameWith(const TTagSettings& settings) const {
    return NamedBy ? settings.*NamedBy : String(TagName);
}

String TMetaFieldRow::ContentOf(const TMetaFields& fields) const {
    const String& value = fields.*Value;
    if (!SwitchedContent) return value;
    return value == "TRUE" ? String(SwitchedContent) : String();
}

const std::vector<TMetaFieldRow>& MetaFieldTable() {
    static const std::vector<TMetaFieldRow> rows = {
#define META_FIELD(member, ...) {#member, &TMetaFields::member, __VA_ARGS__},
#include "composer/engine/MetaFieldRows.inc"
#undef META_FIELD
    };
    return rows;
}

std::vector<const TMetaFieldRow*> MetaFieldsBy(int TMetaFieldRow::*position) {
    std::vector<const TMetaFieldRow*> r;
    for (const TMetaFieldRow& row : MetaFieldTable())
        if (row.*position > 0) r.push_back(&row);
    std::stable_sort(r.begin(), r.end(),
                     [position](const TMetaFieldRow* a, const TMetaFieldRow* b) { return a->*position < b->*position; });
    return r;
}
