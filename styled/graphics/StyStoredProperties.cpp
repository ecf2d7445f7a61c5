#include "styled/graphics/StyStoredProperties.h"

#include <cstdlib>

#include "framework/classes/MemoryStream.h"
#include "framework/classes/Strings.h"
#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/StrUtils.h"

namespace {

// Only spaces and tabs: other control bytes are part of a stored value.
String TrimSpacesAndTabs(const String& s) {
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
    return s.substr(a, b - a);
}

bool ParseInt(const String& s, long& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    out = std::strtol(s.c_str(), &end, 10);
    return end && *end == '\0';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

String StoredString(const String& Text) {
    String out;
    bool quoted = false;
    for (char c : Text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32) {
            if (quoted) out += '\'';
            quoted = false;
            out += '#' + std::to_string(u);
            continue;
        }
        if (!quoted) out += '\'';
        quoted = true;
        if (c == '\'') out += '\'';
        out += c;
    }
    if (quoted) out += '\'';
    return out.empty() ? String("''") : out;
}

bool ParseStoredString(const String& Stored, size_t& Pos, String& Text) {
    size_t i = Pos;
    while (i < Stored.size() && (Stored[i] == ' ' || Stored[i] == '\t')) ++i;
    String text;
    bool any = false;
    while (i < Stored.size() && (Stored[i] == '\'' || Stored[i] == '#')) {
        any = true;
        if (Stored[i] == '#') {
            size_t j = i + 1;
            int code = 0;
            while (j < Stored.size() && Stored[j] >= '0' && Stored[j] <= '9' && code < 256)
                code = code * 10 + (Stored[j++] - '0');
            if (j == i + 1 || code > 255) return false;
            text += static_cast<char>(code);
            i = j;
            continue;
        }
        for (++i;; ++i) {
            if (i >= Stored.size()) return false;
            if (Stored[i] != '\'') {
                text += Stored[i];
            } else if (i + 1 < Stored.size() && Stored[i + 1] == '\'') {
                text += '\'';
                ++i;
            } else {
                ++i;
                break;
            }
        }
    }
    if (!any) return false;
    Pos = i;
    Text = std::move(text);
    return true;
}

TStyStoredProperties::TStyStoredProperties(TStrings* Lines, const String& Prefix) : FLines(Lines), FPrefix(Prefix) {}

TStyStoredProperties TStyStoredProperties::Nested(const String& Name) const {
    return TStyStoredProperties(FLines, FPrefix + Name + ".");
}

bool TStyStoredProperties::Has(const String& Name) const { return FLines->IndexOfName(FPrefix + Name) >= 0; }

String TStyStoredProperties::Value(const String& Name) const { return TrimSpacesAndTabs(FLines->Values(FPrefix + Name)); }

void TStyStoredProperties::Invalid(const String& Name) const {
    throw EConvertError("Invalid property value: " + FPrefix + Name + "=" + Value(Name));
}

void TStyStoredProperties::WriteInteger(const String& Name, int Value) {
    FLines->Add(FPrefix + Name + "=" + std::to_string(Value));
}

void TStyStoredProperties::WriteBool(const String& Name, bool Value) {
    FLines->Add(FPrefix + Name + "=" + (Value ? "True" : "False"));
}

void TStyStoredProperties::WriteColor(const String& Name, TColor Value) {
    FLines->Add(FPrefix + Name + "=" + ColorToString(Value));
}

void TStyStoredProperties::WriteIdent(const String& Name, int Value, TStyValueNames Names) {
    if (Value < 0 || size_t(Value) >= Names.size()) return;
    FLines->Add(FPrefix + Name + "=" + Names[size_t(Value)]);
}

void TStyStoredProperties::WriteSet(const String& Name, unsigned Value, TStyValueNames Names) {
    String text = "[";
    for (size_t i = 0; i < Names.size(); ++i) {
        if (!(Value & (1u << i))) continue;
        if (text.size() > 1) text += ",";
        text += Names[i];
    }
    FLines->Add(FPrefix + Name + "=" + text + "]");
}

void TStyStoredProperties::WriteBitmap(const String& Name, TBitmap* Value) {
    if (!Value || Value->Empty()) return;
    TMemoryStream m;
    Value->SaveToStream(&m);
    static const char* digits = "0123456789ABCDEF";
    const Byte* p = static_cast<const Byte*>(m.Memory());
    String hex;
    hex.reserve(size_t(m.Size()) * 2);
    for (Int64 i = 0; i < m.Size(); ++i) {
        hex += digits[p[i] >> 4];
        hex += digits[p[i] & 15];
    }
    FLines->Add(FPrefix + Name + "=" + hex);
}

void TStyStoredProperties::WriteText(const String& Name, const String& Value) {
    FLines->Add(FPrefix + Name + "=" + Value);
}

String TStyStoredProperties::ReadText(const String& Name, const String& Default) const {
    return Has(Name) ? Value(Name) : Default;
}

int TStyStoredProperties::ReadInteger(const String& Name, int Default, int Min, int Max) const {
    if (!Has(Name)) return Default;
    long v = 0;
    if (!ParseInt(Value(Name), v) || v < Min || v > Max) Invalid(Name);
    return static_cast<int>(v);
}

bool TStyStoredProperties::ReadBool(const String& Name, bool Default) const {
    if (!Has(Name)) return Default;
    const String v = LowerCase(Value(Name));
    if (v == "true") return true;
    if (v == "false") return false;
    Invalid(Name);
}

TColor TStyStoredProperties::ReadColor(const String& Name, TColor Default) const {
    if (!Has(Name)) return Default;
    try {
        return StringToColor(Value(Name));
    } catch (const EConvertError&) {
        Invalid(Name);
    }
}

int TStyStoredProperties::ReadIdent(const String& Name, int Default, TStyValueNames Names) const {
    if (!Has(Name)) return Default;
    const String v = Value(Name);
    for (size_t i = 0; i < Names.size(); ++i)
        if (SameText(v, Names[i])) return static_cast<int>(i);
    Invalid(Name);
}

unsigned TStyStoredProperties::ReadSet(const String& Name, unsigned Default, TStyValueNames Names) const {
    if (!Has(Name)) return Default;
    const String v = Value(Name);
    if (v.size() < 2 || v.front() != '[' || v.back() != ']') Invalid(Name);
    unsigned result = 0;
    String rest = v.substr(1, v.size() - 2);
    while (!TrimSpacesAndTabs(rest).empty()) {
        const size_t comma = rest.find(',');
        const String item = TrimSpacesAndTabs(rest.substr(0, comma));
        rest = comma == String::npos ? String() : rest.substr(comma + 1);
        bool found = false;
        for (size_t i = 0; i < Names.size() && !found; ++i)
            if (SameText(item, Names[i])) {
                result |= 1u << i;
                found = true;
            }
        if (!found) Invalid(Name);
    }
    return result;
}

void TStyStoredProperties::ReadBitmap(const String& Name, TBitmap* Target) const {
    if (!Has(Name) || !Target) return;
    const String hex = Value(Name);
    if (hex.size() % 2) Invalid(Name);
    TMemoryStream m;
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int hi = HexDigit(hex[i]), lo = HexDigit(hex[i + 1]);
        if (hi < 0 || lo < 0) Invalid(Name);
        const Byte b = Byte(hi * 16 + lo);
        m.WriteBuffer(&b, 1);
    }
    m.SetPosition(0);
    try {
        Target->LoadFromStream(&m);
    } catch (const EInvalidGraphic&) {
        Invalid(Name);
    }
}
