// Subject trees: the KDTF files, the Subject Tree Manager that edits them
// and the Subject Selector that puts a subject into the subject field.
#include "composer/mainwindow/MainWindowTestSupport.h"

#include "composer/tools/stm.h"
#include "composer/tools/subjtree.h"
#include "framework/classes/Strings.h"
#include "framework/controls/Application.h"
#include "framework/controls/Button.h"
#include "framework/controls/Clipboard.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Menus.h"
#include "framework/controls/OpenDialog.h"
#include "framework/controls/SaveDialog.h"
#include "framework/controls/Screen.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/TreeNode.h"
#include "framework/controls/TreeNodes.h"
#include "framework/controls/TreeView.h"
#include "framework/messages/Messages.h"
#include "framework/rtl/Exception.h"
#include "framework/graphics/Bitmap.h"
#include "framework/rtl/FileUtils.h"
#include "framework/testkit/SimulatedInput.h"
#include "support/ColourBox.h"
#include "toolbars/TbToolbarButton.h"

namespace {

using namespace SubjectTreeTexts;

// The tree as one line per node: its level in blanks, then its text.
String Outline(TTreeView* tree) {
    String out;
    for (TTreeNode* n = tree->Items()->GetFirstNode(); n; n = n->GetNext())
        out += String(static_cast<size_t>(n->Level()), ' ') + n->Text() + "|";
    return out;
}

TTreeNode* Find(TTreeView* tree, const String& text) {
    for (TTreeNode* n = tree->Items()->GetFirstNode(); n; n = n->GetNext())
        if (n->Text() == text) return n;
    return nullptr;
}

class SubjectTrees : public ::testing::Test {
protected:
    TTempDir Folder;
    TPrivateRegistry Store{Folder.File("registry.ini")};
    TDialogScript Dialogs;
    std::unique_ptr<Tstm> Manager;

