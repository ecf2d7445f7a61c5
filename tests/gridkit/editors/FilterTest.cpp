// The text editor's rules that need no window: the character filter of
// each editor kind, mixed case, the paste check and type-ahead, plus the
// sort index list.
#include <gtest/gtest.h>

#include "framework/classes/StringList.h"
#include "gridkit/editors/GkInplaceEdit.h"
#include "gridkit/grid/SortIndexList.h"

namespace {

using V = TGkInplaceEdit::TCharVerdict;

struct FilterCase {
    TEditorType kind;
    const char* text;
    int selStart, selLength;
    char key;
    V verdict;
    char keyAfter;  // what the filter turned the key into
    int limit = 0;
};

class CharFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(CharFilter, AcceptsDropsOrBeeps) {
    const FilterCase& c = GetParam();
    char key = c.key;
    EXPECT_EQ(TGkInplaceEdit::FilterChar(c.kind, c.text, c.selStart, c.selLength, key, c.limit), c.verdict)
        << "kind " << int(c.kind) << " text '" << c.text << "' key '" << c.key << "'";
    if (c.verdict == TGkInplaceEdit::cvAccept) {
        EXPECT_EQ(key, c.keyAfter);
    }
}

constexpr V A = TGkInplaceEdit::cvAccept, D = TGkInplaceEdit::cvDrop, B = TGkInplaceEdit::cvBeep;

INSTANTIATE_TEST_SUITE_P(Kinds, CharFilter, ::testing::Values(
    FilterCase{edNormal, "abc", 3, 0, '#', A, '#'},
    FilterCase{edPassword, "", 0, 0, 'x', A, 'x'},
    FilterCase{edNumeric, "12", 2, 0, '7', A, '7'},
    FilterCase{edNumeric, "12", 2, 0, '-', B, 0},     // a minus only in front
    FilterCase{edNumeric, "12", 0, 0, '-', A, '-'},
    FilterCase{edNumeric, "-12", 0, 0, '-', B, 0},    // and only one
    FilterCase{edNumeric, "-12", 0, 1, '-', A, '-'},  // replacing the one there
    FilterCase{edNumeric, "12", 1, 0, 'a', B, 0},
    FilterCase{edNumeric, "12", 1, 0, '\b', A, '\b'},
    FilterCase{edNumeric, "12", 1, 0, 27, A, 27},     // Escape still reaches the grid
    FilterCase{edPositiveNumeric, "", 0, 0, '-', B, 0},
    FilterCase{edPositiveNumeric, "4", 1, 0, '5', A, '5'},
    FilterCase{edFloat, "1.5", 3, 0, ',', D, 0},      // one separator, dropped silently
    FilterCase{edFloat, "1.5", 0, 3, ',', A, ','},    // all selected: replaced
    FilterCase{edFloat, "15", 2, 0, '.', A, '.'},
    FilterCase{edFloat, "1.5", 3, 0, 'x', D, 0},
    FilterCase{edFloat, "1.5", 3, 0, '-', B, 0},
    FilterCase{edFloat, "1.5", 0, 0, '-', A, '-'},
    FilterCase{edCapital, "", 0, 0, 'q', A, 'Q'},
    FilterCase{edUpperCase, "", 0, 0, 'q', A, 'Q'},
    FilterCase{edLowerCase, "", 0, 0, 'Q', A, 'q'},
    FilterCase{edMixedCase, "", 0, 0, 'Q', A, 'Q'},
    FilterCase{edNumericEditBtn, "5", 1, 0, '-', B, 0},
    FilterCase{edFloatEditBtn, "5", 1, 0, 'e', D, 0},
    FilterCase{edEditBtn, "5", 1, 0, 'e', A, 'e'},
    FilterCase{edNormal, "abc", 3, 0, 'd', D, 0, 3},  // at the limit
    FilterCase{edNormal, "abc", 3, 0, '\b', A, '\b', 3},
    FilterCase{edNormal, "abc", 0, 1, 'd', A, 'd', 3},  // replaces a selected one
    FilterCase{edNormal, "ab", 2, 0, 'c', A, 'c', 3}));

TEST(MixedCase, KeepsNamesAndNumeralsCapitalised) {
    const std::pair<const char*, const char*> cases[] = {
        {"mcadam smith", "McAdam Smith"},
        {"o'neil-jones", "O'Neil-Jones"},
        {"JOHN DOE", "John Doe"},
        {"henry ii", "Henry II"},
        {"louis i", "Louis I"},
        {"ian mcdonald", "Ian McDonald"},
        {"st. ives, uk", "St. Ives, Uk"},
        {"", ""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(TGkInplaceEdit::MixedCase(in), out) << in;
}

TEST(Paste, ChecksTheResultNotTheClipboardAlone) {
    struct Case {
        TEditorType kind;
        const char* text;
        int selStart, selLength;
        const char* clip;
        int limit;
        bool taken;
        const char* result;
    };
    const Case cases[] = {
        {edNormal, "abc", 3, 0, "de", 5, true, "abcde"},
        {edNormal, "abc", 3, 0, "def", 5, false, ""},    // 6 characters would not fit
        {edNormal, "abc", 0, 3, "wxyz", 5, true, "wxyz"}, // the selection makes room
        {edNormal, "", 0, 0, "toolong", 0, true, "toolong"},
        {edNumeric, "12", 2, 0, "34", 0, true, "1234"},
        {edNumeric, "12", 2, 0, "-3", 0, false, ""},     // a minus only in front
        {edNumeric, "12", 0, 0, "-", 0, true, "-12"},
        {edNumeric, "12", 2, 0, "x", 0, false, ""},
        {edPositiveNumeric, "12", 0, 0, "-", 0, false, ""},
        {edFloat, "1", 1, 0, ".25", 0, true, "1.25"},
        {edFloat, "1.2", 3, 0, ".5", 0, false, ""},
        {edMixedCase, "", 0, 0, "mcadam smith", 0, true, "McAdam Smith"},
        {edLowerCase, "A", 1, 0, "BC", 0, true, "abc"},
        {edUpperCase, "a", 1, 0, "bc", 0, true, "ABC"},
    };
    for (const Case& c : cases) {
        String result;
        EXPECT_EQ(TGkInplaceEdit::PasteResult(c.kind, c.text, c.selStart, c.selLength, c.clip, c.limit, result),
                  c.taken)
            << c.text << " + " << c.clip;
        if (c.taken) {
            EXPECT_EQ(result, c.result);
        }
    }
}

TEST(TypeAhead, CompletesFromTheFirstMatchingItem) {
    TStringList items;
    items.Add("Berlin");
    items.Add("bern");
    items.Add("Boston");
    String out;
    EXPECT_TRUE(TGkInplaceEdit::LookupCompletion("ber", &items, false, out));
    EXPECT_EQ(out, "berlin");  // the typed part stays as typed
    EXPECT_TRUE(TGkInplaceEdit::LookupCompletion("ber", &items, true, out));
    EXPECT_EQ(out, "bern");
    EXPECT_FALSE(TGkInplaceEdit::LookupCompletion("x", &items, false, out));
    EXPECT_FALSE(TGkInplaceEdit::LookupCompletion("", &items, false, out));
}

struct CaretMoveCase {
    const char* text;
    int caret;
    bool down;
    int moved;  // -1: the key belongs to the grid
};

TEST(VerticalCaretMove, KeepsTheColumnWithinTheNeighbouringLine) {
    const CaretMoveCase cases[] = {
        {"ab\r\ncd", 1, true, 5},
        {"ab\r\ncd", 5, false, 1},
        {"ab\r\ncd", 0, false, -1},   // first line: Up is the grid's
        {"ab\r\ncd", 5, true, -1},    // last line: Down is the grid's
        {"ab\r\ncd", 2, true, 6},     // from the end of a line
        {"abcd\r\nx", 3, true, 7},    // a shorter line: its end
        {"x\r\nabcd", 7, false, 1},
        {"a\r\n\r\nb", 3, true, 5}, // an empty line between
        {"a\nbc\nd", 3, true, 6},     // bare line feeds
        {"a\nbc\nd", 6, false, 3},
        {"single", 3, true, -1},
        {"single", 3, false, -1},
        {"", 0, true, -1},
    };
    for (const CaretMoveCase& c : cases)
        EXPECT_EQ(TGkInplaceEdit::VerticalCaretMove(c.text, c.caret, c.down), c.moved)
            << "'" << c.text << "' caret " << c.caret << (c.down ? " down" : " up");
}

TEST(SortIndexList, MarksDescendingColumnsInTheTopBit) {
    TSortIndexList list;
    int changes = 0;
    list.OnChange = [&](TIntList*, int, int) { ++changes; };
    list.AddIndex(3, true);
    list.AddIndex(5, false);
    EXPECT_EQ(list.Items(0), 3);
    EXPECT_EQ(static_cast<unsigned>(list.Items(1)), 0x80000005u);
    EXPECT_EQ(list.FindIndex(5), 1);
    EXPECT_EQ(list.FindIndex(4), -1);
    list.ToggleIndex(5);
    EXPECT_EQ(list.Items(1), 5);
    list.ToggleIndex(3);
    EXPECT_FALSE(TSortIndexList::Ascending(list.Items(0)));
    EXPECT_EQ(TSortIndexList::ColumnOf(list.Items(0)), 3);
    EXPECT_EQ(changes, 4);
}

}  // namespace
