// A column grid as a window shows it: a heading row, three data rows and
// both scroll bars. With a display present the window is saved as a PNG
// for a person to look at; the cells it shows are checked either way.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Screen.h"
#include "framework/testkit/PictureCheck.h"
#include "gridkit/grid/Bands.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "gridkit/grid/GridColumnCollection.h"
#include "gridkit/grid/GridColumnItem.h"

namespace {

TEST(DemoWindow, ColumnGridWithHeadingRowsAndBars) {
    TForm form(nullptr);
    form.SetCaption("Custom fields");
    form.SetBounds(100, 100, 420, 160);
    auto* grid = new TGkColumnGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(10, 10, 380, 100);
    grid->SetColCount(5);
    grid->SetRowCount(4);
    grid->SetFixedCols(0);
    const char* heads[] = {"Field", "Content", "Scheme", "Language", "Date"};
    const int widths[] = {90, 160, 80, 80, 90};
    for (int c = 0; c < 5; ++c) {
        grid->Columns()->Items(c)->SetHeader(heads[c]);
        grid->Columns()->Items(c)->SetWidth(widths[c]);
    }
    grid->Columns()->Items(0)->SetColor(clInfoBk);
    grid->Columns()->Items(3)->SetAlignment(taCenter);
    const char* rows[3][5] = {{"DC.Title", "Velmor user guide", "", "en", "2026-12-10"},
                              {"DC.Creator", "Web team", "", "en", "2026-11-02"},
                              {"DC.Subject", "metadata, META tags", "LCSH", "en-GB", "2026-10-17"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c) grid->SetCells(c, r + 1, rows[r][c]);
    grid->FocusCell(1, 2, true);

    form.Show();
    form.Repaint();
    for (int i = 0; i < 20; ++i) Application->ProcessMessages();

    EXPECT_EQ(grid->VisibleRowCount(), 2);  // the third data row needs the bar
    EXPECT_GT(grid->ClientRect().Width(), 0);
    EXPECT_LT(grid->ClientRect().Width(), grid->Width());   // vertical bar
    EXPECT_LT(grid->ClientRect().Height(), grid->Height()); // horizontal bar
    EXPECT_EQ(grid->Cells(1, 0), "Content");

    if (!Screen->HasDisplay()) GTEST_SKIP() << "no display";
    const String png = (std::filesystem::temp_directory_path() / "velmor-columngrid.png").string();
    const TPoint o = form.ClientOrigin();
    ASSERT_TRUE(Screen->CaptureToFile(Bounds(o.X, o.Y, form.ClientWidth(), form.ClientHeight()), png));
    EXPECT_EQ(PictureColours(png), 2) << png << " holds one colour: the window did not show";
    std::printf("screenshot: %s\n", png.c_str());
}

}  // namespace
