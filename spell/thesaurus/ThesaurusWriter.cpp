#include "spell/thesaurus/ThesaurusWriter.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

#include "framework/rtl/Exception.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"

namespace {

int KindOf(const String& pos) {
    if (pos == "(noun)") return 1;
    if (pos == "(verb)") return 2;
    if (pos == "(adj)") return 3;
    if (pos == "(adv)") return 4;
    return 0;
}

bool EndsWith(const String& s, const String& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::vector<String> SplitBar(const String& line) {
    std::vector<String> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = line.find('|', start);
        parts.push_back(line.substr(start, bar == String::npos ? String::npos : bar - start));
        if (bar == String::npos) break;
        start = bar + 1;
    }
    return parts;
}

void PutU16(String& out, std::size_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void PutU32(String& out, std::size_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::vector<TThesaurusEntry> TThesaurusWriter::ParseMyThes(const String& text, std::size_t maxSenses) {
    const std::vector<String> lines = SplitLines(text);
    std::vector<TThesaurusEntry> entries;
    std::size_t i = 0;
    // The first line names the character set.
    if (i < lines.size() && lines[i].find('|') == String::npos) ++i;
    while (i < lines.size()) {
        if (lines[i].empty()) {
            ++i;
            continue;
        }
        const std::vector<String> head = SplitBar(lines[i]);
        int count = 0;
        if (head.size() != 2 || head[0].empty() || !TryStrToInt(head[1], count) || count < 0)
            throw EConvertError(Format("Line %d is no head word line: %s", static_cast<Int64>(i + 1), lines[i]));
        ++i;
        TThesaurusEntry entry;
        entry.Word = head[0];
        for (int k = 0; k < count; ++k, ++i) {
            if (i >= lines.size())
                throw EConvertError(Format("The senses of \"%s\" end early", entry.Word));
            const std::vector<String> parts = SplitBar(lines[i]);
            TThesaurusSense sense;
            sense.Kind = KindOf(parts[0]);
            for (std::size_t p = 1; p < parts.size(); ++p) {
                String term = parts[p];
                if (EndsWith(term, " (generic term)") || EndsWith(term, " (antonym)")) continue;
                for (const char* note : {" (similar term)", " (related term)"})
                    if (EndsWith(term, note)) term.resize(term.size() - std::strlen(note));
                if (term.empty() || term == entry.Word) continue;
                if (std::find(sense.Synonyms.begin(), sense.Synonyms.end(), term) != sense.Synonyms.end())
                    continue;
                sense.Synonyms.push_back(term);
            }
            if (sense.Synonyms.empty() || entry.Senses.size() >= maxSenses) continue;
            sense.Label = sense.Synonyms.front();
            entry.Senses.push_back(std::move(sense));
        }
        if (!entry.Senses.empty()) entries.push_back(std::move(entry));
    }
    return entries;
}

namespace {

struct TWordNode {
    Byte Ch = 0;
    std::map<Byte, int> Children;
    int Parent = -1;
    int WordCount = 0;  // words ending at or below
    bool End = false;
    std::vector<Cardinal> Codes;
};

}  // namespace

String TThesaurusWriter::Build(const std::vector<TThesaurusEntry>& entries, TThesaurusStats* stats) {
    // Meaning records, shared by every head word with the same sense.
    std::map<std::pair<int, std::vector<String>>, std::size_t> recordOf;
    std::vector<const TThesaurusSense*> records;
    std::map<String, std::vector<Cardinal>> codesOf;
    std::set<String> words;
    for (const TThesaurusEntry& e : entries) {
        words.insert(e.Word);
        std::vector<Cardinal>& codes = codesOf[e.Word];
        for (const TThesaurusSense& s : e.Senses) {
            auto key = std::make_pair(s.Kind, s.Synonyms);
            key.second.insert(key.second.begin(), s.Label);
            auto it = recordOf.find(key);
            if (it == recordOf.end()) {
                it = recordOf.emplace(key, records.size()).first;
                records.push_back(&s);
                words.insert(s.Label);
                words.insert(s.Synonyms.begin(), s.Synonyms.end());
            }
            const std::size_t code = it->second * 5 + static_cast<std::size_t>(s.Kind);
            if (codes.size() < 255 && code <= 0xFFFF) codes.push_back(static_cast<Cardinal>(code));
        }
    }
    if (records.size() > MaxRecords)
        throw EConvertError(Format("%d meanings exceed the limit of %d", static_cast<Int64>(records.size()),
                                   static_cast<Int64>(MaxRecords)));

    // The character tree of every word, root first.
    std::vector<TWordNode> trie(1);
    for (const String& w : words) {
        if (w.empty()) continue;
        int node = 0;
        for (char ch : w) {
            const Byte c = static_cast<Byte>(ch);
            auto it = trie[static_cast<std::size_t>(node)].Children.find(c);
            if (it == trie[static_cast<std::size_t>(node)].Children.end()) {
                const int id = static_cast<int>(trie.size());
                trie[static_cast<std::size_t>(node)].Children.emplace(c, id);
                TWordNode n;
                n.Ch = c;
                n.Parent = node;
                trie.push_back(std::move(n));
                node = id;
            } else {
                node = it->second;
            }
        }
        trie[static_cast<std::size_t>(node)].End = true;
        auto codes = codesOf.find(w);
        if (codes != codesOf.end()) trie[static_cast<std::size_t>(node)].Codes = codes->second;
    }
    for (std::size_t k = trie.size(); k-- > 1;) {
        trie[k].WordCount += trie[k].End ? 1 : 0;
        trie[static_cast<std::size_t>(trie[k].Parent)].WordCount += trie[k].WordCount;
    }

    // The kept tree stops where a path leads to a single word: that node is
    // the word's entry and the rest of the word hangs below it as a chain of
    // single children. Chains are shared by every entry with the same
    // ending, since nothing walks up from a chain node.
    struct TOut {
        Byte Ch = 0;
        std::vector<int> Children;  // output indexes
        int Parent = -1;            // output index; -1 for none
        bool Chain = false, End = false;
        std::vector<Cardinal> Codes;
    };
    std::vector<TOut> out(1);
    std::vector<int> outIndex(trie.size(), -1);
    outIndex[0] = 0;
    std::map<String, int> chainNode;
    std::vector<std::pair<int, int>> pendingChains;  // output entry, trie node below it
    std::vector<int> queue{0};
    for (std::size_t q = 0; q < queue.size(); ++q) {
        const int t = queue[q];
        for (const auto& [c, child] : trie[static_cast<std::size_t>(t)].Children) {
            const TWordNode& n = trie[static_cast<std::size_t>(child)];
            TOut o;
            o.Ch = c;
            o.Parent = outIndex[static_cast<std::size_t>(t)];
            o.End = n.End;
            o.Codes = n.Codes;
            const int id = static_cast<int>(out.size());
            outIndex[static_cast<std::size_t>(child)] = id;
            out[static_cast<std::size_t>(o.Parent)].Children.push_back(id);
            if (!n.End && n.WordCount == 1) {
                // The single word below continues past this node.
                o.Chain = true;
                TWordNode const* w = &n;
                while (!w->End) w = &trie[static_cast<std::size_t>(w->Children.begin()->second)];
                o.Codes = w->Codes;
                pendingChains.emplace_back(id, child);
                out.push_back(std::move(o));
                continue;
            }
            out.push_back(std::move(o));
            queue.push_back(child);
        }
    }
    for (const auto& [entry, t] : pendingChains) {
        String rest;
        const TWordNode* w = &trie[static_cast<std::size_t>(t)];
        while (!w->End) {
            w = &trie[static_cast<std::size_t>(w->Children.begin()->second)];
            rest += static_cast<char>(w->Ch);
        }
        // Make (or reuse) the chain nodes of every ending of `rest`, the
        // shortest first, so each node can point at the next.
        int next = -1;
        for (std::size_t k = rest.size(); k-- > 0;) {
            const String tail = rest.substr(k);
            auto it = chainNode.find(tail);
            if (it == chainNode.end()) {
                TOut o;
                o.Ch = static_cast<Byte>(tail[0]);
                if (next >= 0) o.Children.push_back(next);
                const int id = static_cast<int>(out.size());
                out.push_back(std::move(o));
                it = chainNode.emplace(tail, id).first;
            }
            next = it->second;
        }
        out[static_cast<std::size_t>(entry)].Children.push_back(next);
    }
    if (out.size() > MaxNodes)
        throw EConvertError(Format("%d nodes exceed the limit of %d", static_cast<Int64>(out.size()),
                                   static_cast<Int64>(MaxNodes)));

    String nodeTable, nodeData;
    for (const TOut& o : out) {
        const std::size_t offset = nodeData.size();
        if (offset > 0xFFFFF) throw EConvertError("The node data exceed the 20-bit offsets");
        Cardinal w = static_cast<Cardinal>(offset) | (static_cast<Cardinal>(o.Ch) << 24);
        if (o.Children.size() == 1) {
            w |= 1u << 20;
            PutU16(nodeData, static_cast<std::size_t>(o.Children[0]));
        } else {
            if (o.Children.size() > 255) throw EConvertError("A node has more than 255 children");
            nodeData += static_cast<char>(o.Children.size());
            for (int c : o.Children) PutU16(nodeData, static_cast<std::size_t>(c));
        }
        if (o.Parent >= 0) {
            w |= 1u << 21;
            PutU16(nodeData, static_cast<std::size_t>(o.Parent));
        }
        if (o.Chain) w |= 1u << 22;
        if (o.End) w |= 1u << 23;
        if (o.Chain || o.End) {
            nodeData += static_cast<char>(o.Codes.size());
            for (Cardinal c : o.Codes) PutU16(nodeData, c);
        }
        PutU32(nodeTable, w);
    }

    // Each word's entry node, to name labels and synonyms.
    auto entryOf = [&](const String& word) -> std::size_t {
        int node = 0;
        for (std::size_t i = 0; i < word.size(); ++i) {
            const auto& kids = trie[static_cast<std::size_t>(node)].Children;
            node = kids.at(static_cast<Byte>(word[i]));
            const int o = outIndex[static_cast<std::size_t>(node)];
            if (out[static_cast<std::size_t>(o)].Chain) return static_cast<std::size_t>(o);
        }
        return static_cast<std::size_t>(outIndex[static_cast<std::size_t>(node)]);
    };
    String recordBlock, synonymBlock;
    for (const TThesaurusSense* s : records) {
        PutU16(recordBlock, entryOf(s->Label));
        for (int list = 1; list <= 4; ++list)
            PutU16(recordBlock, (s->Kind == list || (s->Kind == 0 && list == 1)) ? s->Synonyms.size() : 0);
        PutU32(recordBlock, synonymBlock.size());
        if (s->Synonyms.size() > 0xFFFF) throw EConvertError("A meaning has more than 65535 synonyms");
        for (const String& syn : s->Synonyms) PutU16(synonymBlock, entryOf(syn));
    }

    String file(165, '\0');
    const String signature = "Velmor thesaurus\r\n\x1a";
    file.replace(0, signature.size(), signature);
    PutU32(file, out.size());
    file += nodeTable;
    PutU32(file, nodeData.size());
    file += nodeData;
    PutU16(file, records.size());
    file += recordBlock;
    PutU32(file, synonymBlock.size());
    file += synonymBlock;
    if (stats) {
        stats->Nodes = out.size();
        stats->Meanings = records.size();
        stats->HeadWords = 0;
        for (const auto& [word, codes] : codesOf) stats->HeadWords += codes.empty() ? 0 : 1;
    }
    return file;
}
