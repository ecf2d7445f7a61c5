#include "spell/thesaurus/WordNetSource.h"

#include <algorithm>
#include <cstdint>
#include <set>

#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"

namespace {

std::vector<String> Fields(const String& line) {
    std::vector<String> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ') ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ') ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

// "of_import", "all-important(a)" -> "of import", "all-important".
String Lemma(String word) {
    if (!word.empty() && word.back() == ')') {
        const std::size_t open = word.rfind('(');
        if (open != String::npos) word.resize(open);
    }
    std::replace(word.begin(), word.end(), '_', ' ');
    return word;
}

// The data file a part of speech is kept in: satellites are adjectives.
char FilePos(char pos) { return pos == 's' ? 'a' : pos; }

int KindOfPos(char pos) {
    switch (pos) {
    case 'n': return 1;
    case 'v': return 2;
    case 'a':
    case 's': return 3;
    case 'r': return 4;
    default: return 0;
    }
}

[[noreturn]] void Malformed(const char* what, const String& line) {
    throw EConvertError(Format("Malformed WordNet %s line: %s", what, line.substr(0, 80)));
}

std::size_t Number(const String& text, int base, const char* what, const String& line) {
    std::size_t used = 0;
    unsigned long v = 0;
    try {
        v = std::stoul(text, &used, base);
    } catch (const std::exception&) {
        Malformed(what, line);
    }
    if (used != text.size()) Malformed(what, line);
    return v;
}

}  // namespace

void TWordNet::LoadFolder(const String& folder) {
    const std::pair<char, const char*> files[] = {{'n', "noun"}, {'v', "verb"}, {'a', "adj"}, {'r', "adv"}};
    for (const auto& [pos, name] : files) AddData(pos, ReadFileToString(PathJoin(folder, String("data.") + name)));
    for (const auto& [pos, name] : files) AddIndex(pos, ReadFileToString(PathJoin(folder, String("index.") + name)));
    AddCounts(ReadFileToString(PathJoin(folder, "cntlist.rev")));
}

void TWordNet::AddData(char pos, const String& text) {
    for (const String& line : SplitLines(text)) {
        if (line.empty() || line[0] == ' ') continue;  // the licence at the top
        const std::vector<String> f = Fields(line.substr(0, line.find(" | ")));
        if (f.size() < 4 || f[2].size() != 1) Malformed("data", line);
        TSynset s;
        s.Kind = KindOfPos(f[2][0]);
        const std::size_t words = Number(f[3], 16, "data", line);
        std::size_t i = 4;
        if (f.size() < i + 2 * words + 1) Malformed("data", line);
        for (std::size_t w = 0; w < words; ++w, i += 2) s.Words.push_back(Lemma(f[i]));
        const std::size_t pointers = Number(f[i++], 10, "data", line);
        if (f.size() < i + 4 * pointers) Malformed("data", line);
        const std::size_t index = FSynsets.size();
        for (std::size_t p = 0; p < pointers; ++p, i += 4) {
            // Only the pointers a sense borrows words through are kept.
            const String& symbol = f[i];
            if (symbol != "@" && symbol != "~" && symbol != "&") continue;
            if (f[i + 2].size() != 1) Malformed("data", line);
            FPendingPointers.push_back({index, {FilePos(f[i + 2][0]), f[i + 1]}});
            s.Pointers.push_back({symbol, 0});
        }
        FByOffset[{pos, f[0]}] = index;
        FSynsets.push_back(std::move(s));
    }
}

void TWordNet::AddIndex(char pos, const String& text) {
    // Every data file is in by now: the pointers can name their targets.
    std::map<std::size_t, std::size_t> next;  // synset -> its next unresolved pointer
    for (const auto& [from, target] : FPendingPointers) {
        auto it = FByOffset.find(target);
        if (it == FByOffset.end())
            throw EConvertError(Format("A WordNet pointer names the missing synset %s", target.second));
        FSynsets[from].Pointers[next[from]++].Target = it->second;
    }
    FPendingPointers.clear();

    for (const String& line : SplitLines(text)) {
        if (line.empty() || line[0] == ' ') continue;
        const std::vector<String> f = Fields(line);
        if (f.size() < 4) Malformed("index", line);
        const std::size_t senses = Number(f[2], 10, "index", line);
        const std::size_t pointers = Number(f[3], 10, "index", line);
        const std::size_t first = 4 + pointers + 2;
        if (f.size() != first + senses) Malformed("index", line);
        std::vector<std::size_t>& list = FIndex[{pos, Lemma(f[0])}];
        for (std::size_t k = first; k < f.size(); ++k) {
            auto it = FByOffset.find({pos, f[k]});
            if (it == FByOffset.end()) Malformed("index", line);
            list.push_back(it->second);
        }
    }
}

