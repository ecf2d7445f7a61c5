#include "framework/classes/Strings.h"

#include <exception>

#include "framework/classes/Stream.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"

namespace {
// Holds an update open for the length of a scope, also when it throws. An
// OnChange handler that throws at the normal end is passed on; while another
// exception is already on its way, the handler's is dropped.
class UpdateScope {
public:
    explicit UpdateScope(TStrings& s) : FStrings(s), FUncaught(std::uncaught_exceptions()) {
        FStrings.BeginUpdate();
    }
    ~UpdateScope() noexcept(false) {
        if (std::uncaught_exceptions() == FUncaught) {
            FStrings.EndUpdate();
            return;
        }
        try {
            FStrings.EndUpdate();
        } catch (...) {
        }
    }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

private:
    TStrings& FStrings;
    int FUncaught;
};

inline bool IsBlankByte(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Getting a delimited text (the runtime's rules): an item is quoted when it
// holds a blank (any byte <= ' '), the delimiter or the quote; a list of one
// empty string is a pair of quotes so that it differs from an empty list.
String GetDelimited(const TStrings& s, char delimiter, char quote) {
    const int count = s.Count();
    if (count == 1 && s.Get(0).empty()) return String(2, quote);
    String result;
    for (int i = 0; i < count; ++i) {
        String item = s.Get(i);
        bool needQuote = false;
        for (char c : item) {
            if (IsBlankByte(c) || c == quote || c == delimiter) {
                needQuote = true;
                break;
            }
        }
        if (needQuote) item = AnsiQuotedStr(item, quote);
        if (i > 0) result += delimiter;
        result += item;
    }
    return result;
}

// A quoted item starting at text[p] (the opening quote): pairs of quotes
// inside are one quote; an unclosed item runs to the end.
String ExtractQuoted(const String& text, size_t& p, char quote) {
    String r;
    ++p;
    while (p < text.size()) {
        if (text[p] == quote) {
            if (p + 1 < text.size() && text[p + 1] == quote) {
                r += quote;
                p += 2;
                continue;
            }
            ++p;
            return r;
        }
        r += text[p++];
    }
    return r;
}

// Setting a delimited text: items end at the delimiter and, unless the
// delimiter is strict, at any blank; blanks around items are skipped; a
// delimiter at the very end adds an empty item.
std::vector<String> SplitDelimited(const String& value, char delimiter, char quote, bool strict) {
    std::vector<String> out;
    // The runtime reads the text as a C string: it ends at the first NUL.
    const String text = value.substr(0, value.find('\0'));
    const size_t n = text.size();
    auto skippable = [&](size_t q) { return q < n && IsBlankByte(text[q]) && text[q] != '\0'; };
    size_t p = 0;
    if (!strict)
        while (skippable(p)) ++p;
    while (p < n) {
        String item;
        if (text[p] == quote) {
            item = ExtractQuoted(text, p, quote);
        } else {
            size_t b = p;
            while (p < n && (strict || !IsBlankByte(text[p])) && text[p] != delimiter) ++p;
            item = text.substr(b, p - b);
        }
        out.push_back(item);
        if (!strict)
            while (skippable(p)) ++p;
        if (p < n && text[p] == delimiter) {
            if (p + 1 == n) out.emplace_back();
            do {
                ++p;
            } while (!strict && skippable(p));
        }
    }
    return out;
}
}  // namespace

void TStrings::Put(int index, const String& s) {
    TObject* obj = GetObject(index);
    Delete(index);
    InsertObject(index, s, obj);
}

TObject* TStrings::GetObject(int index) const {
    (void)index;
    return nullptr;
}

void TStrings::PutObject(int index, TObject* obj) {
    (void)index;
    (void)obj;
}

int TStrings::Add(const String& s) {
    const int i = Count();
    Insert(i, s);
    return i;
}

int TStrings::AddObject(const String& s, TObject* obj) {
    const int i = Add(s);
    PutObject(i, obj);
    return i;
}

void TStrings::InsertObject(int index, const String& s, TObject* obj) {
    Insert(index, s);
    PutObject(index, obj);
}

void TStrings::AddStrings(const TStrings* strings) {
    if (!strings) return;
    UpdateScope update(*this);
    // Counted first so that adding a list to itself ends.
    const int n = strings->Count();
    for (int i = 0; i < n; ++i) AddObject(strings->Get(i), strings->GetObject(i));
}

void TStrings::Exchange(int a, int b) {
    UpdateScope update(*this);
    String ta = Get(a);
    TObject* oa = GetObject(a);
    Put(a, Get(b));
    PutObject(a, GetObject(b));
    Put(b, ta);
    PutObject(b, oa);
}

void TStrings::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    UpdateScope update(*this);
    String s = Get(curIndex);
    TObject* obj = GetObject(curIndex);
    Delete(curIndex);
    InsertObject(newIndex, s, obj);
}

int TStrings::IndexOf(const String& s) const {
    const int n = Count();
    for (int i = 0; i < n; ++i)
        if (CompareStrings(Get(i), s) == 0) return i;
    return -1;
}

int TStrings::IndexOfObject(TObject* obj) const {
    const int n = Count();
    for (int i = 0; i < n; ++i)
        if (GetObject(i) == obj) return i;
    return -1;
}

void TStrings::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TStrings*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    UpdateScope update(*this);
    Clear();
    NameValueSeparator = other->NameValueSeparator;
    QuoteChar = other->QuoteChar;
    Delimiter = other->Delimiter;
    StrictDelimiter = other->StrictDelimiter;
    AddStrings(other);
}

