// Profiles: exporting the field values into a new profile made from the
// template, importing a profile's non-empty values, and what either does
// with names, existing files and files that cannot be read or written.
#include <filesystem>

#include "composer/mainwindow/MainWindowTestSupport.h"

#include "composer/engine/MetaFieldTable.h"
#include "framework/classes/Strings.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/OpenDialog.h"
#include "framework/controls/SaveDialog.h"
#include "gridkit/grid/GkStringGrid.h"
#include "toolbars/TbToolbarButton.h"

namespace {

namespace fs = std::filesystem;

class Profiles : public MainWindowTest {
protected:
    TForm1* F = nullptr;

    void SetUp() override {
        MainWindowTest::SetUp();
        // The template the program ships.
        const fs::path shipped =
            (fs::path(VELMOR_FIXTURES) / ".." / ".." / ".." / ".." / "data" / "profiles" / "new").lexically_normal();
        fs::create_directories(Folder.File("profiles"));
        fs::copy_file(shipped, Folder.File("profiles/new"));
        F = Create();
    }

    String ProfilePath(const String& name) const { return Folder.File("profiles/" + name); }

    void Export(const String& answer) {
        Dialogs.AnswerFiles({answer});
        Dialogs.Answer(mrOk);
        F->profile->Click();
    }
    void Import(const String& answer) {
        Dialogs.AnswerFiles({answer});
        F->ebut->Click();
    }
    // The boxes shown, without the file dialogs.
    std::vector<TDialogRecord> Boxes() const {
        std::vector<TDialogRecord> boxes;
        for (const TDialogRecord& r : Dialogs.Shown())
            if (r.Kind != "TOpenDialog" && r.Kind != "TSaveDialog") boxes.push_back(r);
        return boxes;
    }
    // A profile written the way the grid kit writes one: rows of key and value.
    void WriteProfile(const String& name, const std::vector<std::pair<String, String>>& rows) {
        String text = "2," + std::to_string(rows.size()) + "\r\ncw 0,64\r\ncw 1,64\r\n";
        for (size_t r = 0; r < rows.size(); ++r) {
            if (!rows[r].first.empty()) text += "0," + std::to_string(r) + "," + rows[r].first + "\r\n";
            if (!rows[r].second.empty()) text += "1," + std::to_string(r) + "," + rows[r].second + "\r\n";
        }
        WriteAll(ProfilePath(name), text);
    }
    void EraseFields() {
        F->SpeedButton8Click(F);
        F->SpeedButton7Click(F);
        F->Edit15->SetText("");
    }
};

TEST_F(Profiles, ExportedValuesComeBackOnImportAndEmptyOnesLeaveTheFieldsAlone) {
    F->edit22->SetText("metadata, composer\r\nsecond line");
    F->edit1->SetText("  A page about tags  ");
    F->Edit6->SetText("Velmor 4.0");
    F->sbots->SetText("NOINDEX, FOLLOW");
    F->Edit8->SetText("2026-12-31");
    F->edit12->SetText("web@example.org");
    F->ComboBox2->SetText("TRUE");
    F->Edit15->SetText("");  // exported empty
    Export("client");

    const std::vector<TDialogRecord> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Profile Saved: " + ProfilePath("client.mdpf"));
    EXPECT_EQ(boxes[0].Type, mtInformation);
    ASSERT_TRUE(fs::exists(ProfilePath("client.mdpf")));
    // Every row of the template, in its order.
    TGkStringGrid saved(nullptr);
    saved.SetMultilinecells(true);
    saved.LoadCellsFromFile(ProfilePath("client.mdpf"));
    ASSERT_EQ(saved.RowCount(), 17);
    EXPECT_EQ(saved.Cells(0, 0), "keywords");
    EXPECT_EQ(saved.Cells(1, 1), "A page about tags");
    EXPECT_EQ(saved.Cells(0, 16), "subject");
    EXPECT_EQ(saved.Cells(1, 16), "");

    EraseFields();
    F->Edit15->SetText("kept subject");
    F->Edit4->SetText("kept copyright");
    Dialogs.Clear();
    Import(ProfilePath("client.mdpf"));
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(F->edit22->Text(), "metadata, composer\r\nsecond line");
    EXPECT_EQ(F->edit1->Text(), "A page about tags");
    EXPECT_EQ(F->Edit6->Text(), "Velmor 4.0");
    EXPECT_EQ(F->sbots->Text(), "NOINDEX, FOLLOW");
    EXPECT_EQ(F->Edit8->Text(), "2026-12-31");
    EXPECT_EQ(F->edit12->Text(), "web@example.org");
    EXPECT_EQ(F->ComboBox2->Text(), "TRUE");
    EXPECT_EQ(F->Edit15->Text(), "kept subject");
    EXPECT_EQ(F->Edit4->Text(), "kept copyright");
    // The counters follow what the import put in the memos.
    EXPECT_EQ(F->Edit13->Text(), std::to_string(F->edit22->Text().size()));
}

// Every META field of the table has its control on the window, goes to the
// engine and back through it, and travels through a profile under its key:
// a field added as a row of the table and a control needs nothing else here.
TEST_F(Profiles, EveryMetaFieldTravelsThroughTheWindowAndAProfile) {
    auto valueOf = [](const TMetaFieldRow& row) {
        return row.SwitchedContent ? String("TRUE") : String("value of ") + row.Name;
    };
    TMetaFields given;
    for (const TMetaFieldRow& row : MetaFieldTable()) given.*row.Value = valueOf(row);
    F->ApplyFields(given);
    const TMetaFields collected = F->CollectFields();
    for (const TMetaFieldRow& row : MetaFieldTable()) {
        EXPECT_EQ(F->FieldControl(row)->Text(), valueOf(row)) << row.Name;
        EXPECT_EQ(collected.*row.Value, valueOf(row)) << row.Name;
    }

    Export("all.mdpf");
    for (const TMetaFieldRow& row : MetaFieldTable()) F->FieldControl(row)->SetText("");
    Import(ProfilePath("all.mdpf"));
    for (const TMetaFieldRow& row : MetaFieldTable())
        EXPECT_EQ(F->FieldControl(row)->Text(), valueOf(row)) << row.Name << ": no row " << row.ProfileKey
                                                              << " in the shipped profile template?";
}

TEST_F(Profiles, ImportMatchesKeysWhateverTheirCaseAndBlanksAndSkipsEmptyValues) {
    WriteProfile("mixed.mdpf", {
                                   {"Robots ", " NOINDEX "},
                                   {"subject", ""},
                                   {"RETENTIONCOMMENT", "Sale ends Friday"},
                                   {"unknown", "ignored"},
                                   {"", "no key"},
                                   {"rating", "not in the list"},
                               });
    F->Edit15->SetText("before");
    F->rating->SetText("GENERAL");
    const int ratingItems = F->rating->Items()->Count();
    Import("mixed.mdpf");
    EXPECT_EQ(F->sbots->Text(), "NOINDEX");
    EXPECT_EQ(F->Edit15->Text(), "before");
    EXPECT_EQ(F->Edit9->Text(), "Sale ends Friday");
    // A combo takes the text as it is; its list stays as it was.
    EXPECT_EQ(F->rating->Text(), "not in the list");
    EXPECT_EQ(F->rating->Items()->Count(), ratingItems);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(Profiles, ExportKeepsTheTemplatesOtherRowsAndWritesOnlyTheRowsItHas) {
    WriteAll(Folder.File("profiles/new"),
             "2,4\r\ncw 0,64\r\ncw 1,64\r\n0,0,Keywords \r\n0,1,owner\r\n1,1,Marketing\r\n1,2,no key\r\n"
             "0,3,author\r\n");
    F->edit22->SetText("tags");
    F->ComboBox2->SetText("TRUE");  // no pragma row: not in the profile
    F->edit5->SetText("  Jo Writer ");
    Export("team.mdpf");
    const String saved = ReadAll(ProfilePath("team.mdpf"));
    EXPECT_EQ(saved,
              "2,4\r\ncw 0,64\r\ncw 1,64\r\n0,0,Keywords \r\n1,0,tags\r\n0,1,owner\r\n1,1,Marketing\r\n"
              "1,2,no key\r\n0,3,author\r\n1,3,Jo Writer\r\n");
}

// Whatever the name, the profile goes where the user said and is named so.
TEST_F(Profiles, ExportWritesUnderTheNameChosenWithTheExtensionAddedWhenMissing) {
    const struct {
        const char* Answer;
        const char* File;
    } cases[] = {
        {"bare", "bare.mdpf"},
        {"with blanks.mdpf", "with blanks.mdpf"},
        {"comma,semi;colon.mdpf", "comma,semi;colon.mdpf"},
        {"\xC3\xBCml\xC3\xA4ut 'quoted'.mdpf", "\xC3\xBCml\xC3\xA4ut 'quoted'.mdpf"},
        {"dotted.name", "dotted.name"},
    };
    F->Edit6->SetText("generator");
    for (const auto& c : cases) {
        Dialogs.Clear();
        Export(c.Answer);
        ASSERT_EQ(Boxes().size(), 1u) << c.Answer;
        EXPECT_EQ(Boxes()[0].Text, "Profile Saved: " + ProfilePath(c.File));
        ASSERT_TRUE(fs::exists(ProfilePath(c.File))) << c.File;
        EXPECT_NE(ReadAll(ProfilePath(c.File)).find("1,2,generator\r\n"), String::npos) << c.File;
    }
}

// An export makes a new profile: one of the same name is replaced only when
// the user agrees.
TEST_F(Profiles, AnExistingProfileIsReplacedOnlyWhenTheUserAgrees) {
    WriteAll(ProfilePath("client.mdpf"), "old profile");
    F->Edit6->SetText("new generator");
    Dialogs.AnswerFiles({"client.mdpf"}).Answer(mrNo).Answer(mrCancel);
    F->profile->Click();
    EXPECT_EQ(ReadAll(ProfilePath("client.mdpf")), "old profile");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].Text, ProfilePath("client.mdpf") + " already exists.\nDo you want to replace it?");

