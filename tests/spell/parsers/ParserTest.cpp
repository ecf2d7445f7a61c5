// The word parsers: which words each source yields, replacement in place,
// and stepping back through the undo history.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/Memo.h"
#include "framework/controls/RichEdit.h"
#include "framework/rtl/Exception.h"
#include "spell/parsers/BufferParser.h"
#include "spell/parsers/CustomEditParser.h"
#include "spell/parsers/CustomMemoParser.h"
#include "spell/parsers/CustomRichEditParser.h"
#include "spell/parsers/ParserFactory.h"
#include "spell/parsers/StringParser.h"
#include "spell/parsers/WinAPIEditorSpellParser.h"

namespace {
struct TFound {
    String Word;
    bool Internet = false;
    bool Markup = false;
    bool operator==(const TFound&) const = default;
};
std::ostream& operator<<(std::ostream& o, const TFound& f) {
    return o << f.Word << (f.Internet ? "[net]" : "") << (f.Markup ? "[markup]" : "");
}

std::vector<TFound> Walk(TParser& p) {
    std::vector<TFound> out;
    p.BeginCheck();
    for (int guard = 0; guard < 1000; ++guard) {
        String w;
        p.GetNextWord(w);
        if (p.AtEnd) break;
        out.push_back({w, p.IsInternetAddress, p.SkippedMarkup});
    }
    return out;
}

struct TScanCase {
    const char* Text;
    bool SkipHTML;
    std::vector<TFound> Expected;
};

const std::vector<TScanCase>& ScanCases() {
    static const std::vector<TScanCase> cases = {
        {"Hello world", false, {{"Hello"}, {"world"}}},
        {"", false, {}},
        {"  ,;  ", false, {}},
        {"end a", false, {{"end"}, {"a"}}},
        {"it's R&D", false, {{"it's"}, {"R&D"}}},
        {"mail joe@example.com now", false, {{"mail"}, {"joe@example.com", true, true}, {"now"}}},
        {"see http://x.org/a, ok", false, {{"see"}, {"http://x.org/a", true, true}, {"ok"}}},
        {"NEWS:alt.test (x)", false, {{"NEWS:alt.test", true, true}, {"x"}}},
        {"Ftp:host.example", false, {{"Ftp:host.example", true, true}}},
        {"go HTTPS://example.org/a?b=c now", false, {{"go"}, {"HTTPS://example.org/a?b=c", true, true}, {"now"}}},
        {"at www.example.com/x.", false, {{"at"}, {"www.example.com/x.", true, true}}},
        {"write mailto:joe@x.org", false, {{"write"}, {"mailto:joe@x.org", true, true}}},
        {"mail john.o'neil@x.org", false, {{"mail"}, {"john"}, {"o'neil@x.org", true, true}}},
        {"ask john.smith@mail.example.co.uk, or", false,
         {{"ask"}, {"john.smith@mail.example.co.uk", true, true}, {"or"}}},
        {"to first-last+tag@example.org", false, {{"to"}, {"first-last+tag@example.org", true, true}}},
        // Near misses: a lone "www.", a dotted word before "@" with no
        // dotted host, abbreviations and a scheme-like word.
        {"the www. is", false, {{"the"}, {"www"}, {"is"}}},
        {"e.g. at x.y@host", false, {{"e"}, {"g"}, {"at"}, {"x"}, {"y@host", true, true}}},
        {"wwwx.org httpx:y", false, {{"wwwx"}, {"org"}, {"httpx"}, {"y"}}},
        {"<b>bold</b> text", true, {{"bold", false, true}, {"text", false, true}}},
        {"<b>bold</b> text", false, {{"b"}, {"bold"}, {"b"}, {"text"}}},
        {"a <unclosed tag", true, {{"a"}}},
    };
    return cases;
}
}  // namespace

TEST(StringParser, WordsOfEachKindOfText) {
    for (const auto& c : ScanCases()) {
        String text = c.Text;
        TStringParser p(&text);
        p.SetSkipHTML(c.SkipHTML);
        EXPECT_EQ(Walk(p), c.Expected) << c.Text;
    }
}