    void SetUp() override {
        std::filesystem::create_directories(Folder.File("lists"));
        SetProgramFolderOverride(Folder.Path());
        ComposerSettings = TComposerSettings();
        Dialogs.OnUnanswered = [](const TDialogRecord& r) { ADD_FAILURE() << "a box nobody expected: " << r.Text; };
        Manager = std::make_unique<Tstm>(nullptr);
        Manager->AfterConstruction();
        // The first showing starts a new tree.
        Manager->FormShow(Manager.get());
        Manager->TreeView1->EndEditing("", true);
    }
    void TearDown() override {
        Manager.reset();
        SetProgramFolderOverride("");
    }
    String ListFile(const String& name) const { return Folder.File("lists/" + name); }
    std::vector<String> Boxes() const {
        std::vector<String> texts;
        for (const TDialogRecord& r : Dialogs.Shown())
            if (r.Kind != "TOpenDialog" && r.Kind != "TSaveDialog") texts.push_back(r.Text);
        return texts;
    }
    // Adds a node as the toolbar does and types its text.
    TTreeNode* Type(TTbToolbarButton* button, const String& text) {
        button->Click();
        TTreeNode* node = Manager->TreeView1->Selected();
        Manager->TreeView1->EndEditing(text, false);
        return node;
    }
    void Open(const String& name) {
        Dialogs.AnswerFiles({name});
        Manager->Open1->Click();
    }
};

TEST_F(SubjectTrees, ANewManagerHoldsOneEmptyRootAndNoChanges) {
    TTreeView* tree = Manager->TreeView1;
    EXPECT_EQ(Outline(tree), "|");
    EXPECT_EQ(tree->Selected(), tree->Items()->GetFirstNode());
    EXPECT_EQ(Manager->Caption(), SDefaultTitle);
    EXPECT_FALSE(Manager->Changed());
    EXPECT_FALSE(Manager->save2->Enabled());
    EXPECT_TRUE(Manager->CurrentFile().empty());
    EXPECT_TRUE(Manager->Showfulldescription1->Checked());
    EXPECT_FALSE(Manager->Sorted1->Checked());
}

TEST_F(SubjectTrees, TheTreeIsWrittenOneTabPerLevel) {
    TTreeView* tree = Manager->TreeView1;
    tree->Items()->Clear();
    TTreeNode* a = tree->Items()->Add(nullptr, "A");
    tree->Items()->AddChild(tree->Items()->AddChild(a, "A1"), "A2");
    tree->Items()->Add(nullptr, "B");
    Manager->SetChanged(true);
    Dialogs.AnswerFiles({ListFile("tree")});
    Manager->save2->Click();
    // A new tree has no file yet: Save asks for a name.
    EXPECT_EQ(Dialogs.Shown()[0].Kind, "TSaveDialog");
    const String file = ListFile("tree.KDTF");
    EXPECT_EQ(ReadAll(file), "A\r\n\tA1\r\n\t\tA2\r\nB\r\n");
    EXPECT_EQ(Manager->CurrentFile(), file);
    EXPECT_EQ(Manager->Caption(), file);
    EXPECT_FALSE(Manager->Changed());
}

struct TReadCase {
    const char* Name;
    const char* File;
    const char* Outline;
    const char* Error;  // the start of the error shown, or nullptr
};

TEST_F(SubjectTrees, FilesAreReadByTheIndentOfEachLine) {
    const TReadCase cases[] = {
        {"nested, CR LF", "A\r\n\tA1\r\n\t\tA2\r\nB\r\n", "A| A1|  A2|B|", nullptr},
        {"LF and CR alone", "A\n\tA1\rB", "A| A1|B|", nullptr},
        {"a blank indents like a tab", "A\r\n\tA1\r\nB\r\n B1\r\n", "A| A1|B| B1|", nullptr},
        {"back up two levels", "A\r\n\tA1\r\n\t\tA2\r\n\tA3\r\nB\r\n", "A| A1|  A2| A3|B|", nullptr},
        {"a blank line is an empty root", "A\r\n\r\n\tX\r\n", "A|| X|", nullptr},
        {"the first line is a root whatever its indent", "\t\tA\r\nB\r\n", "A|B|", nullptr},
        {"no final line break", "A\r\n\tB", "A| B|", nullptr},
        {"a level skipped stops the reading", "A\r\n\t\tX\r\nB\r\n", "A|", "Invalid level (2) for item \"X\""},
    };
    for (const TReadCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Dialogs.Clear();
        WriteAll(ListFile("read.KDTF"), c.File);
        Dialogs.AnswerFiles({ListFile("read.KDTF")});
        if (c.Error) Dialogs.Answer(mrOk);
        Manager->Open1->Click();
        EXPECT_EQ(Outline(Manager->TreeView1), c.Outline);
        EXPECT_FALSE(Manager->Changed());
        if (!c.Error) {
            EXPECT_EQ(Boxes(), std::vector<String>{});
            EXPECT_EQ(Manager->CurrentFile(), ListFile("read.KDTF"));
            EXPECT_EQ(Manager->Caption(), ListFile("read.KDTF"));
            continue;
        }
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0], c.Error);
        // What was read is only part of the file: it is not saved over it.
        EXPECT_TRUE(Manager->CurrentFile().empty());
        Manager->SetChanged(true);
        Dialogs.Answer(mrCancel);
        Manager->Save1->Click();
        EXPECT_EQ(Dialogs.Shown().back().Kind, "TSaveDialog");
        EXPECT_EQ(ReadAll(ListFile("read.KDTF")), c.File);
    }
}

TEST_F(SubjectTrees, ReadingBackWhatWasWrittenGivesTheSameTree) {
    WriteAll(ListFile("odd.KDTF"), "Science\n Physics\n\t Optics\n\tChemistry\n\nArts\n");
    Open(ListFile("odd.KDTF"));
    const String before = Outline(Manager->TreeView1);
    EXPECT_EQ(before, "Science| Physics|  Optics| Chemistry||Arts|");
    Manager->SetChanged(true);
    Manager->save2->Click();
    EXPECT_EQ(ReadAll(ListFile("odd.KDTF")), "Science\r\n\tPhysics\r\n\t\tOptics\r\n\tChemistry\r\n\r\nArts\r\n");
    Open(ListFile("odd.KDTF"));
    EXPECT_EQ(Outline(Manager->TreeView1), before);
}

