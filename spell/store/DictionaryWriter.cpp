#include "spell/store/DictionaryWriter.h"

#include <algorithm>
#include <array>
#include <map>

#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/Format.h"
#include "spell/store/Dictionary.h"

namespace {

// A minimised graph of the words of one sub-dictionary. Node 0 is the root;
// its children become the first-level nodes.
struct TGraph {
    struct TNode {
        Byte Ch = 0;
        bool End = false;
        std::vector<int> Children;  // canonical ids, most words first
        std::size_t Words = 0;      // words ending at or below this node
    };
    std::vector<TNode> Nodes;
    int Root = -1;
};

struct TBuildNode {
    Byte Ch = 0;
    bool End = false;
    std::vector<std::pair<Byte, int>> Children;  // in byte order (input is sorted)
};

// Trie of sorted words, then bottom-up merging of equal nodes.
TGraph BuildGraph(const std::vector<String>& words, std::size_t from, std::size_t to) {
    std::vector<TBuildNode> trie(1);
    for (std::size_t w = from; w < to; ++w) {
        int node = 0;
        for (char ch : words[w]) {
            const Byte c = static_cast<Byte>(ch);
            auto& kids = trie[static_cast<std::size_t>(node)].Children;
            if (!kids.empty() && kids.back().first == c) {
                node = kids.back().second;
            } else {
                const int id = static_cast<int>(trie.size());
                kids.emplace_back(c, id);
                trie.push_back(TBuildNode{c, false, {}});
                node = id;
            }
        }
        trie[static_cast<std::size_t>(node)].End = true;
    }
    TGraph g;
    std::map<std::vector<long long>, int> canon;
    std::vector<int> id(trie.size(), -1);
    // Children always have higher numbers than their parent, so a reverse
    // walk sees every child before its parent.
    for (std::size_t k = trie.size(); k-- > 0;) {
        const TBuildNode& b = trie[k];
        TGraph::TNode n;
        n.Ch = b.Ch;
        n.End = b.End;
        n.Words = b.End ? 1 : 0;
        for (const auto& kid : b.Children) {
            const int c = id[static_cast<std::size_t>(kid.second)];
            n.Children.push_back(c);
            n.Words += g.Nodes[static_cast<std::size_t>(c)].Words;
        }
        std::stable_sort(n.Children.begin(), n.Children.end(), [&](int a, int c) {
            return g.Nodes[static_cast<std::size_t>(a)].Words > g.Nodes[static_cast<std::size_t>(c)].Words;
        });
        std::vector<long long> key{k == 0 ? -1 : static_cast<long long>(n.Ch), n.End ? 1 : 0};
        key.insert(key.end(), n.Children.begin(), n.Children.end());
        auto it = canon.find(key);
        if (it != canon.end()) {
            id[k] = it->second;
        } else {
            const int nid = static_cast<int>(g.Nodes.size());
            canon.emplace(std::move(key), nid);
            g.Nodes.push_back(std::move(n));
            id[k] = nid;
        }
    }
    g.Root = id[0];
    return g;
}

// Nodes that go into the node table: everything below the first level.
std::vector<int> TableOrder(const TGraph& g) {
    std::vector<int> order;
    std::vector<char> seen(g.Nodes.size(), 0);
    std::vector<int> queue;
    for (int first : g.Nodes[static_cast<std::size_t>(g.Root)].Children)
        for (int c : g.Nodes[static_cast<std::size_t>(first)].Children) queue.push_back(c);
    // Breadth first, so the nodes a lookup visits early sit close together.
    for (std::size_t q = 0; q < queue.size(); ++q) {
        const int n = queue[q];
        if (seen[static_cast<std::size_t>(n)]) continue;
        seen[static_cast<std::size_t>(n)] = 1;
        order.push_back(n);
        for (int c : g.Nodes[static_cast<std::size_t>(n)].Children) queue.push_back(c);
    }
    return order;
}

void PutU32(String& out, Cardinal v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void PutU16(String& out, Cardinal v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

struct TSubImage {
    String Bytes;
    std::size_t NodeCount = 0;
    bool Fits = false;
};

TSubImage PackSub(const std::vector<String>& words, std::size_t from, std::size_t to, std::size_t maxNodes) {
    TSubImage img;
    const TGraph g = BuildGraph(words, from, to);
    const std::vector<int> order = TableOrder(g);
    img.NodeCount = order.size();
    if (order.size() > maxNodes || order.size() > 65536) return img;
    std::vector<Cardinal> index(g.Nodes.size(), 0);
    for (std::size_t i = 0; i < order.size(); ++i) index[static_cast<std::size_t>(order[i])] = static_cast<Cardinal>(i);
    String lists;
    std::map<std::vector<Cardinal>, Cardinal> listOffset;
    auto nodeWord = [&](int n) -> Cardinal {
        const TGraph::TNode& node = g.Nodes[static_cast<std::size_t>(n)];
        Cardinal count = 0, ptr = 0;
        if (node.Children.size() == 1) {
            count = 1;
            ptr = index[static_cast<std::size_t>(node.Children[0])];
        } else if (node.Children.size() >= 2) {
            std::vector<Cardinal> kids;
            for (int c : node.Children) kids.push_back(index[static_cast<std::size_t>(c)]);
            auto it = listOffset.find(kids);
            if (it == listOffset.end()) {
                const auto offset = static_cast<Cardinal>(lists.size());
                if (kids.size() >= 7) lists += static_cast<char>(kids.size());
                for (Cardinal k : kids) PutU16(lists, k);
                it = listOffset.emplace(kids, offset).first;
            }
            ptr = it->second;
            count = kids.size() >= 7 ? 7 : static_cast<Cardinal>(kids.size());
        }
        return ptr | (count << 20) | (node.End ? 1u << 23 : 0u) | (static_cast<Cardinal>(node.Ch) << 24);
    };
    std::vector<Cardinal> table;
    table.reserve(order.size());
    for (int n : order) table.push_back(nodeWord(n));
    const auto& firsts = g.Nodes[static_cast<std::size_t>(g.Root)].Children;
    std::vector<Cardinal> firstWords;
    for (int f : firsts) firstWords.push_back(nodeWord(f));
    // A child pointer has 20 bits; a list block that grew past them cannot be
    // addressed, so the caller splits the words further.
    if (lists.size() > 0xFFFFF) return img;
    PutU32(img.Bytes, static_cast<Cardinal>(table.size()));
    PutU32(img.Bytes, static_cast<Cardinal>(lists.size()));
    for (Cardinal w : table) PutU32(img.Bytes, w);
    img.Bytes += lists;
    img.Bytes += static_cast<char>(firsts.size());
    for (int f : firsts) img.Bytes += static_cast<char>(g.Nodes[static_cast<std::size_t>(f)].Ch);
    for (Cardinal w : firstWords) PutU32(img.Bytes, w);
    img.Fits = true;
    return img;
}

}  // namespace

String TDictionaryWriter::Build(const std::vector<String>& input, const String& description,
                                std::size_t maxNodes) {
    std::vector<String> words;
    words.reserve(input.size());
    for (const String& w : input) {
        if (w.empty()) continue;
        if (w.size() > 255)
            throw EConvertError(Format("The word \"%s...\" is longer than 255 characters", w.substr(0, 40)));
        words.push_back(w);
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());

    std::array<std::size_t, 256> freq{};
    for (const String& w : words)
        for (char c : w) ++freq[static_cast<Byte>(c)];
    String letters;
    for (int c = 0; c < 256; ++c)
        if (freq[static_cast<std::size_t>(c)]) letters += static_cast<char>(c);
    if (letters.size() > 255) throw EConvertError("The words use more than 255 distinct characters");
    std::stable_sort(letters.begin(), letters.end(), [&](char a, char b) {
        return freq[static_cast<Byte>(a)] > freq[static_cast<Byte>(b)];
    });

    // Words sharing a first letter stay together where they fit, so a lookup
    // usually asks a single sub-dictionary. Whole letter groups are added
    // while the result fits; a group too big on its own is cut by ranges.
    std::vector<String> subs;
    std::size_t start = 0;
    while (start < words.size()) {
        std::size_t end = start;
        String best;
        // Most lists fit whole; try that before growing group by group.
        if (TSubImage all = PackSub(words, start, words.size(), maxNodes); all.Fits) {
            subs.push_back(std::move(all.Bytes));
            break;
        }
        // Grow by whole first-letter groups.
        while (end < words.size()) {
            std::size_t next = end;
            while (next < words.size() && words[next][0] == words[end][0]) ++next;
            TSubImage img = PackSub(words, start, next, maxNodes);
            if (!img.Fits) break;
            best = std::move(img.Bytes);
            end = next;
        }
        if (end == start) {
            // Even the first letter group alone is too big: find the longest
            // run of its words that fits.
            std::size_t lo = start + 1, hi = words.size();
            while (hi > lo) {
                const std::size_t mid = lo + (hi - lo + 1) / 2;
                if (PackSub(words, start, mid, maxNodes).Fits) lo = mid;
                else hi = mid - 1;
            }
            TSubImage img = PackSub(words, start, lo, maxNodes);
            if (!img.Fits) throw EConvertError(Format("The word \"%s\" cannot be packed", words[start]));
            best = std::move(img.Bytes);
            end = lo;
        }
        subs.push_back(std::move(best));
        start = end;
    }
    if (subs.size() > 255) throw EConvertError("The word list needs more than 255 sub-dictionaries");

    String out(DctBodyOffset, '\0');
    const String signature = "Velmor main dictionary\r\n\x1a";
    out.replace(0, signature.size(), signature);
    String desc = description.substr(0, DctDescriptionSize);
    desc.resize(DctDescriptionSize, ' ');
    out.replace(DctDescriptionOffset, DctDescriptionSize, desc);
    out += static_cast<char>(subs.size());
    out += static_cast<char>(letters.size());
    out += letters;
    for (const String& s : subs) out += s;
    return out;
}

void TDictionaryWriter::WriteFile(const String& fileName, const std::vector<String>& words,
                                  const String& description, std::size_t maxNodes) {
    SafeWriteFile(fileName, Build(words, description, maxNodes));
}

int TDictionaryWriter::SubDictionaryCount(const String& image) {
    if (image.size() <= DctBodyOffset) return 0;
    return static_cast<Byte>(image[DctBodyOffset]);
}