bool TStrings::Equals(const TStrings* other) const {
    if (!other) return false;
    const int n = Count();
    if (n != other->Count()) return false;
    for (int i = 0; i < n; ++i)
        if (Get(i) != other->Get(i)) return false;
    return true;
}

// --- names and values ------------------------------------------------------------

String TStrings::Names(int index) const {
    String s = Get(index);
    size_t p = s.find(NameValueSeparator);
    return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::Values(const String& name) const {
    int i = IndexOfName(name);
    return i >= 0 ? ValueFromIndex(i) : String();
}

void TStrings::SetValues(const String& name, const String& value) {
    int i = IndexOfName(name);
    if (!value.empty()) {
        if (i < 0) i = Add(String());
        Put(i, name + NameValueSeparator + value);
    } else if (i >= 0) {
        Delete(i);
    }
}

String TStrings::ValueFromIndex(int index) const {
    if (index < 0) return String();
    String s = Get(index);
    size_t p = s.find(NameValueSeparator);
    return p == String::npos ? String() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int index, const String& value) {
    if (!value.empty()) {
        if (index < 0) index = Add(String());
        Put(index, Names(index) + NameValueSeparator + value);
    } else if (index >= 0) {
        Delete(index);
    }
}

int TStrings::IndexOfName(const String& name) const {
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        String s = Get(i);
        size_t p = s.find(NameValueSeparator);
        if (p != String::npos && CompareStrings(s.substr(0, p), name) == 0) return i;
    }
    return -1;
}

// --- whole-list texts ------------------------------------------------------------

String TStrings::Text() const {
    String r;
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        r += Get(i);
        r += "\r\n";
    }
    return r;
}

void TStrings::SetText(const String& text) {
    UpdateScope update(*this);
    Clear();
    for (String& line : SplitLines(text)) Add(line);
}

String TStrings::CommaText() const { return GetDelimited(*this, ',', '"'); }

void TStrings::SetCommaText(const String& text) {
    UpdateScope update(*this);
    Clear();
    for (String& item : SplitDelimited(text, ',', '"', false)) Add(item);
}

String TStrings::DelimitedText() const { return GetDelimited(*this, Delimiter, QuoteChar); }

void TStrings::SetDelimitedText(const String& text) {
    UpdateScope update(*this);
    Clear();
    for (String& item : SplitDelimited(text, Delimiter, QuoteChar, StrictDelimiter)) Add(item);
}

// --- files and streams -------------------------------------------------------------

void TStrings::LoadFromFile(const String& fileName) { SetText(ReadFileToString(fileName)); }

void TStrings::LoadFromStream(TStream* stream) {
    const Int64 size = stream->Size() - stream->Position();
    String data;
    if (size > 0) {
        data.resize(static_cast<size_t>(size));
        stream->ReadBuffer(data.data(), size);
    }
    SetText(data);
}

void TStrings::SaveToFile(const String& fileName) const { SafeWriteFile(fileName, Text()); }

void TStrings::SaveToStream(TStream* stream) const {
    String t = Text();
    stream->WriteBuffer(t.data(), static_cast<Int64>(t.size()));
}

// --- change notification -----------------------------------------------------------

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    if (FUpdateCount <= 0) return;
    --FUpdateCount;
    if (FUpdateCount == 0) SetUpdateState(false);
}

int TStrings::CompareStrings(const String& a, const String& b) const {
    return FCaseSensitive ? CompareStr(a, b) : CompareText(a, b);
}

std::vector<String> TStrings::ToVector() const {
    std::vector<String> r;
    const int n = Count();
    r.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) r.push_back(Get(i));
    return r;
}

void TStrings::Error(const char* msg, int data) const { throw EStringListError(msg, {data}); }