// Whatever a node's text holds, the saved tree reopens with every node at
// its place; leading blanks and TABs are dropped, and a line break becomes
// a blank. The text stands first in the file, at levels 1 and 2, and last.
TEST_F(SubjectTrees, AnyNodeTextReopensWithTheSameShape) {
    struct TTextCase {
        const char* Name;
        String Text;
        String Reopened;
    };
    const TTextCase cases[] = {
        {"plain", "Physics", "Physics"},
        {"one leading blank", " Physics", "Physics"},
        {"blanks at both ends", "  lead and trail  ", "lead and trail  "},
        {"leading TABs", "\t\tTabbed", "Tabbed"},
        {"blanks and TABs mixed", " \t \tMixed", "Mixed"},
        {"a TAB inside", "in\tside", "in\tside"},
        {"empty", "", ""},
        {"blanks only", "   ", ""},
        {"CR LF inside", "two\r\nlines", "two lines"},
        {"LF and CR inside", "a\nb\rc", "a b c"},
        {"a break then blanks first", "\r\n  \tafter", "after"},
        {"a break then blanks inside", "one\n  two", "one   two"},
        {"a break at the end", "end\r\n", "end "},
        {"a zero byte inside", String("ze\0ro", 5), String("ze\0ro", 5)},
    };
    for (const TTextCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Dialogs.Clear();
        TTreeView* tree = Manager->TreeView1;
        tree->Items()->Clear();
        TTreeNode* first = tree->Items()->Add(nullptr, c.Text);
        TTreeNode* child = tree->Items()->AddChild(first, c.Text);
        tree->Items()->AddChild(child, c.Text);
        tree->Items()->AddChild(first, "Optics");
        tree->Items()->Add(nullptr, c.Text);
        Manager->SetChanged(true);
        Manager->OpenTreeView1->FileName = ListFile("shape.KDTF");
        Manager->save2->Click();
        Open(ListFile("shape.KDTF"));
        const String r = c.Reopened;
        EXPECT_EQ(Outline(tree), r + "| " + r + "|  " + r + "| Optics|" + r + "|");
        EXPECT_EQ(Boxes(), std::vector<String>{});
        EXPECT_EQ(Manager->CurrentFile(), ListFile("shape.KDTF"));
    }
}

// The tree of the report, typed into the label editor and pasted there,
// saved and opened again with the toolbar: all of it comes back.
TEST_F(SubjectTrees, TypedAndPastedTextsKeepTheTreeWholeOnDisk) {
    Manager->Show();
    TTreeView* tree = Manager->TreeView1;
    ASSERT_TRUE(WaitForFocus(tree));
    auto label = [&](TTbToolbarButton* button, const String& text) {
        SimulateClick(button, 5, 5);
        ASSERT_TRUE(tree->IsEditing());
        SimulateText(tree, text);
        SimulateKey(tree, VK_RETURN, "\r");
        ASSERT_FALSE(tree->IsEditing());
    };
    label(Manager->TbToolbarButton7, "Science");  // the new tree's root
    label(Manager->TbToolbarButton5, " Physics");
    label(Manager->TbToolbarButton5, "Optics");
    label(Manager->TbToolbarButton4, "Arts");
    // Lines from the clipboard, a TAB and blanks in front.
    SimulateClick(Manager->TbToolbarButton5, 5, 5);
    ASSERT_TRUE(tree->IsEditing());
    Clipboard()->SetAsText("\t Paint\r\n ing");
    SimulateKey(tree, 'V', "\x16", ssCtrl);
    SimulateKey(tree, VK_RETURN, "\r");
    SimulateKey(tree, VK_HOME);
    label(Manager->TbToolbarButton4, "History");
    ASSERT_EQ(tree->Items()->Count(), 6);
    EXPECT_EQ(tree->Items()->Item(4)->Text(), "\t Paint\r\n ing");

    Dialogs.AnswerFiles({ListFile("subjects")});
    SimulateClick(Manager->save2, 5, 5);
    EXPECT_FALSE(Manager->Changed());
    const String file = ListFile("subjects.KDTF");
    Dialogs.AnswerFiles({file});
    SimulateClick(Manager->TbToolbarButton2, 5, 5);
    EXPECT_EQ(Boxes(), std::vector<String>{});
    EXPECT_EQ(Manager->CurrentFile(), file);
    EXPECT_EQ(Outline(tree), "Science| Physics|  Optics|  Arts|   Paint  ing|History|");
    Manager->Hide();
}

