// A picture of a painted grid, for a person to look at: taken only when a
// display is present (run under xvfb-run with QT_QPA_PLATFORM=xcb).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Screen.h"
#include "gridkit/Bands.h"
#include "gridkit/GkStringGrid.h"

namespace {

TEST(GkPaintScreenshot, BandsMarkupWrapAndSortGlyph) {
    if (!Screen->HasDisplay()) GTEST_SKIP() << "no display";
    TForm form(nullptr);
    form.SetBounds(40, 40, 460, 240);
    form.SetCaption("Profiles");
    auto* grid = new TGkStringGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 460, 240);
    grid->SetColCount(3);
    grid->SetRowCount(7);
    grid->SetColWidths(0, 24);
    grid->SetColWidths(1, 150);
    grid->SetColWidths(2, 260);
    grid->SetCells(1, 0, "Field");
    grid->SetCells(2, 0, "Value");
    grid->SetSortShow(true);
    grid->SetSortColumn(1);
    grid->Bands()->SetActive(true);
    grid->SetMultilinecells(true);
    grid->SetWordWrap(true);
    const char* rows[][2] = {
        {"Title", "Velmor <B>metadata</B> composer"},
        {"Author", "<FONT color=\"clred\">Jane</FONT> <I>Doe</I>, <A href=\"mailto:jane@example.test\">write</A>"},
        {"Description", "A long description that wraps onto a second line inside its cell"},
        {"Keywords", "meta, head, tags"},
        {"Rating", "General"},
        {"Robots", "index, follow"},
    };
    for (int r = 0; r < 6; ++r) {
        grid->SetCells(1, r + 1, rows[r][0]);
        grid->SetCells(2, r + 1, rows[r][1]);
    }
    grid->AutoSizeRow(3);
    form.Show();
    grid->FocusCell(1, 5, true);
    form.Repaint();
    for (int i = 0; i < 40; ++i) Application->ProcessMessages();
    const String png = (std::filesystem::temp_directory_path() / "velmor-gridkit-paint.png").string();
    const TPoint o = form.ClientOrigin();
    ASSERT_TRUE(Screen->CaptureToFile(Bounds(o.X, o.Y, form.ClientWidth(), form.ClientHeight()), png));
    std::printf("screenshot: %s\n", png.c_str());
}

}  // namespace
