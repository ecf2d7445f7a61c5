#include <gtest/gtest.h>

#include <cstring>

#include "framework/classes/Strings.h"
#include "framework/controls/Clipboard.h"
#include "framework/controls/Edit.h"
#include "framework/controls/EditMessages.h"
#include "framework/controls/Form.h"
#include "framework/controls/Memo.h"
#include "framework/controls/RichEdit.h"
#include "framework/controls/SimulatedInput.h"
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