TEST_F(SubjectTrees, EditingCommandsMarkTheTreeChangedAndShowThePath) {
    TTreeView* tree = Manager->TreeView1;
    tree->Items()->Clear();
    Manager->TreeView1->SetSelected(nullptr);
    TTreeNode* science = Type(Manager->TbToolbarButton4, "Science");
    EXPECT_TRUE(Manager->Changed());
    EXPECT_TRUE(Manager->save2->Enabled());
    EXPECT_EQ(Manager->StatusBar1->SimpleText(), "Science");
    Type(Manager->TbToolbarButton5, "Physics");
    TTreeNode* optics = Type(Manager->TbToolbarButton5, "Optics");
    EXPECT_EQ(Manager->StatusBar1->SimpleText(), "Science/Physics/Optics");
    EXPECT_TRUE(science->Expanded());
    Manager->AddItem1->Click();  // beside Optics, its edit cancelled
    Manager->TreeView1->EndEditing("ignored", true);
    Type(Manager->TbToolbarButton4, "Arts");
    tree->SetSelected(science);
    Type(Manager->TbToolbarButton4, "History");
    EXPECT_EQ(Outline(tree), "Science| Physics|  Optics|  |  Arts|History|");

    tree->SetSelected(optics);
    Manager->Showfulldescription1->Click();
    EXPECT_FALSE(Manager->Showfulldescription1->Checked());
    EXPECT_EQ(Manager->StatusBar1->SimpleText(), "Optics");
    Manager->Showfulldescription1->Click();
    EXPECT_EQ(Manager->StatusBar1->SimpleText(), "Science/Physics/Optics");

    Manager->Rename2->Click();
    tree->EndEditing("Lenses", false);
    EXPECT_EQ(optics->Text(), "Lenses");
    EXPECT_EQ(Manager->StatusBar1->SimpleText(), "Science/Physics/Lenses");

    // Deleting takes the branch below; so does the Delete key.
    tree->SetSelected(Find(tree, "Physics"));
    Manager->Delete2->Click();
    EXPECT_EQ(Outline(tree), "Science|History|");
    Word key = VK_DELETE;
    tree->OnKeyUp(tree, key, 0);
    EXPECT_EQ(tree->Items()->Count(), 1);
    tree->SetSelected(nullptr);
    Manager->TbToolbarButton6->Click();
    EXPECT_EQ(tree->Items()->Count(), 1);
    EXPECT_EQ(Manager->StatusBar1->SimpleText(), "");
}

// On the screen the one-panel status bar takes the bottom of the window at
// its full height, and the path it shows can be read there.
TEST_F(SubjectTrees, TheStatusBarShowsThePathReadably) {
    if (!Screen->HasDisplay()) GTEST_SKIP() << "no display to read the status bar from";
    Manager->Show();
    ASSERT_TRUE(WaitForFocus(Manager->TreeView1));
    Manager->TreeView1->Items()->Clear();
    Type(Manager->TbToolbarButton4, "Science");
    TStatusBar* bar = Manager->StatusBar1;
    ASSERT_EQ(bar->SimpleText(), "Science");
    EXPECT_GE(bar->Height(), 19);
    EXPECT_EQ(bar->Top() + bar->Height(), Manager->ClientHeight());
    EXPECT_EQ(bar->Width(), Manager->ClientWidth());
    for (int i = 0; i < 20; ++i) Application->ProcessMessages();
    const TPoint origin = bar->ClientToScreen(Point(0, 0));
    TBitmap shot;
    ASSERT_TRUE(Screen->Capture(Bounds(origin.X, origin.Y, bar->Width(), bar->Height()), &shot));
    // The text: its letters whole, inside the bar, not cut at its edges.
    const TRect text = ColourBox(shot.Canvas(), Rect(0, 0, bar->Width(), bar->Height()), clBtnText);
    ASSERT_FALSE(text.IsEmpty()) << "no text in the status bar";
    EXPECT_GE(text.Height(), 8);
    EXPECT_GT(text.Top, 1);
    EXPECT_LT(text.Bottom, bar->Height() - 1);
    Manager->Hide();
}

