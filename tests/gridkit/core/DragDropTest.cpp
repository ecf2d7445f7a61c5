// The grid in drag and drop: what a drop target accepts and where the
// dropped text, rich text or file goes; the drag source's data object.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "framework/controls/Form.h"
#include "framework/messages/Messages.h"
#include "framework/testkit/SimulatedDrop.h"
#include "gridkit/dragdrop/DropSource.h"
#include "gridkit/dragdrop/EnumFormats.h"
#include "gridkit/grid/GkStringGrid.h"
#include "support/TempDir.h"

namespace {

struct DropFixture : ::testing::Test {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TGkStringGrid* Grid = new TGkStringGrid(Form.get());
    std::vector<String> Events;
    void SetUp() override {
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 300, 200);
        Grid->SetColCount(4);
        Grid->SetRowCount(5);
        Grid->SetOptions(Grid->Options() | goEditing);
        Grid->SetOleDropTarget(true);
        Grid->OnOleDrop = [this](TObject*, int row, int col, const String& data, bool&) {
            Events.push_back(std::to_string(col) + "," + std::to_string(row) + " " + data);
        };
        Form->Show();
    }
    void TearDown() override { TGkStringGrid::SetOleDropRTF(true); }
    // The client point in the middle of a cell.
    TPoint Middle(int col, int row) {
        const TRect r = Grid->CellRect(col, row);
        return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    DWORD Drop(const String* text, const String* rtf, const std::vector<String>* files, int col, int row,
               DWORD keys = 0) {
        auto data = MakeDataObject(text, rtf, files);
        const TPoint p = Middle(col, row);
        return SimulateDrop(Grid, data.get(), p.X, p.Y, keys);
    }
};

TEST_F(DropFixture, RichTextIsPreferredWhileAcceptedAndRefusedAlone) {
    const String text = "a\tb", rtf = "{\\rtf1 x}";
    EXPECT_EQ(Drop(&text, &rtf, nullptr, 1, 1), DROPEFFECT_MOVE);
    EXPECT_EQ(Grid->Cells(1, 1), "{\\rtf1 x}");
    EXPECT_EQ(Grid->Cells(2, 1), "");

    TGkStringGrid::SetOleDropRTF(false);
    EXPECT_EQ(Drop(&text, &rtf, nullptr, 1, 2, MK_CONTROL), DROPEFFECT_COPY);
    EXPECT_EQ(Grid->Cells(1, 2), "a");
    EXPECT_EQ(Grid->Cells(2, 2), "b");
    EXPECT_EQ(Drop(nullptr, &rtf, nullptr, 1, 3), DROPEFFECT_NONE);
    EXPECT_EQ(Grid->Cells(1, 3), "");
    EXPECT_EQ(Events, (std::vector<String>{"1,1 {\\rtf1 x}", "1,2 a\tb"}));
}

TEST_F(DropFixture, TextThenOneCsvFileByContainedName) {
    TTempDir dir;
    const String csv = dir.File("list.csv.bak");
    WriteAll(csv, "p;q\r\nr;s\r\n");
    const String text = "t";
    const std::vector<String> files{csv};
    Drop(&text, nullptr, &files, 0, 0);
    EXPECT_EQ(Events, (std::vector<String>{"0,0 t", "-1,-1 " + csv}));
    EXPECT_EQ(Grid->Cells(1, 1), "s");  // imported over the pasted text

    // Two files, or one of another kind, do nothing.
    Events.clear();
    const std::vector<String> two{csv, csv};
    Drop(nullptr, nullptr, &two, 0, 0);
    const std::vector<String> other{dir.File("notes.txt")};
    Drop(nullptr, nullptr, &other, 0, 0);
    EXPECT_TRUE(Events.empty());
}

TEST_F(DropFixture, ADroppedWorkbookImportsItsActiveSheet) {
    // ".XLS" in the name, in any case, takes .xlsx too.
    TTempDir dir;
    const String book = dir.File("Prices.XLSX");
    std::filesystem::copy_file(VELMOR_FIXTURES "/workbooks/book.xlsx", book);
    const std::vector<String> files{book};
    Drop(nullptr, nullptr, &files, 2, 2);
    EXPECT_EQ(Events, (std::vector<String>{"-1,-1 " + book}));
    EXPECT_EQ(Grid->ColCount(), 4);
    EXPECT_EQ(Grid->RowCount(), 5);
    EXPECT_EQ(Grid->Cells(1, 1), "b2");
    EXPECT_EQ(Grid->Cells(3, 4), "42");

    // Refused by OnOleDrop, the file is not read.
    Grid->OnOleDrop = [](TObject*, int, int, const String&, bool& allow) { allow = false; };
    const std::vector<String> other{VELMOR_FIXTURES "/workbooks/book.xls"};
    Drop(nullptr, nullptr, &other, 0, 0);
    EXPECT_EQ(Grid->Cells(1, 1), "b2");
}

TEST_F(DropFixture, TheGridDragsItsSelectionAfterAskingOnOleDrag) {
    Grid->SetCells(1, 1, "cell");
    Grid->SetRow(1);
    Grid->SetCol(1);
    String offered, offeredRtf;
    DWORD okEffects = 0;
    TDoDragDropHook old = SetDoDragDropHook([&](IDataObject* data, IDropSource* source, DWORD ok, DWORD& effect) {
        TEnumFormats formats(data);
        offered = formats.Text();
        offeredRtf = formats.RTF();
        okEffects = ok;
        EXPECT_EQ(source->QueryContinueDrag(false, MK_LBUTTON), S_OK);
        EXPECT_EQ(source->QueryContinueDrag(false, 0), DRAGDROP_S_DROP);
        EXPECT_EQ(source->QueryContinueDrag(true, MK_LBUTTON), DRAGDROP_S_CANCEL);
        effect = DROPEFFECT_COPY;
        return DRAGDROP_S_DROP;
    });
    EXPECT_TRUE(Grid->StartOleDrag(1, 1));
    EXPECT_EQ(offered, "cell");
    EXPECT_EQ(offeredRtf, "cell");
    EXPECT_EQ(okEffects, DROPEFFECT_COPY | DROPEFFECT_MOVE);

    Grid->OnOleDrag = [](TObject*, int, int, const String&, bool& allow) { allow = false; };
    offered.clear();
    EXPECT_FALSE(Grid->StartOleDrag(1, 1));
    EXPECT_TRUE(offered.empty());
    SetDoDragDropHook(old);
}

TEST(SourceDataObject, FormatsAndTheirData) {
    TSourceEnumFormatEtc e;
    TFormatEtc got[4];
    unsigned fetched = 0;
    EXPECT_EQ(e.Next(3, got, &fetched), S_OK);
    EXPECT_EQ(fetched, 3u);
    EXPECT_EQ(got[0].CfFormat, CF_TEXT);
    EXPECT_EQ(got[1].CfFormat, CF_UNICODETEXT);
    EXPECT_EQ(got[2].CfFormat, CF_RTF());
    EXPECT_EQ(e.Next(3, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(e.Skip(5), S_FALSE);
    EXPECT_EQ(e.Index(), 3u);

    TSourceDataObject data("é", "{\\rtf1}");
    TFormatEtc f;
    f.CfFormat = CF_UNICODETEXT;
    TStgMedium m;
    ASSERT_EQ(data.GetData(f, m), S_OK);
    EXPECT_EQ(m.HGlobal, String("\xE9\x00\x00\x00", 4));
    f.Tymed = 2;  // not a global memory block
    EXPECT_EQ(data.QueryGetData(f), DV_E_FORMATETC);
    f = TFormatEtc{};
    f.CfFormat = CF_HDROP;
    EXPECT_EQ(data.GetData(f, m), DV_E_FORMATETC);
    std::shared_ptr<IEnumFormatEtc> none;
    EXPECT_EQ(data.EnumFormatEtc(DATADIR_SET, none), E_NOTIMPL);
    DWORD connection = 0;
    EXPECT_EQ(data.DAdvise(f, 0, connection), OLE_E_ADVISENOTSUPPORTED);
}

}  // namespace