TEST(MemoParser, SameWordsAsTheStringParserOnOneLine) {
    for (const auto& c : ScanCases()) {
        TMemo memo(nullptr);
        memo.SetText(c.Text);
        TCustomMemoParser p(&memo);
        p.SetSkipHTML(c.SkipHTML);
        EXPECT_EQ(Walk(p), c.Expected) << c.Text;
    }
}

TEST(MemoParser, QuotedLinesAndTagsAcrossLines) {
    TMemo memo(nullptr);
    memo.SetText("first line\r\n> quoted wordz\r\na <b\r\nclass=x> last");
    TCustomMemoParser p(&memo);
    p.SkipQuoted = true;
    p.QuoteCharacters = ">";
    p.SetSkipHTML(true);
    const std::vector<TFound> expected = {{"first"}, {"line"}, {"a"}, {"last", false, true}};
    EXPECT_EQ(Walk(p), expected);
}

TEST(MemoParser, PositionsCountLineBreaksAsTwo) {
    TMemo memo(nullptr);
    memo.SetText("ab\r\ncd ef");
    TCustomMemoParser p(&memo);
    String w;
    p.GetNextWord(w);
    p.GetNextWord(w);
    EXPECT_EQ(w, "cd");
    EXPECT_EQ(p.Position, 5);
    EXPECT_EQ(p.Column, 1);
    p.SelectCurrentWord();
    EXPECT_EQ(memo.SelText(), "cd");
}

TEST(BufferParser, FtpAndNewsStartNoAddressAndAnEmptyBufferHasNoWords) {
    char text[] = "ftp:host http:x.y news:z b https://s.org www.w.org mailto:m@x.org a.b@c.org";
    TBufferParser p(text);
    const std::vector<TFound> expected = {
        {"ftp"}, {"host"}, {"http:x.y", true, true}, {"news"}, {"z"}, {"b"}, {"https://s.org", true, true},
        {"www.w.org", true, true}, {"mailto:m@x.org", true, true}, {"a.b@c.org", true, true}};
    EXPECT_EQ(Walk(p), expected);

    char empty[] = "";
    TBufferParser none(empty);
    EXPECT_TRUE(Walk(none).empty());
    EXPECT_TRUE(none.AtEnd);
}

TEST(BufferParser, AReplacementThatDoesNotFitIsRefusedAndTheBufferKept) {
    char text[16] = "teh cat";
    TBufferParser p(text, 8);  // exactly the text and its zero
    String w;
    p.BeginCheck();
    p.GetNextWord(w);
    p.PushUndo();
    EXPECT_THROW(p.ReplaceCurrentWord("these"), Exception);
    EXPECT_STREQ(text, "teh cat");

    TBufferParser roomy(text, sizeof text);
    roomy.BeginCheck();
    roomy.GetNextWord(w);
    roomy.PushUndo();
    roomy.ReplaceCurrentWord("these");
    EXPECT_STREQ(text, "these cat");
    roomy.GetNextWord(w);
    EXPECT_EQ(w, "cat");
}

TEST(StringParser, ReplacementMovesTheRangeEndAndUndoPutsTheWordBack) {
    String text = "teh cat sat";
    TStringParser p(&text);
    p.SetCheckRange(1, 9);  // up to "sat"'s first letter
    p.BeginCheck();
    String w;
    p.GetNextWord(w);
    p.PushUndo();
    p.ReplaceCurrentWord("these");
    EXPECT_EQ(text, "these cat sat");
    EXPECT_EQ(p.EndPosition, 11);
    p.GetNextWord(w);
    EXPECT_EQ(w, "cat");
    p.PushUndo();
    p.GetNextWord(w);
    EXPECT_EQ(w, "sat");  // the range still ends at the same word
    p.GetNextWord(w);
    EXPECT_TRUE(p.AtEnd);

    std::unique_ptr<TUndo> r = p.Undo();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->WordBefore, "teh");
    EXPECT_EQ(text, "teh cat sat");
    EXPECT_EQ(p.Position, 1);
    EXPECT_FALSE(p.CanUndo());
    EXPECT_FALSE(p.Undo());
}

