#pragma once
// The next-word scan over a text read line by line, shared by the memo
// parsers and the window-message parser. `Lines` answers Count(),
// Text(line), Start(line) (the 0-based index of the line's first
// character in the whole text) and Leaving(line) (the scan moves on from
// that line).
#include "spell/parsers/Parser.h"

namespace spell_internal {

// Whether the scan found a word; on false the parser is at its end.
template <class Lines>
bool ScanLines(TParser& p, Lines& lines) {
    p.IsInternetAddress = false;
    p.SkippedMarkup = false;
    const int count = lines.Count();
    if (count == 0 || p.Line >= count || p.Line < 0) {
        p.AtEnd = true;
        return false;
    }
    if (p.Column < 1) p.Column = 1;
    p.Column += p.WordLength;
    String text = lines.Text(p.Line);
    const auto len = [&] { return static_cast<Integer>(text.size()); };
    const auto nextLine = [&] {
        lines.Leaving(p.Line);
        ++p.Line;
        if (p.Line >= count) return false;
        p.Column = 1;
        text = lines.Text(p.Line);
        return true;
    };
    const auto end = [&] {
        p.AtEnd = true;
        return false;
    };
    for (;;) {
        if (p.Column > len()) {
            if (!nextLine()) return end();
            continue;
        }
        if (p.SkipQuoted && !text.empty() && p.QuoteCharacters.find(text[0]) != String::npos) {
            p.Column = len() + 1;
            continue;
        }
        const char c = text[static_cast<std::size_t>(p.Column - 1)];
        if (p.IsWordCharacter(c)) break;
        if (p.SkipHTML && c == '<') {
            p.SkippedMarkup = true;
            // A tag may run on over several lines.
            for (;;) {
                if (p.Column > len()) {
                    if (!nextLine()) return end();
                    continue;
                }
                if (text[static_cast<std::size_t>(p.Column - 1)] == '>') break;
                ++p.Column;
            }
        }
        ++p.Column;
    }
    p.Position = lines.Start(p.Line) + p.Column;
    if (p.Position > p.EndPosition) return end();
    p.WordLength = 1;
    const auto at = [&](Integer col) { return text[static_cast<std::size_t>(col - 1)]; };
    while (p.Column + p.WordLength <= len() && p.IsWordCharacter(at(p.Column + p.WordLength))) ++p.WordLength;
    if (p.SkipInternet) {
        const std::string_view rest = std::string_view(text).substr(static_cast<std::size_t>(p.Column - 1));
        if (const std::size_t n = TParser::AddressLength(rest, static_cast<std::size_t>(p.WordLength), false)) {
            p.WordLength = static_cast<Integer>(n);
            p.IsInternetAddress = true;
            p.SkippedMarkup = true;
        }
    }
    p.CurrentWord = text.substr(static_cast<std::size_t>(p.Column - 1), static_cast<std::size_t>(p.WordLength));
    return true;
}

// MoveToWordStart on one line: Column and Position step together.
inline void MoveBackInLine(TParser& p, const String& text) {
    const auto len = static_cast<Integer>(text.size());
    while (p.Column >= 2 && p.Column <= len && p.IsWordCharacter(text[static_cast<std::size_t>(p.Column - 1)])) {
        --p.Column;
        --p.Position;
    }
    if (p.Column >= 2) {
        ++p.Column;
        ++p.Position;
    }
}

}  // namespace spell_internal