void TWordNet::AddCounts(const String& text) {
    for (const String& line : SplitLines(text)) {
        const std::vector<String> f = Fields(line);
        if (f.empty()) continue;
        const std::size_t percent = f[0].find('%');
        if (f.size() != 3 || percent == String::npos || percent + 1 >= f[0].size()) Malformed("count", line);
        const char posOf[] = {0, 'n', 'v', 'a', 'r', 'a'};
        const char digit = f[0][percent + 1];
        if (digit < '1' || digit > '5') Malformed("count", line);
        const int number = static_cast<int>(Number(f[1], 10, "count", line));
        FCounts[{{posOf[digit - '0'], Lemma(f[0].substr(0, percent))}, number}] =
            static_cast<int>(Number(f[2], 10, "count", line));
    }
}

std::vector<TWordNet::TSense> TWordNet::Senses(const String& word) const {
    std::vector<std::vector<TSense>> lists;
    for (char pos : {'n', 'v', 'a', 'r'}) {
        std::vector<TSense> list;
        auto it = FIndex.find({pos, word});
        if (it != FIndex.end())
            for (std::size_t k = 0; k < it->second.size(); ++k) {
                auto c = FCounts.find({{pos, word}, static_cast<int>(k + 1)});
                list.push_back({it->second[k], c == FCounts.end() ? 0 : c->second});
            }
        std::reverse(list.begin(), list.end());  // taken from the back
        lists.push_back(std::move(list));
    }
    // Merged so that each part of speech keeps its own order.
    std::vector<TSense> out;
    for (;;) {
        std::vector<TSense>* best = nullptr;
        for (auto& l : lists)
            if (!l.empty() && (!best || l.back().Count > best->back().Count)) best = &l;
        if (!best) break;
        out.push_back(best->back());
        best->pop_back();
    }
    return out;
}

std::vector<String> TWordNet::Words() const {
    std::set<String> words;
    for (const auto& [key, list] : FIndex) words.insert(key.second);
    return {words.begin(), words.end()};
}

std::size_t TWordNetThesaurus::SensesForLevel(int level) {
    if (level <= 10) return 5;
    if (level <= 20) return 4;
    if (level <= 40) return 3;
    if (level <= 55) return 2;
    return 1;
}

namespace {

class TChooser {
public:
    TChooser(const TWordNet& wn) : FWordNet(wn) {}

    // The words of a sense that can be head words: lower case, since the
    // lookup lower-cases the word it is given.
    const std::vector<String>& Own(std::size_t s) {
        auto it = FOwn.find(s);
        if (it != FOwn.end()) return it->second;
        std::vector<String> words;
        for (const String& w : FWordNet.Synsets()[s].Words)
            if (!w.empty() && w == LowerCase(w) && std::find(words.begin(), words.end(), w) == words.end())
                words.push_back(w);
        return FOwn.emplace(s, std::move(words)).first->second;
    }

    std::vector<String> Borrowed(std::size_t s) {
        const TWordNet::TSynset& synset = FWordNet.Synsets()[s];
        std::vector<String> words;
        auto take = [&](const char* symbol) {
            for (const TWordNet::TPointer& p : synset.Pointers)
                if (p.Symbol == symbol)
                    for (const String& w : Own(p.Target)) words.push_back(w);
        };
        if (synset.Kind == 3) {
            take("&");
        } else if ((synset.Kind == 1 || synset.Kind == 2) && Own(s).size() <= 1) {
            take("@");
            take("~");
        }
        return words;
    }

    // The sense's own words, then the borrowed ones that `heads` holds.
    std::vector<String> Listed(std::size_t s, const std::set<String>* heads) {
        std::vector<String> list = Own(s);
        for (const String& w : Borrowed(s))
            if ((!heads || heads->count(w)) && std::find(list.begin(), list.end(), w) == list.end())
                list.push_back(w);
        return list;
    }

    bool Offers(std::size_t s) { return !Own(s).empty() && Listed(s, nullptr).size() >= 2; }