    Dialogs.Clear();
    Dialogs.AnswerFiles({"client.mdpf"}).Answer(mrYes).Answer(mrOk);
    F->SavecurrentvaluesasProfile1->Click();
    EXPECT_NE(ReadAll(ProfilePath("client.mdpf")).find("new generator"), String::npos);
    EXPECT_EQ(Boxes().back().Text, "Profile Saved: " + ProfilePath("client.mdpf"));
}

TEST_F(Profiles, AProfileThatCannotBeReadIsReportedAndTheFieldsStay) {
    const struct {
        const char* Name;
        const char* Content;  // nullptr: no such file
        const char* Message;
    } cases[] = {
        {"gone.mdpf", nullptr, "Cannot open file "},
        {"text.mdpf", "just some words\r\n", "File contains no data or corrupt file "},
        {"empty.mdpf", "", "File contains no data or corrupt file "},
    };
    F->sbots->SetText("ALL");
    F->edit22->SetText("keep me");
    for (const auto& c : cases) {
        Dialogs.Clear();
        if (c.Content) WriteAll(ProfilePath(c.Name), c.Content);
        Dialogs.AnswerFiles({c.Name}).Answer(mrOk);
        F->ImportProfile1->Click();
        ASSERT_EQ(Boxes().size(), 1u) << c.Name;
        EXPECT_EQ(Boxes()[0].Text, c.Message + ProfilePath(c.Name) + ".");
        EXPECT_EQ(F->sbots->Text(), "ALL") << c.Name;
        EXPECT_EQ(F->edit22->Text(), "keep me") << c.Name;
    }
}

