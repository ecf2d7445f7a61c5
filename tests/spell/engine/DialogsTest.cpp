// The spell-check dialog's layout and its dialog control, and the
// configuration dialog's dictionary page.
#include "EngineFixture.h"

#include "framework/controls/CheckListBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Label.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "spell/dialogs/ConfigDialog.h"
#include "spell/dialogs/DialogControl.h"
#include "spell/dialogs/DictSheet.h"
#include "spell/dialogs/Languages.h"

namespace {
int WidthOn(TForm* f, const String& text) {
    TBitmap b;
    b.SetSize(1, 1);
    b.Canvas()->SetFont(f->Font());
    return b.Canvas()->TextWidth(text);
}
}  // namespace

TEST(SpellCheckerDialog, ButtonsOnlyReportAndIndexesOutsideTheTableAreIgnored) {
    TSpellCheckerDialog d(nullptr);
    std::vector<int> actions;
    d.Options->Click();  // nothing listens yet: nothing happens
    d.DC->OnAction = [&](TDialogControl*, int a) { actions.push_back(a); };
    for (TButton* b : {static_cast<TButton*>(d.Suggest), d.Start, d.UndoLast, d.Options, d.ChangeAll, d.Change,
                       d.IgnoreAll, d.Ignore, d.Add, d.AutoCorrect, d.Help, static_cast<TButton*>(d.Cancel)})
        b->Click();
    EXPECT_EQ(actions, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));

    d.DC->SetCaption(diSuggestBox, "x");
    d.DC->SetCaption(17, "x");
    String s = "unchanged";
    d.DC1GetCaption(d.DC, diSuggestBox, s);
    d.DC1GetCaption(d.DC, 99, s);
    EXPECT_EQ(s, "unchanged");
    d.DC->SetCaption(diErrorLabel, "Repeated Word:");
    EXPECT_EQ(d.ErrorLabel->Caption(), "Repeated Word:");
    EXPECT_EQ(d.DC->GetCaption(diNotFound), "");
    d.DC->ChangeEnabled(diChangeAll, true);
    EXPECT_TRUE(d.ChangeAll->Enabled());
}

TEST(SpellCheckerDialog, LongCaptionsWidenTheColumns) {
    // Widths depend on the fonts at hand, so the expected layout is worked
    // out from the measured captions.
    for (const String& options : {String("&Options"), String("&Options and a great deal more")}) {
        TSpellCheckerDialog d(nullptr);
        d.Options->SetCaption(options);
        int left = 71, right = 71;
        for (TControl* c : std::initializer_list<TControl*>{d.ErrorLabel, d.ActionLabel, d.SuggestLabel, d.Suggest,
                                                             d.Start, d.UndoLast, d.Options})
            left = std::max(left, WidthOn(&d, c->Caption()));
        for (TControl* c : std::initializer_list<TControl*>{d.ChangeAll, d.Change, d.IgnoreAll, d.Ignore, d.Add,
                                                             d.AutoCorrect, d.Help})
            right = std::max(right, WidthOn(&d, c->Caption()));
        right = std::max(right, WidthOn(&d, d.Cancel->Caption()) + 22);
        const int dl = std::max(0, left + 4 - 75), dr = std::max(0, right + 4 - 75);
        d.DCResize(&d);
        EXPECT_EQ(d.Options->Width(), dl ? left + 4 : 75) << options;
        EXPECT_EQ(d.NotFound->Left(), 96 + dl) << options;
        EXPECT_EQ(d.SuggestBox->Left(), 96 + dl) << options;
        EXPECT_EQ(d.ChangeAll->Left(), 224 + dl) << options;
        EXPECT_EQ(d.Help->Left(), 224 + dl) << options;
        EXPECT_EQ(d.Change->Left(), 304 + dl + dr) << options;
        EXPECT_EQ(d.Cancel->Left(), 304 + dl + dr) << options;
        EXPECT_EQ(d.NotFound->Width(), 281 + 2 * dr) << options;
        EXPECT_EQ(d.ClientWidth(), 386 + dl + 2 * dr) << options;
        if (options.size() > 10) {
            EXPECT_GT(dl, 0);
        }
    }
}

TEST_F(SpellEngine, DictionaryPageTogglesAddsAndRefusesMissingFiles) {
    TConfiguration* engineConfig = Engine->Configuration();
    engineConfig->MainDictionaries.push_back(std::make_unique<TMain>(Dir.File("gone.dct"), false, "Gone"));
    TConfigDialog dialog(nullptr, engineConfig);
    dialog.Setup(DefaultVisibleOptions, nullptr, nullptr);
    dialog.SetLanguage(Engine->Languages()->Module(0));
    TDictSheet* page = dialog.DictSheet;
    ASSERT_EQ(page->MainList->Count(), 2);
    EXPECT_EQ(page->MainList->Items()->Get(0).substr(0, 16), "Small test words");
    EXPECT_TRUE(page->MainList->Checked(0));
    EXPECT_EQ(page->AddToCombo->Items()->Count(), 1);  // user.udt, enabled

    // A missing file cannot be switched on.
    Script.Answer(mrOk);
    page->ToggleMain(1);
    EXPECT_FALSE(dialog.Working->MainDictionaries[1]->Enabled);
    ASSERT_EQ(Script.Shown().size(), 1u);
    EXPECT_EQ(Script.Shown()[0].Text.substr(0, Dir.File("gone.dct").size()), Dir.File("gone.dct"));
    EXPECT_NE(Script.Shown()[0].Text.find("This dictionary file could not be\r\nlocated."), String::npos);
    page->ToggleMain(0);
    EXPECT_FALSE(dialog.Working->MainDictionaries[0]->Enabled);
    EXPECT_TRUE(dialog.Working->Dirty);

    // A second user dictionary comes in disabled and out of the combo; a
    // ".dic" word list never receives words even when enabled.
    WriteAll(Dir.File("words.dic"), "alpha\nbeta\n");
    Script.AnswerFiles({Dir.File("words.dic")});
    page->AddUserClick(nullptr);
    ASSERT_EQ(dialog.Working->UserDictionaries.size(), 2u);
    EXPECT_FALSE(dialog.Working->UserDictionaries[1]->Enabled);
    page->ToggleUser(1);
    EXPECT_TRUE(dialog.Working->UserDictionaries[1]->Enabled);
    EXPECT_EQ(page->AddToCombo->Items()->Count(), 1);
    EXPECT_EQ(dialog.Working->UserIndex, 0);

    // Removing the dictionary that receives words leaves none receiving.
    page->UserList->SetItemIndex(0);
    page->RemoveUserClick(nullptr);
    EXPECT_EQ(dialog.Working->UserDictionaries.size(), 1u);
    EXPECT_EQ(dialog.Working->UserIndex, -1);
    EXPECT_EQ(page->AddToCombo->Items()->Count(), 0);
    // None of it reached the engine's configuration.
    EXPECT_TRUE(engineConfig->MainDictionaries[0]->Enabled);
    EXPECT_EQ(engineConfig->UserDictionaries.size(), 1u);
}