TEST(StringParser, UndoOfADeletedRepeatedWordPutsBackTheWordAndBothSpaces) {
    String text = "the the  cat";
    TStringParser p(&text);
    p.BeginCheck();
    String w;
    p.GetNextWord(w);
    p.GetNextWord(w);
    p.PushUndo();
    p.ReplaceCurrentWord(" ");
    ASSERT_TRUE(p.RemoveSpace());
    ASSERT_TRUE(p.RemoveSpace());
    p.SetUndoKind(105);
    // The word goes with the space it leaves and one of the spaces after it.
    EXPECT_EQ(text, "the  cat");
    p.GetNextWord(w);
    EXPECT_EQ(w, "cat");
    p.PushUndo();
    std::unique_ptr<TUndo> r = p.Undo();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Kind, 105);
    EXPECT_EQ(text, "the the  cat");
}

TEST(StringParser, AStopPassedOverByUndoIsUndoneTooAndReportedToListeners) {
    String text = "aa bb cc";
    TStringParser p(&text);
    std::vector<int> undone;
    p.OnUndone = [&](TParser*, void*, int action, TUndo*) { undone.push_back(action); };
    p.BeginCheck();
    String w;
    p.GetNextWord(w);  // aa: ignored
    p.PushUndo();
    p.SetUndoKind(7);
    p.GetNextWord(w);  // bb: changed silently
    p.PushUndo();
    p.SetUndoKind(12);
    p.ReplaceCurrentWord("xx");
    p.GetNextWord(w);  // cc: the stop on screen
    p.PushUndo();
    std::unique_ptr<TUndo> r = p.Undo();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Kind, 7);
    EXPECT_EQ(text, "aa bb cc");
    EXPECT_EQ(p.Position, 1);
    // The second event found the list empty and so stayed silent.
    EXPECT_EQ(undone, std::vector<int>{1});
}

TEST(EditParser, CaretInsideAWordStartsAtTheWord) {
    TEdit edit(nullptr);
    edit.SetText("one twoo three");
    struct Case {
        int Caret;
        const char* First;
    } cases[] = {{0, "one"}, {6, "twoo"}, {8, "twoo"}, {9, "three"}, {14, "three"}};
    for (const auto& c : cases) {
        TCustomEditParser p(&edit);
        edit.SetSelStart(c.Caret);
        p.StartAtSelection();
        p.BeginCheck();
        String w;
        p.GetNextWord(w);
        EXPECT_EQ(w, c.First) << c.Caret;
    }
}

TEST(EditParser, ReplacesTheWordThroughTheSelection) {
    TEdit edit(nullptr);
    edit.SetText("one twoo three");
    TCustomEditParser p(&edit);
    p.BeginCheck();
    String w;
    p.GetNextWord(w);
    p.GetNextWord(w);
    p.PushUndo();
    p.SelectCurrentWord();
    EXPECT_EQ(edit.SelText(), "twoo");
    p.ReplaceCurrentWord("two");
    EXPECT_EQ(edit.Text(), "one two three");
    EXPECT_EQ(p.EndPosition, 13);
    p.GetNextWord(w);
    EXPECT_EQ(w, "three");
}

TEST(MemoParser, SelectionCheckCoversOnlyTheSelectedWords) {
    TMemo memo(nullptr);
    memo.SetText("alpha beta\r\ngamma delta");
    memo.SetSelStart(8);   // inside "beta"
    memo.SetSelLength(11); // to inside "delta"
    TCustomMemoParser p(&memo);
    p.StartAtSelection();
    p.EndAtSelection();
    const std::vector<TFound> expected = {{"beta"}, {"gamma"}, {"delta"}};
    EXPECT_EQ(Walk(p), expected);
}

TEST(MemoParser, ACaretAtALineStartBeginsWithThatLine) {
    TMemo memo(nullptr);
    memo.SetText("alpha beta\r\ngamma delta");
    memo.SetSelStart(12);  // before "gamma": the character before it is the line break
    TCustomMemoParser p(&memo);
    p.StartAtSelection();
    const std::vector<TFound> expected = {{"gamma"}, {"delta"}};
    EXPECT_EQ(Walk(p), expected);
}