TEST_F(Profiles, WithoutTheTemplateNothingIsWritten) {
    fs::remove(Folder.File("profiles/new"));
    Dialogs.AnswerFiles({"client.mdpf"}).Answer(mrOk);
    F->profile->Click();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].Text, "Cannot open file " + Folder.File("profiles/new") + ".");
    EXPECT_FALSE(fs::exists(ProfilePath("client.mdpf")));
}

TEST_F(Profiles, AProfileThatCannotBeSavedSaysSo) {
    Dialogs.AnswerFiles({Folder.File("no such folder/client.mdpf")}).Answer(mrOk);
    F->profile->Click();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].Text, "Error Saving Profile");
    EXPECT_EQ(Boxes()[0].Type, mtError);
}

TEST_F(Profiles, CancelledDialogsChangeNothing) {
    F->sbots->SetText("ALL");
    Dialogs.Answer(mrCancel).Answer(mrCancel);
    F->ebut->Click();
    F->profile->Click();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(F->sbots->Text(), "ALL");
    int files = 0;
    for (const auto& entry : fs::directory_iterator(Folder.File("profiles"))) files += entry.is_regular_file();
    EXPECT_EQ(files, 1);  // the template alone
    // Both dialogs start in the profiles folder, with the profile filter.
    EXPECT_EQ(F->imp->InitialDir, Folder.File("profiles") + "/");
    EXPECT_EQ(F->exp->InitialDir, Folder.File("profiles") + "/");
    EXPECT_EQ(Dialogs.Shown()[0].Caption, "Import Profile");
    EXPECT_EQ(Dialogs.Shown()[1].Caption, "Export to profile");
    EXPECT_EQ(Dialogs.Shown()[0].Text, "Drelmont Profile|*.mdpf");
}

}  // namespace