TEST_F(SubjectTrees, AutosortKeepsEveryLevelInOrderAndSavesIt) {
    TTreeView* tree = Manager->TreeView1;
    tree->Items()->Clear();
    tree->SetSelected(nullptr);
    Type(Manager->TbToolbarButton4, "Zebra");
    Type(Manager->TbToolbarButton4, "Apple");
    EXPECT_EQ(Outline(tree), "Zebra|Apple|");
    Manager->Sorted1->Click();
    EXPECT_TRUE(Manager->Sorted1->Checked());
    EXPECT_EQ(Outline(tree), "Apple|Zebra|");
    Type(Manager->TbToolbarButton4, "Mango");
    EXPECT_EQ(Outline(tree), "Apple|Mango|Zebra|");
    Dialogs.AnswerFiles({ListFile("fruit.KDTF")});
    Manager->save2->Click();
    EXPECT_EQ(ReadAll(ListFile("fruit.KDTF")), "Apple\r\nMango\r\nZebra\r\n");
}

struct TAskCase {
    const char* Name;
    std::vector<TModalResult> Answers;  // the question, then the save dialog
    bool GoesOn;
    bool Written;
};

TEST_F(SubjectTrees, UnsavedChangesAreAskedForBeforeTheyAreDropped) {
    const TAskCase cases[] = {
        {"yes saves, then goes on", {mrYes, mrOk}, true, true},
        {"no goes on without saving", {mrNo}, true, false},
        {"cancel stops", {mrCancel}, false, false},
        {"yes, but the name is not given: stops", {mrYes, mrCancel}, false, false},
    };
    for (const TAskCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Dialogs.Clear();
        std::filesystem::remove(ListFile("kept.KDTF"));
        Manager->TreeView1->Items()->Clear();
        Manager->TreeView1->Items()->Add(nullptr, "Kept");
        Manager->SetChanged(true);
        for (TModalResult r : c.Answers) {
            if (r == mrOk)
                Dialogs.AnswerFiles({ListFile("kept")});
            else
                Dialogs.Answer(r);
        }
        Manager->New1->Click();
        Manager->TreeView1->EndEditing("", true);
        ASSERT_FALSE(Dialogs.Shown().empty());
        EXPECT_EQ(Dialogs.Shown()[0].Text, SSaveChanges);
        EXPECT_EQ(Dialogs.Shown()[0].Type, mtConfirmation);
        EXPECT_EQ(Outline(Manager->TreeView1), c.GoesOn ? "|" : "Kept|");
        EXPECT_EQ(Manager->Changed(), !c.GoesOn);
        EXPECT_EQ(FileExists(ListFile("kept.KDTF")), c.Written);
    }
    // Closing asks too; Cancel keeps the window open.
    Manager->SetChanged(true);
    Dialogs.Answer(mrCancel);
    TCloseAction action = caHide;
    Manager->OnClose(Manager.get(), action);
    EXPECT_EQ(action, caNone);
}