    // The entries of the chosen senses: senses left without a synonym
    // once the borrowed words that are no head words are gone are dropped,
    // until every listed word is a head word.
    std::vector<TThesaurusEntry> Entries(std::vector<std::size_t> chosen) {
        std::map<std::size_t, std::vector<String>> lists;
        std::set<String> heads;
        for (bool changed = true; changed;) {
            heads.clear();
            for (std::size_t s : chosen) heads.insert(Own(s).begin(), Own(s).end());
            std::vector<std::size_t> kept;
            lists.clear();
            for (std::size_t s : chosen) {
                std::vector<String> list = Listed(s, &heads);
                if (list.size() < 2) continue;
                lists.emplace(s, std::move(list));
                kept.push_back(s);
            }
            changed = kept.size() != chosen.size();
            chosen = std::move(kept);
        }
        std::map<String, std::vector<std::size_t>> sensesOf;
        for (std::size_t s : chosen)
            for (const String& w : Own(s)) sensesOf[w].push_back(s);
        std::vector<TThesaurusEntry> entries;
        for (auto& [word, senses] : sensesOf) {
            // In the word's own order of senses.
            std::map<std::size_t, std::size_t> rank;
            const std::vector<TWordNet::TSense> order = FWordNet.Senses(word);
            for (std::size_t k = 0; k < order.size(); ++k) rank.emplace(order[k].Synset, k);
            std::stable_sort(senses.begin(), senses.end(), [&](std::size_t a, std::size_t b) {
                const std::size_t ra = rank.count(a) ? rank[a] : order.size();
                const std::size_t rb = rank.count(b) ? rank[b] : order.size();
                return ra < rb;
            });
            TThesaurusEntry e{word, {}};
            for (std::size_t s : senses) {
                const std::vector<String>& list = lists[s];
                e.Senses.push_back({FWordNet.Synsets()[s].Kind, list.front(), list});
            }
            entries.push_back(std::move(e));
        }
        return entries;
    }

private:
    const TWordNet& FWordNet;
    std::map<std::size_t, std::vector<String>> FOwn;
};

}  // namespace

TThesaurusChoice TWordNetThesaurus::Choose(const TWordNet& wordNet, const std::map<String, int>& levels,
                                           int maxLevel) {
    TChooser chooser(wordNet);
    struct TDriver {
        String Word;
        int Level;
        Int64 Uses;
        std::vector<TWordNet::TSense> Senses;
    };
    std::vector<TDriver> drivers;
    for (const auto& [word, level] : levels) {
        if (level > maxLevel || word != LowerCase(word)) continue;
        std::vector<TWordNet::TSense> senses = wordNet.Senses(word);
        if (senses.empty()) continue;
        Int64 uses = 0;
        for (const auto& s : senses) uses += s.Count;
        drivers.push_back({word, level, uses, std::move(senses)});
    }
    std::sort(drivers.begin(), drivers.end(), [](const TDriver& a, const TDriver& b) {
        if (a.Level != b.Level) return a.Level < b.Level;
        if (a.Uses != b.Uses) return a.Uses > b.Uses;
        return a.Word < b.Word;
    });

    // A sense comes the later, the rarer its word and the later it comes
    // for its word: the first senses of many words before the fifth sense
    // of a few.
    std::vector<std::pair<std::uint64_t, std::size_t>> wanted;
    for (std::size_t r = 0; r < drivers.size(); ++r) {
        std::uint64_t k = 0;
        for (const TWordNet::TSense& s : drivers[r].Senses) {
            if (k >= SensesForLevel(drivers[r].Level)) break;
            if (!chooser.Offers(s.Synset)) continue;
            wanted.push_back({(r + 1) * (k + 1) * (k + 1) * (k + 1), s.Synset});
            ++k;
        }
    }
    std::stable_sort(wanted.begin(), wanted.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::size_t> order;
    std::set<std::size_t> seen;
    for (const auto& w : wanted)
        if (seen.insert(w.second).second) order.push_back(w.second);

    TThesaurusChoice choice;
    auto fits = [&](std::size_t n) {
        std::vector<TThesaurusEntry> entries =
            chooser.Entries(std::vector<std::size_t>(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(n)));
        TThesaurusStats stats;
        try {
            choice.Image = TThesaurusWriter::Build(entries, &stats);
        } catch (const EConvertError&) {
            return false;
        }
        choice.Entries = std::move(entries);
        choice.Meanings = stats.Meanings;
        choice.Nodes = stats.Nodes;
        return true;
    };
    // The meanings are the limit as a rule, the nodes rarely. Senses that
    // end up without a synonym leave room for more.
    std::size_t good = 0, n = std::min(order.size(), TThesaurusWriter::MaxRecords);
    while (fits(n)) {
        good = n;
        if (choice.Meanings >= TThesaurusWriter::MaxRecords || n == order.size()) return choice;
        n = std::min(order.size(), n + (TThesaurusWriter::MaxRecords - choice.Meanings));
    }
    while (n > good + 1) {
        const std::size_t mid = good + (n - good) / 2;
        if (fits(mid)) good = mid;
        else n = mid;
    }
    fits(good);
    return choice;
}
