// The keyword generator window: a page's body through the parser into the
// word list, the two "Add Checked" commands, the noise words and the
// window's setting.
#include <memory>

#include "KeywordWindowTestSupport.h"
#include "composer/tools/KWGenForm.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Edit.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/ListItem.h"
#include "framework/controls/ListItems.h"
#include "framework/controls/ListView.h"
#include "framework/controls/Memo.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/UpDown.h"

namespace {

using Words = std::vector<String>;

class Generator : public KeywordWindowTest {
protected:
    std::unique_ptr<TKWGenForm> G;

    TKWGenForm* Make() {
        G = std::make_unique<TKWGenForm>(nullptr);
        G->AfterConstruction();
        return G.get();
    }
    void TearDown() override {
        G.reset();
        KeywordWindowTest::TearDown();
    }
    // "word count share" per row, as the list shows them.
    Words Listed() const {
        Words v;
        TListItems* items = G->ListView1->Items();
        for (int i = 0; i < items->Count(); ++i) {
            const TListItem* item = items->Item(i);
            String row = item->Caption();
            for (int k = 0; k < item->SubItems()->Count(); ++k) row += " " + item->SubItems()->Strings(k);
            v.push_back(row);
        }
        return v;
    }
    Words Lines(const TStrings* s) const {
        Words v;
        for (int i = 0; i < s->Count(); ++i) v.push_back(s->Strings(i));
        return v;
    }
    void Tick(std::initializer_list<int> rows) {
        for (int r : rows) G->ListView1->Items()->Item(r)->SetChecked(true);
    }
};

TEST_F(Generator, BodyTextThroughTheParser) {
    Noise("the\r\nand\r\n");
    const String page = Page("a.html",
                             "<h1>Garden tools</h1>\r\n<p>The tools, and the <b>garden</b>. Rake&amp;hoe "
                             "Tools!</p>\r\n<script>var garden = 1; garden(); garden();</script>\r\n"
                             "<!-- tools tools tools -->\r\n<p>Rake</p>",
                             "<title>garden garden</title>\r\n");
    Make();
    G->BodyCheckLength = 5000;
    G->GenerateForFile(page);
    // The head, comments and script are no words of the page; the entity
    // parts "Rake" from "hoe"; "Tools!" keeps its "!".
    EXPECT_EQ(Listed(), (Words{"tools 2 25.000", "Rake 2 25.000", "Garden 2 25.000", "Tools! 1 12.500",
                               "hoe 1 12.500"}));
    EXPECT_EQ(G->FilteredWordCount, 8);
    const String text = ReadAll(page);
    EXPECT_EQ(G->BodyCheckLength, static_cast<int>(text.find("</body>") + 7 - text.find("<body>")));
    EXPECT_EQ(ShownTexts(), Words{});
}

TEST_F(Generator, WordsAreReadAsTextInThePagesEncoding) {
    // A reference to a letter stays in its word; the page's own bytes are
    // read in its encoding.
    const struct {
        const char* Name;
        String Body, Head;
    } pages[] = {
        {"latin1.html", "L&iacute;nguas L\xEDnguas caf&eacute;&nbsp;bar", "<meta charset=\"iso-8859-1\">\r\n"},
        {"utf8.html", "L&iacute;nguas L\xC3\xADnguas caf&eacute;&nbsp;bar", "<title>T</title>\r\n"},
    };
    for (const auto& p : pages) {
        const String page = Page(p.Name, p.Body, p.Head);
        Make();
        G->BodyCheckLength = 5000;
        G->GenerateForFile(page);
        EXPECT_EQ(Listed(), (Words{"L\xC3\xADnguas 2 50.000", "caf\xC3\xA9 1 25.000", "bar 1 25.000"})) << p.Name;
    }
}

TEST_F(Generator, TopCountAndCheckLengthLimitTheList) {
    const String page = Page("a.html", "one two two three three three");
    Make();
    G->SetTopCount(2);
    EXPECT_EQ(G->Edit1->Text(), "2");
    G->BodyCheckLength = 5000;
    G->GenerateForFile(page);
    EXPECT_EQ(Listed(), (Words{"three 3 50.000", "two 2 33.333"}));

    // The body's first 13 characters: "<body>\r\none t".
    G->SetTopCount(300);
    G->BodyCheckLength = 13;
    G->SpeedButton2->Click();
    EXPECT_EQ(Listed(), (Words{"t 1 50.000", "one 1 50.000"}));

    G->SetTopCount(0);
    G->SpeedButton2->Click();
    EXPECT_EQ(Listed(), Words{});
}

TEST_F(Generator, PagesThatGiveNoWords) {
    Make();
    const String noBody = Folder.File("frames.html");
    WriteAll(noBody, "<html><head></head><p>words here</p></html>");
    Dialogs.Answer(mrOk);
    G->GenerateForFile(noBody);
    EXPECT_EQ(ShownTexts(), Words{"Body or FrameSet tag not found, cannot generate keywords"});
    EXPECT_EQ(Listed(), Words{});

    // A missing page, or one whose body never closes, is quiet; a list from
    // before stays when the page cannot be read.
    G->GenerateForFile(Page("ok.html", "word"));
    G->GenerateForFile(Folder.File("gone.html"));
    EXPECT_EQ(Listed(), Words{"word 1 100.000"});
    const String open = Folder.File("open.html");
    WriteAll(open, "<html><body><p>never closed");
    G->GenerateForFile(open);
    EXPECT_EQ(Listed(), Words{});

    // The window says so when it opens on an empty list.
    Dialogs.Clear();
    Dialogs.Answer(mrOk).Answer(mrOk);
    G->ShowModal();
    EXPECT_EQ(ShownTexts(),
              Words{"No unique words were found in the number of characters that you specified in the body "
                    "check count, go to 'Special | Tag Analysis Settings' to change settings if you wish."});
    EXPECT_EQ(G->Caption(), "Velmor keyword generator - " + open);
    EXPECT_EQ(G->GroupBox1->Caption(), "These are the top 25 word occurences in the active file");
}

TEST_F(Generator, CheckedWordsBecomeChosenAndStayOutOfTheList) {
    const String page = Page("a.html", "alpha alpha alpha beta beta gamma");
    Make();
    G->GenerateForFile(page);
    Tick({0, 2});
    Dialogs.Answer(mrOk).Answer(mrOk);
    G->SpeedButton1->Click();
    EXPECT_EQ(Lines(G->ChosenWords.get()), (Words{"alpha", "gamma"}));
    EXPECT_EQ(Listed(), Words{"beta 2 33.333"});
    G->SpeedButton1->Click();  // nothing ticked
    EXPECT_EQ(ShownTexts(), (Words{"Keywords words were added to the keywords tag",
                                   "No words were added to the keywords tag"}));
    // A refresh keeps the chosen words and lists none of them.
    G->SpeedButton2->Click();
    EXPECT_EQ(Listed(), Words{"beta 2 100.000"});
    EXPECT_EQ(G->ChosenWordCount(), 2);
    EXPECT_EQ(G->ChooseAllListed(), 1);
    EXPECT_EQ(Lines(G->ChosenWords.get()), Words{"beta"});
}

TEST_F(Generator, CheckedWordsBecomeNoiseWordsWithoutLosingTheList) {
    Noise("the\r\nof\r\n");
    const String page = Page("a.html", "alpha alpha beta");
    Make();
    G->GenerateForFile(page);
    Tick({1});
    Dialogs.Answer(mrOk).Answer(mrOk);
    G->SpeedButton3->Click();
    EXPECT_EQ(ReadAll(Folder.File("srexclude.txt")), "the\r\nof\r\nbeta\r\n");
    EXPECT_EQ(Listed(), Words{"alpha 2 66.667"});
    EXPECT_EQ(G->nwMemo->Text(), "");  // an empty memo stays empty
    G->SpeedButton3->Click();
    EXPECT_EQ(ShownTexts(),
              (Words{"Words were added to the Noise Words list.", "No words were added to the Noise Words list."}));

    // A window that never read the list reads it before adding to it.
    Noise("the\r\n");
    Make();
    G->GenerateForFile(Folder.File("gone.html"));
    G->NoiseWords->Clear();
    G->ListView1->Items()->Add()->SetCaption("alpha");
    Tick({0});
    Dialogs.Answer(mrOk);
    G->SpeedButton3->Click();
    EXPECT_EQ(ReadAll(Folder.File("srexclude.txt")), "the\r\nalpha\r\n");
}

TEST_F(Generator, NoiseWordsInTheSetupPage) {
    Noise("the\r\nof\r\n");
    Make();
    G->SpeedButton4->Click();  // not modified: no question
    EXPECT_EQ(Lines(G->nwMemo->Lines()), (Words{"the", "of"}));
    EXPECT_FALSE(G->nwMemo->Modified());

    G->nwMemo->SetSelStart(0);
    G->nwMemo->SetSelText("an\r\n");
    ASSERT_TRUE(G->nwMemo->Modified());
    Dialogs.Answer(mrNo);
    G->SpeedButton4->Click();
    EXPECT_EQ(Lines(G->nwMemo->Lines()), (Words{"an", "the", "of"}));
    EXPECT_EQ(ShownTexts(), Words{"Noise Words have been modified.\rOverwrite these values with the saved ones?"});
    EXPECT_EQ(Dialogs.Shown().back().Type, mtConfirmation);

    G->SpeedButton5->Click();
    EXPECT_EQ(ReadAll(Folder.File("srexclude.txt")), "an\r\nthe\r\nof\r\n");
    EXPECT_FALSE(G->nwMemo->Modified());
    // Saving what the memo shows, even nothing, is what Save means.
    G->nwMemo->Lines()->Clear();
    G->SpeedButton5->Click();
    EXPECT_EQ(ReadAll(Folder.File("srexclude.txt")), "");
    EXPECT_EQ(G->NoiseWords->Count(), 0);
}

TEST_F(Generator, TopCountSetting) {
    TComposerSettings::SeedDefaults();
    Put("kwgcount", "40");
    Make();
    EXPECT_EQ(G->TopCount, 40);
    EXPECT_EQ(G->Edit1->Text(), "40");
    G->Edit1->SetText("12");
    EXPECT_EQ(G->TopCount, 12);
    EXPECT_EQ(G->UpDown1->Position(), 12);
    Dialogs.Answer(mrOk).Answer(mrOk);  // no words, then the window closes
    G->ShowModal();
    EXPECT_EQ(G->GroupBox1->Caption(), "These are the top 12 word occurences in the active file");
    EXPECT_EQ(Get("kwgcount"), "12");

    // A value that is no number, or none at all, gives 25; a missing value
    // is never created.
    Put("kwgcount", "lots");
    Make();
    EXPECT_EQ(G->TopCount, 25);
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey(TComposerSettings::KeyPath, false));
    reg.DeleteValue("kwgcount");
    Make();
    EXPECT_EQ(G->TopCount, 25);
    Dialogs.Answer(mrOk).Answer(mrOk);
    G->ShowModal();
    EXPECT_EQ(Get("kwgcount"), "<missing>");
}

}  // namespace