TEST_F(SubjectTrees, AFileThatCannotBeWrittenKeepsTheTreeChanged) {
    Manager->TreeView1->Items()->Add(nullptr, "A");
    Manager->SetChanged(true);
    Dialogs.AnswerFiles({ListFile("w")}).Answer(mrOk);
    SetSafeWriteHook([](const char* stage) {
        if (String(stage) == "write") throw EWriteError("disk full");
    });
    Manager->save2->Click();
    // Asked while closing: the window stays, and the changes with it.
    Dialogs.Answer(mrYes).AnswerFiles({ListFile("w")}).Answer(mrOk);
    TCloseAction action = caHide;
    Manager->OnClose(Manager.get(), action);
    SetSafeWriteHook(nullptr);
    EXPECT_EQ(Boxes(), (std::vector<String>{SNotSaved, SSaveChanges, SNotSaved}));
    EXPECT_EQ(action, caNone);
    EXPECT_TRUE(Manager->Changed());
    EXPECT_EQ(Manager->Caption(), SDefaultTitle);
    EXPECT_FALSE(FileExists(ListFile("w.KDTF")));

    // A file that cannot be created is the framework's error.
    Dialogs.Clear();
    Dialogs.AnswerFiles({Folder.File("no/such/folder/w")}).Answer(mrOk);
    Manager->SaveAs1->Click();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].rfind("Cannot create file", 0), 0u) << Boxes()[0];
    EXPECT_TRUE(Manager->Changed());
}

TEST_F(SubjectTrees, OpeningANameThatDoesNotExistOffersToCreateIt) {
    WriteAll(ListFile("old.KDTF"), "Old\r\n");
    Open(ListFile("old.KDTF"));
    Dialogs.Clear();
    Dialogs.AnswerFiles({ListFile("new.KDTF")}).Answer(mrNo);
    Manager->Open1->Click();
    EXPECT_EQ(Boxes(), std::vector<String>{ListFile("new.KDTF") + SCreateIt});
    EXPECT_EQ(Dialogs.Shown()[1].Type, mtWarning);
    EXPECT_EQ(Outline(Manager->TreeView1), "Old|");
    EXPECT_EQ(Manager->CurrentFile(), ListFile("old.KDTF"));
    EXPECT_EQ(Manager->OpenTreeView1->InitialDir, Folder.File("lists"));

    Dialogs.AnswerFiles({ListFile("new.KDTF")}).Answer(mrYes);
    Manager->Open1->Click();
    EXPECT_EQ(Outline(Manager->TreeView1), "");
    EXPECT_EQ(Manager->Caption(), ListFile("new.KDTF"));
    Type(Manager->TbToolbarButton4, "First");
    Manager->save2->Click();
    EXPECT_EQ(ReadAll(ListFile("new.KDTF")), "First\r\n");
}

// The Subject Selector over two vocabularies in the lists folder.
class SubjectSelector : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        WriteAll(Folder.File("lists/Sciences.KDTF"), "Science\r\n\tPhysics\r\n\t\tOptics\r\n\tBiology\r\n");
        WriteAll(Folder.File("lists/arts.kdtf"), "Arts\r\n\tMusic\r\n");
    }
    static void DoubleClick(Tsubjtree* s, const String& text) {
        s->TreeView1->SetSelected(Find(s->TreeView1, text));
        s->TreeView1->OnDblClick(s->TreeView1);
    }
};

TEST_F(SubjectSelector, ChosenSubjectsGoIntoTheSubjectField) {
    TForm1* f = Create();
    ComposerSettings.vocab = "Sciences";
    f->Edit15->SetText("Arts");
    Dialogs.AnswerWith([](TForm* form) {
        auto* s = dynamic_cast<Tsubjtree*>(form);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->ComboBox1->Text(), "Sciences");
        EXPECT_EQ(s->ComboBox1->Items()->Text(), "Sciences\r\narts\r\n");
        EXPECT_EQ(Outline(s->TreeView1), "Science| Physics|  Optics| Biology|");
        DoubleClick(s, "Optics");
        EXPECT_EQ(s->Edit1->Text(), "Science:Physics:Optics");
        s->TbToolbarButton2->Click();
        DoubleClick(s, "Biology");
        s->TbToolbarButton2->Click();
        // Nothing chosen adds nothing.
        s->TreeView1->SetSelected(nullptr);
        s->TreeView1->OnDblClick(s->TreeView1);
        EXPECT_EQ(s->Edit1->Text(), "");
        s->TbToolbarButton2->Click();
        s->ComboBox1->SetText("arts");
        s->ComboBox1->OnChange(s->ComboBox1);
        EXPECT_EQ(Outline(s->TreeView1), "Arts| Music|");
        s->TbToolbarButton1->Click();
    });
    f->Button2->Click();
    EXPECT_EQ(f->Edit15->Text(), "Arts,Science:Physics:Optics,Science:Biology");
    // The vocabulary last shown is offered next time.
    EXPECT_EQ(ComposerSettings.vocab, "arts");
    ASSERT_EQ(Dialogs.Shown().size(), 1u);
    EXPECT_EQ(Dialogs.Shown()[0].Kind, "Tsubjtree");
}

