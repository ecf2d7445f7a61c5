#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/classes/Strings.h"
#include "framework/controls/Clipboard.h"
#include "framework/controls/Edit.h"
#include "framework/controls/EditMessages.h"
#include "framework/controls/Form.h"
#include "framework/controls/Memo.h"
#include "framework/controls/RichEdit.h"
#include "framework/testkit/SimulatedInput.h"
#include "framework/messages/MessageQueue.h"

namespace {
String GetLine(TControl* c, int line) {
    char buf[64];
    const Word size = sizeof buf;
    std::memcpy(buf, &size, sizeof size);
    const auto n = c->Perform(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buf));
    return String(buf, static_cast<size_t>(n));
}
}  // namespace

// The same positions whether the memo has a window or not, and for the
// memo and the rich edit alike.
class EditMessagesTest : public ::testing::TestWithParam<std::tuple<bool, bool>> {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        if (std::get<1>(GetParam()))
            Edit = new TRichEdit(Form.get());
        else
            Edit = new TMemo(Form.get());
        Edit->SetParent(Form.get());
        Edit->SetBounds(0, 0, 300, 200);
        if (std::get<0>(GetParam())) Form->Show();
        Edit->SetText("first\nsecond line\r\nthird");
    }
    std::unique_ptr<TForm> Form;
    TCustomMemo* Edit = nullptr;
};

TEST_P(EditMessagesTest, PositionsCountLineBreaksAsTwo) {
    EXPECT_EQ(Edit->Text(), "first\r\nsecond line\r\nthird");
    EXPECT_EQ(Edit->Perform(WM_GETTEXTLENGTH), 25);
    EXPECT_EQ(Edit->Perform(EM_GETLINECOUNT), 3);
    EXPECT_EQ(Edit->Perform(EM_LINEINDEX, 0), 0);
    EXPECT_EQ(Edit->Perform(EM_LINEINDEX, 1), 7);
    EXPECT_EQ(Edit->Perform(EM_LINEINDEX, 2), 20);
    EXPECT_EQ(Edit->Perform(EM_LINEINDEX, 3), -1);
    EXPECT_EQ(Edit->Perform(EM_LINEFROMCHAR, 6), 0);
    EXPECT_EQ(Edit->Perform(EM_LINEFROMCHAR, 7), 1);
    EXPECT_EQ(Edit->Perform(EM_LINEFROMCHAR, 24), 2);
    EXPECT_EQ(Edit->Perform(EM_LINELENGTH, 8), 11);
    EXPECT_EQ(GetLine(Edit, 1), "second line");
    EXPECT_EQ(GetLine(Edit, 2), "third");

    Edit->Perform(EM_SETSEL, 14, 18);  // "line"
    DWORD s = 0, e = 0;
    Edit->Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    EXPECT_EQ(s, 14u);
    EXPECT_EQ(e, 18u);
    EXPECT_EQ(Edit->SelText(), "line");
    EXPECT_EQ(Edit->CaretPos(), Point(11, 1));
    Edit->Perform(EM_SETMODIFY, 0);
    Edit->Perform(EM_REPLACESEL, 1, reinterpret_cast<LPARAM>("row"));
    EXPECT_EQ(Edit->Text(), "first\r\nsecond row\r\nthird");
    EXPECT_EQ(Edit->SelStart(), 17);
    EXPECT_EQ(Edit->Perform(EM_GETMODIFY), 1);
    EXPECT_EQ(Edit->Perform(EM_CANUNDO), 1);
    Edit->Perform(EM_UNDO);
    EXPECT_EQ(Edit->Text(), "first\r\nsecond line\r\nthird");

    CHARRANGE cr{20, 25};
    Edit->Perform(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
    EXPECT_EQ(Edit->SelText(), "third");
    CHARRANGE back{};
    Edit->Perform(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(back.cpMin, 20);
    EXPECT_EQ(back.cpMax, 25);

    FINDTEXTA ft{{0, -1}, "LINE"};
    EXPECT_EQ(Edit->Perform(EM_FINDTEXT, FR_DOWN, reinterpret_cast<LPARAM>(&ft)), 14);
    EXPECT_EQ(Edit->Perform(EM_FINDTEXT, FR_DOWN | FR_MATCHCASE, reinterpret_cast<LPARAM>(&ft)), -1);
    FINDTEXTA up{{25, 0}, "i"};
    EXPECT_EQ(Edit->Perform(EM_FINDTEXT, 0, reinterpret_cast<LPARAM>(&up)), 22);
    FINDTEXTA word{{0, -1}, "sec"};
    EXPECT_EQ(Edit->Perform(EM_FINDTEXT, FR_DOWN | FR_WHOLEWORD, reinterpret_cast<LPARAM>(&word)), -1);

    Edit->Perform(EM_SETREADONLY, 1);
    EXPECT_TRUE(Edit->ReadOnly());
    char buf[6];
    EXPECT_EQ(Edit->Perform(WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf)), 5);
    EXPECT_STREQ(buf, "first");
    Edit->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x\ny"));
    EXPECT_EQ(Edit->Text(), "x\r\ny");
    EXPECT_EQ(Edit->Perform(EM_GETMODIFY), 0);
}

INSTANTIATE_TEST_SUITE_P(MemoAndRichEdit, EditMessagesTest,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()));

