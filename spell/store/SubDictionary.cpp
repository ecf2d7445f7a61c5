#include "spell/store/SubDictionary.h"

#include <cstring>

#include "framework/rtl/Format.h"
#include "spell/store/CheckedReader.h"

namespace {
constexpr Cardinal PointerMask = 0xFFFFF;
inline Cardinal ChildCount(Cardinal node) { return (node >> 20) & 7; }
inline Cardinal ChildPointer(Cardinal node) { return node & PointerMask; }
inline bool EndOfWord(Cardinal node) { return (node >> 23) & 1; }
inline Byte NodeChar(Cardinal node) { return static_cast<Byte>(node >> 24); }
inline Cardinal LoadU32(const Byte* p) {
    return static_cast<Cardinal>(p[0]) | (static_cast<Cardinal>(p[1]) << 8) |
           (static_cast<Cardinal>(p[2]) << 16) | (static_cast<Cardinal>(p[3]) << 24);
}
inline Cardinal LoadU16(const Byte* p) { return static_cast<Cardinal>(p[0] | (p[1] << 8)); }
}  // namespace

TSubDictionary::TSubDictionary() = default;

Cardinal TSubDictionary::Node(Cardinal index) const {
    return LoadU32(FTable + 4 * static_cast<std::size_t>(index));
}

void TSubDictionary::CheckNode(TCheckedReader& reader, Cardinal node, const char* where) const {
    const Cardinal n = ChildCount(node);
    const Cardinal ptr = ChildPointer(node);
    if (n == 0) return;
    if (n == 1) {
        if (ptr >= FNodeCount)
            reader.Fail(Format("%s points to node %d of %d", String(where), static_cast<Int64>(ptr),
                               static_cast<Int64>(FNodeCount)));
        return;
    }
    const std::size_t size = FListSize;
    const Byte* lists = FLists;
    std::size_t at = ptr;
    std::size_t count = n;
    if (n == 7) {
        if (at >= size)
            reader.Fail(Format("%s has its child count past the child lists", String(where)));
        count = lists[at++];
    }
    if (at + 2 * count > size)
        reader.Fail(Format("%s has a child list that runs past the child lists", String(where)));
    for (std::size_t k = 0; k < count; ++k) {
        const Cardinal child = LoadU16(lists + at + 2 * k);
        if (child >= FNodeCount)
            reader.Fail(Format("%s lists child node %d of %d", String(where),
                               static_cast<Int64>(child), static_cast<Int64>(FNodeCount)));
    }
}

void TSubDictionary::Load(TCheckedReader& reader) {
    const Cardinal n = reader.ReadU32("the node count");
    const Cardinal d = reader.ReadU32("the child-list size");
    // Both blocks are checked against what is left of the file before
    // either is allocated: a damaged count must cost nothing.
    if (n > reader.Remaining() / 4)
        reader.Fail(Format("the node table of %d entries runs past the end of the file",
                           static_cast<Int64>(n)));
    const Byte* table = reader.ReadBytes(std::size_t(n) * 4, "the node table");
    if (d > reader.Remaining())
        reader.Fail(Format("the child lists of %d bytes run past the end of the file",
                           static_cast<Int64>(d)));
    const Byte* lists = reader.ReadBytes(d, "the child lists");
    FNodeCount = n;
    NodeTable.Clear();
    NodeTable.SetSize(static_cast<Int64>(n) * 4);
    if (n) std::memcpy(NodeTable.Memory(), table, std::size_t(n) * 4);
    ChildLists.Clear();
    ChildLists.SetSize(d);
    if (d) std::memcpy(ChildLists.Memory(), lists, d);
    FTable = static_cast<const Byte*>(NodeTable.Memory());
    FLists = static_cast<const Byte*>(ChildLists.Memory());
    FListSize = d;
    const Byte l = reader.ReadU8("the first-letter count");
    const Byte* letters = reader.ReadBytes(l, "the first letters");
    FirstLetters.assign(reinterpret_cast<const char*>(letters), l);
    FFirstIndex.fill(0);
    for (Byte i = 0; i < l; ++i) {
        FirstNodes[i] = reader.ReadU32("a first-level node");
        // The first position of a letter wins, as a linear search would find it.
        if (!FFirstIndex[letters[i]]) FFirstIndex[letters[i]] = static_cast<Byte>(i + 1);
    }
    for (Cardinal i = 0; i < n; ++i) CheckNode(reader, Node(i), "a node");
    for (Byte i = 0; i < l; ++i) CheckNode(reader, FirstNodes[i], "a first-level node");
}

bool TSubDictionary::LookupWord(const String& word) const {
    // Stored words are at most 255 characters long.
    if (word.empty() || word.size() > 255) return false;
    const Byte first = FFirstIndex[static_cast<Byte>(word[0])];
    if (!first) return false;
    const Byte* table = FTable;
    const Byte* lists = FLists;
    Cardinal node = FirstNodes[first - 1];
    for (std::size_t i = 1; i < word.size(); ++i) {
        const Byte c = static_cast<Byte>(word[i]);
        Cardinal n = ChildCount(node);
        const Cardinal ptr = ChildPointer(node);
        // A node without the wanted child ends the search: the word goes on
        // where the dictionary does not, so it is not one of its words.
        if (n == 0) return false;
        if (n == 1) {
            node = LoadU32(table + 4 * std::size_t(ptr));
            if (NodeChar(node) != c) return false;
            continue;
        }
        const Byte* p = lists + ptr;
        if (n == 7) n = *p++;
        bool found = false;
        for (Cardinal k = 0; k < n; ++k, p += 2) {
            const Cardinal child = LoadU32(table + 4 * std::size_t(LoadU16(p)));
            if (NodeChar(child) == c) {
                node = child;
                found = true;
                break;
            }
        }
        if (!found) return false;
    }
    return EndOfWord(node);
}
