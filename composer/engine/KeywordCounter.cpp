#include "composer/engine/KeywordCounter.h"

#include <algorithm>
#include <unordered_map>

#include "framework/classes/StringList.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/Charset.h"

namespace {
// Where `sub` first stands in `s` from `from` on, ASCII letters in any
// case; -1 when nowhere.
int FindNoCase(const String& s, const String& sub, size_t from = 0) {
    if (sub.empty()) return from <= s.size() ? static_cast<int>(from) : -1;
    if (s.size() < sub.size()) return -1;
    const char first = UpCase(sub[0]);
    const char firstLower = LoCase(first);
    const size_t last = s.size() - sub.size();
    for (size_t i = from; i <= last; ++i) {
        const char c = s[i];
        if (c != first && c != firstLower) continue;
        size_t k = 1;
        while (k < sub.size() && UpCase(s[i + k]) == UpCase(sub[k])) ++k;
        if (k == sub.size()) return static_cast<int>(i);
    }
    return -1;
}
}  // namespace

TBodySpanResult TKeywordCounter::CutBodySpan(const String& page, int& bodyCheckLength, String& span) {
    span.clear();
    int b = FindNoCase(page, "<BODY");
    if (b < 0) b = FindNoCase(page, "<FRAMESET");
    if (b < 0) return bsNoOpeningTag;
    const size_t from = static_cast<size_t>(b);
    String closing = "</BODY>";
    int e = FindNoCase(page, closing, from);
    if (e < 0) {
        closing = "</FRAMESET>";
        e = FindNoCase(page, closing, from);
    }
    if (e < 0) return bsNoClosingTag;
    const int length = e + static_cast<int>(closing.size()) - b;
    if (length < bodyCheckLength) bodyCheckLength = length;
    if (bodyCheckLength > 0) span = page.substr(from, static_cast<size_t>(bodyCheckLength));
    return bsFound;
}

std::vector<String> TKeywordCounter::SplitWords(const String& text) {
    TStringList list;
    list.SetCommaText(text);
    std::vector<String> words;
    words.reserve(static_cast<size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i)
        if (!list.Strings(i).empty()) words.push_back(list.Strings(i));
    return words;
}

String TKeywordCounter::CleanWord(const String& word) {
    String s;
    s.reserve(word.size());
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    for (size_t i = 0; i < word.size(); ++i) {
        const char c = word[i];
        switch (c) {
        case '.':
            // A point between two digits belongs to the number ("2.4");
            // any other is punctuation.
            if (!s.empty() && digit(s.back()) && i + 1 < word.size() && digit(word[i + 1])) break;
            continue;
        case '%': case '"': case ',': case '\'': case '<': case '>': case ')': case '(':
            continue;
        case '=':
            // A run of "=" folds to one.
            if (!s.empty() && s.back() == '=') continue;
            break;
        default:
            break;
        }
        s += c;
    }
    return s;
}

bool TKeywordCounter::HasWordCharacter(const String& word) {
    // Letters and digits of any script make a word; separators such as "|",
    // "-" or a dash are none.
    for (size_t pos = 0; pos < word.size();)
        if (IsLetterOrDigit(NextUtf8(word, pos))) return true;
    return false;
}

std::vector<String> TKeywordCounter::SplitAtNonLetters(const String& word) {
    // Within ASCII the comma-text rule has already parted the words;
    // beyond it a character that is no letter or digit (a no-break space, a
    // dash, a typographic quote) parts them too.
    std::vector<String> parts(1);
    for (size_t pos = 0; pos < word.size();) {
        const size_t start = pos;
        const char32_t c = NextUtf8(word, pos);
        if (c >= 0x80 && !IsLetterOrDigit(c)) {
            if (!parts.back().empty()) parts.emplace_back();
            continue;
        }
        parts.back().append(word, start, pos - start);
    }
    if (parts.back().empty()) parts.pop_back();
    return parts;
}

bool TKeywordCounter::HoldsWord(const std::vector<String>& words, const String& word) {
    return std::any_of(words.begin(), words.end(), [&](const String& w) { return AnsiSameText(w, word); });
}

TWordCount TKeywordCounter::CountWords(const String& plainText, const std::vector<String>& noise,
                                       const std::vector<String>& chosen) {
    // The text is UTF-8: words are told apart without regard to the case of
    // letters of any script.
    std::unordered_map<String, bool> excluded;
    for (const String& w : noise) excluded.emplace(AnsiLowerCase(w), true);
    for (const String& w : chosen) excluded.emplace(AnsiLowerCase(w), true);

    TWordCount result;
    std::unordered_map<String, size_t> rowOf;
    std::vector<String> words;
    for (const String& raw : SplitWords(plainText))
        for (const String& part : SplitAtNonLetters(raw)) words.push_back(part);
    for (const String& raw : words) {
        const String word = CleanWord(raw);
        if (!HasWordCharacter(word)) continue;
        const String key = AnsiLowerCase(word);
        if (excluded.count(key)) continue;
        ++result.FilteredWordCount;
        result.Words.push_back(word);
        const auto found = rowOf.find(key);
        if (found != rowOf.end()) {
            ++result.Rows[found->second].Count;
            continue;
        }
        rowOf.emplace(key, result.Rows.size());
        result.Rows.push_back({word, 1, String()});
    }
    // The classic list sorted "count, word" ascending and was read from its
    // end: highest count first, and among equal counts the words descending.
    std::stable_sort(result.Rows.begin(), result.Rows.end(),
                     [](const TKeywordRow& a, const TKeywordRow& b) {
                         if (a.Count != b.Count) return a.Count > b.Count;
                         return AnsiCompareText(a.Word, b.Word) > 0;
                     });
    for (TKeywordRow& row : result.Rows) row.Share = ShareText(row.Count, result.FilteredWordCount);
    return result;
}

std::vector<TKeywordRow> TKeywordCounter::TopRows(const TWordCount& count, int topCount) {
    if (topCount <= 0) return {};
    const size_t n = std::min(count.Rows.size(), static_cast<size_t>(topCount));
    return std::vector<TKeywordRow>(count.Rows.begin(), count.Rows.begin() + static_cast<std::ptrdiff_t>(n));
}

String TKeywordCounter::ShareText(int count, int total) {
    if (total <= 0) return String();
    return Format("%.3f", static_cast<double>(count) / total * 100.0);
}

String TKeywordCounter::PrependChosenWords(const String& keywords, const std::vector<String>& chosen) {
    const std::vector<String> present = SplitWords(keywords);
    // Blanks alone are no keywords to keep; anything else is kept whole,
    // whatever it starts with.
    String text = Trim(keywords).empty() ? String() : keywords;
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it) {
        if (HoldsWord(present, *it)) continue;
        text = text.empty() ? *it : *it + "," + text;
    }
    return text;
}

String TKeywordCounter::MergeKeywords(const String& existing, const std::vector<String>& chosen) {
    String merged = Trim(existing);
    const std::vector<String> present = merged.empty() ? std::vector<String>() : SplitWords(merged);
    for (const String& w : chosen) {
        if (HoldsWord(present, w)) continue;
        merged = merged.empty() ? w : w + "," + merged;
    }
    return merged;
}