TEST_F(SubjectSelector, ReplacePutsOnlyThePathIntoTheField) {
    TForm1* f = Create();
    ComposerSettings.vocab = "arts";
    f->Edit15->SetText("Science");
    Dialogs.AnswerWith([](TForm* form) {
        auto* s = dynamic_cast<Tsubjtree*>(form);
        DoubleClick(s, "Music");
        s->rep->Click();
    });
    f->Button2->Click();
    EXPECT_EQ(f->Edit15->Text(), "Arts:Music");
    Dialogs.AnswerWith([](TForm* form) { dynamic_cast<Tsubjtree*>(form)->rep->Click(); });
    f->Button2->Click();
    EXPECT_EQ(f->Edit15->Text(), "");
}

TEST_F(SubjectSelector, AVocabularyWithoutAFileIsReportedAndShowsAnEmptyTree) {
    TForm1* f = Create();
    ComposerSettings.vocab = "gone";
    Dialogs.Answer(mrOk);
    Dialogs.AnswerWith([](TForm* form) {
        auto* s = dynamic_cast<Tsubjtree*>(form);
        EXPECT_EQ(s->TreeView1->Items()->Count(), 0);
        s->ComboBox1->SetText("");
        s->ComboBox1->OnChange(s->ComboBox1);
        s->TbToolbarButton3->Click();
    });
    f->Button2->Click();
    const std::vector<String> texts = ShownTexts();
    ASSERT_EQ(Dialogs.Shown().size(), 2u);
    EXPECT_EQ(Dialogs.Shown()[1].Kind, "Tsubjtree");
    EXPECT_EQ(texts[0].rfind("Cannot open file \"" + Folder.File("lists/gone.kdtf") + "\"", 0), 0u) << texts[0];
    // Nothing named is no error; Exit keeps the choice.
    EXPECT_EQ(ComposerSettings.vocab, "");
}

TEST_F(SubjectSelector, AVocabularyNamedLikeAPathIsNotRead) {
    WriteAll(Folder.File("outside.kdtf"), "Stolen\r\n");
    TForm1* f = Create();
    ComposerSettings.vocab = "../outside";
    Dialogs.Answer(mrOk);
    Dialogs.AnswerWith([](TForm* form) {
        auto* s = dynamic_cast<Tsubjtree*>(form);
        EXPECT_EQ(s->TreeView1->Items()->Count(), 0);
        s->TbToolbarButton1->Click();
    });
    f->Button2->Click();
    ASSERT_EQ(Dialogs.Shown().size(), 2u);
    EXPECT_EQ(Dialogs.Shown()[0].Text, SubjectSelectorTexts::SBadVocabularyName);
    EXPECT_EQ(Dialogs.Shown()[0].Type, mtError);
}

TEST_F(SubjectSelector, TheManagerOpensFromTheMainWindowWithANewTree) {
    TForm1* f = Create();
    Dialogs.AnswerWith([](TForm* form) {
        auto* m = dynamic_cast<Tstm*>(form);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(Outline(m->TreeView1), "|");
        m->TreeView1->EndEditing("", true);
        m->Exit1->Click();
    });
    f->stms->Click();
    ASSERT_EQ(Dialogs.Shown().size(), 1u);
    EXPECT_EQ(Dialogs.Shown()[0].Kind, "Tstm");
    EXPECT_EQ(Dialogs.Shown()[0].Caption, SDefaultTitle);
}

}  // namespace