TEST(Memo, LinesAreALiveViewOfTheText) {
    TForm form(nullptr);
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    int changes = 0;
    memo->OnChange = [&](TObject*) { ++changes; };
    TStrings* lines = memo->Lines();
    EXPECT_EQ(lines->Count(), 0);
    lines->Add("alpha");
    EXPECT_EQ(memo->Text(), "alpha\r\n");
    lines->Add("beta");
    EXPECT_EQ(lines->Count(), 2);
    lines->Insert(1, "middle");
    lines->SetStrings(0, "ALPHA");
    EXPECT_EQ(memo->Text(), "ALPHA\r\nmiddle\r\nbeta\r\n");
    lines->Delete(1);
    EXPECT_EQ(lines->Text(), "ALPHA\r\nbeta\r\n");
    memo->SetText("one\ntwo");
    EXPECT_EQ(lines->Count(), 2);
    lines->Add("three");
    EXPECT_EQ(memo->Text(), "one\r\ntwo\r\nthree");
    EXPECT_GE(changes, 7);
}

// The line messages answer from what the text holds after every kind of
// change, with a window and without.
TEST(Memo, LinePositionsFollowEveryKindOfChange) {
    for (bool shown : {false, true}) {
        SCOPED_TRACE(shown ? "shown" : "no window");
        TForm form(nullptr);
        auto* memo = new TMemo(&form);
        memo->SetParent(&form);
        if (shown) form.Show();
        TStrings* lines = memo->Lines();
        auto check = [&](const char* step) {
            SCOPED_TRACE(step);
            const String t = memo->Text();
            std::vector<int> starts{0};
            for (size_t i = 0; i + 1 < t.size(); ++i)
                if (t[i] == '\r' && t[i + 1] == '\n') starts.push_back(static_cast<int>(i) + 2);
            const int count = static_cast<int>(starts.size());
            ASSERT_EQ(memo->Perform(EM_GETLINECOUNT), count);
            EXPECT_EQ(memo->Perform(EM_LINEINDEX, count), -1);
            for (int l = 0; l < count; ++l) {
                EXPECT_EQ(memo->Perform(EM_LINEINDEX, l), starts[l]);
                const int end = l + 1 < count ? starts[l + 1] - 2 : static_cast<int>(t.size());
                EXPECT_EQ(memo->Perform(EM_LINELENGTH, starts[l]), end - starts[l]);
                EXPECT_EQ(memo->Perform(EM_LINEFROMCHAR, end), l);
            }
        };
        for (int i = 0; i < 50; ++i) lines->Add("line " + std::to_string(i));
        check("added");
        lines->Insert(3, "inserted");
        lines->Delete(10);
        lines->SetStrings(20, "changed\nin two");
        check("inserted, deleted, changed");
        // A replacement that starts between the CR and the LF of a break.
        memo->Perform(EM_SETSEL, memo->Perform(EM_LINEINDEX, 5) - 1, memo->Perform(EM_LINEINDEX, 5) + 2);
        memo->Perform(EM_REPLACESEL, 1, reinterpret_cast<LPARAM>("\r\nX"));
        check("replaced across a break");
        memo->Perform(EM_UNDO);
        check("undone");
        memo->SetText("one\r\ntwo");
        lines->Add("three");
        check("set, then added to a last line without a break");
        lines->Clear();
        lines->Add("");
        check("cleared");
    }
}