TEST(ParserFactory, KindsAndControlsGetTheirParsers) {
    TEdit edit(nullptr);
    TMemo memo(nullptr);
    TRichEdit rich(nullptr);
    TForm form(nullptr);
    EXPECT_TRUE(dynamic_cast<TCustomEditParser*>(CreateParserForControl(&edit).get()));
    EXPECT_TRUE(dynamic_cast<TCustomMemoParser*>(CreateParserForControl(&memo).get()));
    EXPECT_TRUE(dynamic_cast<TCustomRichEditParser*>(CreateParserForControl(&rich).get()));
    EXPECT_TRUE(dynamic_cast<TCustomRichEditParser*>(CreateParserByKind(2, static_cast<TObject*>(&rich)).get()));
    EXPECT_FALSE(CreateParserForControl(&form));
    EXPECT_FALSE(CreateParserByKind(6, static_cast<TObject*>(&edit)));
    EXPECT_FALSE(CreateParserByKind(2, static_cast<TObject*>(&edit)));  // an edit is no rich edit
    String s = "x";
    EXPECT_TRUE(dynamic_cast<TStringParser*>(CreateParserByKind(1 | 128, &s).get()));
}

// --- the window-message parser ------------------------------------------------------

namespace {
// A memo on a form, with the spell notices it receives recorded.
class WindowParser : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Memo = new TMemo(Form.get());
        Memo->SetParent(Form.get());
        Memo->SetBounds(0, 0, 200, 100);
        Old = Memo->WindowProc;
        Memo->WindowProc = [this](TMessage& m) {
            if (m.Msg == WM_SPELL_PROGRESS || m.Msg == WM_SPELL_LINE)
                Notices.push_back({m.Msg, static_cast<int>(static_cast<std::intptr_t>(m.WParam)),
                                   static_cast<int>(m.LParam)});
            Old(m);
        };
    }
    struct TNotice {
        UINT Msg;
        int W, L;
        bool operator==(const TNotice&) const = default;
    };
    std::unique_ptr<TForm> Form;
    TMemo* Memo = nullptr;
    TWndMethod Old;
    std::vector<TNotice> Notices;
};
}  // namespace

TEST_F(WindowParser, AnEmptyWindowEndsAtOnceWithTheEndNotice) {
    TWinAPIEditorSpellParser p(Memo);
    EXPECT_TRUE(Walk(p).empty());
    EXPECT_TRUE(p.AtEnd);
    ASSERT_EQ(Notices.size(), 1u);
    EXPECT_EQ(Notices[0], (TNotice{WM_SPELL_PROGRESS, -1, -1}));
}

TEST_F(WindowParser, LineChangesAndWordsAreReported) {
    Memo->SetText("\r\n\r\n  word");
    TWinAPIEditorSpellParser p(Memo);
    p.BeginCheck();
    String w;
    p.GetNextWord(w);
    EXPECT_EQ(w, "word");
    const std::vector<TNotice> expected = {
        {WM_SPELL_LINE, 0, 0}, {WM_SPELL_LINE, 0, 1}, {WM_SPELL_PROGRESS, 3, 2}};
    EXPECT_EQ(Notices, expected);
    EXPECT_EQ(p.Position, 7);
}

TEST_F(WindowParser, OnlyTheFirst4096CharactersOfALineAreRead) {
    Memo->SetText(String(4090, ' ') + "abcdefghij tail");
    TWinAPIEditorSpellParser p(Memo);
    const auto words = Walk(p);
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0].Word, "abcdef");
}

TEST_F(WindowParser, SelectedTextAcrossLinesAndAnUndoableReplacement) {
    Memo->SetText("alpha beta\r\ngamma");
    TWinAPIEditorSpellParser p(Memo);
    Memo->SetSelStart(3);
    Memo->SetSelLength(5);
    String t;
    p.GetSelectedText(t);
    EXPECT_EQ(t, "ha be");
    Memo->SetSelStart(6);
    Memo->SetSelLength(9);
    p.GetSelectedText(t);
    EXPECT_EQ(t, "beta\r\ngam");

    p.BeginCheck();
    String w;
    p.GetNextWord(w);
    p.GetNextWord(w);
    EXPECT_EQ(w, "beta");
    p.PushUndo();
    p.SelectCurrentWord();
    p.ReplaceCurrentWord("bet");
    EXPECT_EQ(Memo->Text(), "alpha bet\r\ngamma");
    EXPECT_TRUE(Memo->CanUndo());
    p.GetNextWord(w);
    EXPECT_EQ(w, "gamma");
}
