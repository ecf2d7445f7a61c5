// The schemas a new installation ships: what the Schema list offers on a
// fresh start, the rows and editors "dublin" gives, and its tags on their
// way into a page.
#include "composer/mainwindow/MainWindowTestSupport.h"

#include <filesystem>

#include "framework/classes/StringList.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/TabSheet.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "gridkit/grid/GkStringGrid.h"
#include "toolbars/TbToolbarButton.h"

namespace {

namespace fs = std::filesystem;

// A main window over a copy of the folders the build lays beside the
// program, as a new user finds them.
class ShippedSchemas : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        for (const char* folder : {"schemas", "data"}) {
            const fs::path from = fs::path(VELMOR_BIN_DIR) / folder;
            ASSERT_TRUE(fs::is_directory(from)) << from << " has not been built";
            fs::copy(from, Folder.File(folder), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        }
    }
    std::vector<String> SchemaList() const {
        std::vector<String> names;
        for (int i = 0; i < Form->scname->Items()->Count(); ++i) names.push_back(Form->scname->Items()->Strings(i));
        return names;
    }
    // Picks a schema from the list with the keyboard, as a user does.
    void Pick(const String& name) {
        TComboBox* list = Form->scname;
        Form->PageControl1->SetActivePage(Form->TabSheet3);
        Form->FirstActivation = "No";  // no page selection on showing
        Form->Show();
        ASSERT_TRUE(WaitForFocus(list));
        for (int i = 0; i <= list->Items()->Count() && list->Text() != name; ++i) SimulateKey(list, VK_DOWN);
        ASSERT_EQ(list->Text(), name);
    }
};

TEST_F(ShippedSchemas, AFreshStartOffersThem) {
    Create();
    const std::vector<String> names = SchemaList();
    for (const char* schema : {"dublin", "gils", "wagils"})
        EXPECT_NE(std::find(names.begin(), names.end(), schema), names.end()) << schema;
    // Every schema the control file names is there for the internet update.
    TStringList control;
    control.LoadFromFile(Folder.File("schemas/schemas.txt"));
    for (int i = 0; i < control.Count(); ++i)
        EXPECT_TRUE(FileExists(Folder.File("schemas/" + control.Strings(i)))) << control.Strings(i);
}

TEST_F(ShippedSchemas, DublinGivesTheFifteenElementsWithTheirEditors) {
    const String page = Page("page.html", "<title>Report</title>\r\n");
    TForm1* f = Create();
    Pick("dublin");

    struct Field {
        const char* Tag;
        TEditorType Editor;
        const char* AnItem;  // one value its list must offer
    };
    const Field fields[] = {
        {"DC.Title", edNormal, nullptr},           {"DC.Creator", edNormal, nullptr},
        {"DC.Subject", edNormal, nullptr},         {"DC.Description", edNormal, nullptr},
        {"DC.Publisher", edNormal, nullptr},       {"DC.Contributor", edNormal, nullptr},
        {"DC.Date", edDateEdit, nullptr},          {"DC.Type", edComboList, "InteractiveResource"},
        {"DC.Format", edComboList, "text/html"},   {"DC.Identifier", edNormal, nullptr},
        {"DC.Source", edNormal, nullptr},          {"DC.Language", edComboList, "en-us"},
        {"DC.Relation", edNormal, nullptr},        {"DC.Coverage", edNormal, nullptr},
        {"DC.Rights", edNormal, nullptr},
    };
    ASSERT_EQ(f->grid1->RowCount(), 16);
    for (int r = 1; r <= 15; ++r) {
        const Field& field = fields[r - 1];
        EXPECT_EQ(f->grid1->Cells(0, r), field.Tag);
        EXPECT_EQ(f->grid1->Cells(1, r), "");
        TEditorType editor = edNormal;
        f->grid1->GetCellEditor(1, r, editor);
        EXPECT_EQ(editor, field.Editor) << field.Tag;
        if (field.AnItem) {
            EXPECT_GE(f->grid1->ComboItems()->IndexOf(field.AnItem), 0) << field.Tag;
        }
    }

    // Filled in, the fields go into the page with the standard tags.
    Dialogs.AnswerFiles({page}).Answer(mrOk);
    f->LFILE();
    for (int r = 1; r <= 15; ++r) f->grid1->SetCells(1, r, String("v") + IntToStr(r));
    f->grid1->SetCells(1, 8, "Text");
    Dialogs.Clear();
    Dialogs.Answer(mrOk);
    f->BtnFinish->Click();
    EXPECT_EQ(ShownTexts(), std::vector<String>{"Successfully Wrote Tags To 1 Files"});
    const String written = ReadAll(page);
    for (int r = 1; r <= 15; ++r) {
        const String tag = LowerCase(fields[r - 1].Tag);
        const String value = r == 8 ? String("Text") : String("v") + IntToStr(r);
        EXPECT_NE(written.find("<meta name=\"" + tag + "\" content=\"" + value + "\">"), String::npos) << tag;
    }
    f->Hide();
}

// The token map names a field of every shipped schema, and the composed
// tag carries it.
TEST_F(ShippedSchemas, TheTokenMapCoversEveryField) {
    Put("tokens", "1");
    TForm1* f = Create();
    std::vector<String> mapped;
    for (int r = 1; r < f->gilsmask->RowCount(); ++r) mapped.push_back(f->gilsmask->Cells(1, r));
    for (const char* schema : {"dublin", "gils", "wagils"}) {
        TGkStringGrid rows(nullptr);
        rows.LoadCellsFromFile(Folder.File("schemas/" + String(schema) + ".tgs"));
        for (int r = 1; r < rows.RowCount(); ++r)
            EXPECT_NE(std::find(mapped.begin(), mapped.end(), rows.Cells(0, r)), mapped.end())
                << schema << ": " << rows.Cells(0, r);
    }
    Pick("dublin");
    f->grid1->SetCells(1, 1, "Annual report");
    f->SpeedButton7Click(f);  // no standard tags before it
    f->TabSheet5Enter(f->TabSheet5);
    EXPECT_EQ(f->TagLines->Lines()->Strings(0), "<meta name=\"dc.title\" content=\"Annual report\" z=\"title\"/>");
    f->Hide();
}

}  // namespace