// Lines added in one turn of the event loop reach the window together; a
// key pressed before that turn ends still lands after them.
TEST(Memo, TypingAfterAddedLinesLandsAfterThem) {
    TForm form(nullptr);
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->SetBounds(0, 0, 300, 200);
    form.Show();
    ASSERT_TRUE(WaitForFocus(memo));
    String expected;
    for (int i = 0; i < 300; ++i) {
        memo->Lines()->Add("result " + std::to_string(i));
        expected += "result " + std::to_string(i) + "\r\n";
    }
    SimulateKey(memo, 'X', "x");
    EXPECT_EQ(memo->Text(), expected + "x");
    memo->Lines()->Add("more");
    ProcessMessages();
    SimulateKey(memo, 'Y', "y");
    EXPECT_EQ(memo->Text(), expected + "x\r\nmorey");
    EXPECT_EQ(memo->Lines()->Count(), 302);
}

TEST(Edit, TypingUpdatesTextSelectionModifiedAndEvents) {
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetCharCase(ecUpperCase);
    edit->SetMaxLength(4);
    form.Show();
    ASSERT_TRUE(WaitForFocus(edit));
    String pressed;
    int changes = 0;
    edit->OnKeyPress = [&](TObject*, char& k) { pressed += k; };
    edit->OnChange = [&](TObject*) { ++changes; };
    for (const char* k : {"a", "b", "c", "d", "e"}) SimulateKey(edit, Word(std::toupper(k[0])), k);
    EXPECT_EQ(pressed, "abcde");
    EXPECT_EQ(edit->Text(), "ABCD");
    EXPECT_EQ(changes, 4);
    EXPECT_TRUE(edit->Modified());
    EXPECT_EQ(edit->SelStart(), 4);
    edit->SelectAll();
    edit->CutToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "ABCD");
    EXPECT_EQ(edit->Text(), "");
    Clipboard()->SetAsText("x\r\ny");
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), "X");  // one line, in upper case
    edit->SetText("set by code");
    EXPECT_FALSE(edit->Modified());
}

TEST(Memo, WantReturnsFalseKeepsEnterOutOfTheText) {
    TForm form(nullptr);
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->WantReturns = false;
    form.Show();
    ASSERT_TRUE(WaitForFocus(memo));
    SimulateKey(memo, 'A', "a");
    SimulateKey(memo, VK_RETURN, "\r");
    SimulateKey(memo, 'B', "b");
    EXPECT_EQ(memo->Text(), "ab");
    memo->WantReturns = true;
    SimulateKey(memo, VK_RETURN, "\r");
    EXPECT_EQ(memo->Text(), "ab\r\n");
    EXPECT_EQ(memo->CaretPos(), Point(0, 1));
}

TEST(RichEdit, FindTextWithSearchTypes) {
    TRichEdit re(nullptr);
    re.SetText("Meta tags: META, metadata");
    EXPECT_EQ(re.FindText("meta", 0, -1, 0), 0);
    EXPECT_EQ(re.FindText("meta", 1, -1, 0), 11);
    EXPECT_EQ(re.FindText("meta", 1, -1, stMatchCase), 17);
    EXPECT_EQ(re.FindText("meta", 12, -1, stWholeWord), -1);
    EXPECT_EQ(re.FindText("tags", 0, 5, 0), -1);
}
