// A picture of a painted grid, for a person to look at: taken only when a
// display is present (run under xvfb-run with QT_QPA_PLATFORM=xcb).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BitmapResources.h"
#include "framework/graphics/Canvas.h"
#include "framework/rtl/StrUtils.h"
#include "framework/testkit/PictureCheck.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/grid/Bands.h"
#include "gridkit/grid/GkStringGrid.h"

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
    EXPECT_EQ(PictureColours(png), 2) << png << " holds one colour: the window did not show";
    std::printf("screenshot: %s\n", png.c_str());
}

// The kit's newer pieces together: formatted rich-text cells, flat
// proportional scroll bars with the scroll hint while the thumb is
// dragged, icons of files and a registered bitmap in markup cells, and
// the button and check box editors with their captions.
TEST(GkPaintScreenshot, RichTextFlatBarsImagesAndEditors) {
    if (!Screen->HasDisplay()) GTEST_SKIP() << "no display";
    TBitmap logo(16, 16);
    logo.Canvas()->Brush()->SetColor(static_cast<TColor>(0x00A05000));
    logo.Canvas()->FillRect(Rect(0, 0, 16, 16));
    logo.Canvas()->Brush()->SetColor(clYellow);
    logo.Canvas()->Ellipse(3, 3, 13, 13);
    RegisterBitmapResource("velmor", &logo);

    TForm form(nullptr);
    form.SetBounds(40, 40, 520, 330);
    form.SetCaption("Grid kit");
    auto* grid = new TGkStringGrid(&form);
    grid->SetParent(&form);
    grid->SetAlign(alClient);
    grid->SetColor(clWhite);
    grid->SetColCount(3);
    grid->SetRowCount(60);
    grid->SetColWidths(0, 24);
    grid->SetColWidths(1, 150);
    grid->SetColWidths(2, 300);
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetCells(1, 0, "Field");
    grid->SetCells(2, 0, "Value");
    grid->SetScrollBars(ssVertical);
    grid->SetScrollType(ssFlat);
    grid->SetScrollColor(static_cast<TColor>(0x00F0E8E0));
    grid->SetScrollProportional(true);
    grid->ScrollHints = shVertical;
    grid->HintColor = clInfoBk;
    const char* rows[][2] = {
        {"Title", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}{\\colortbl;\\red192\\green0\\blue0;"
                  "\\red0\\green0\\blue160;}\\f0\\fs18 Velmor \\b\\cf1 metadata\\b0\\cf0  \\i\\f1 composer\\i0\\f0  "
                  "\\ul\\cf2 4.0\\ulnone\\cf0\\par}"},
        {"Notes", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green230\\blue140;}\\f0\\fs16\\qc Centered, \\strike struck\\strike0 , "
                  "{\\cb1 shaded}\\par\\pard\\qr right-aligned\\par}"},
        {"Page", "<IMG src=\"ssys:index.html\"> index.html"},
        {"Folder", "<IMG src=\"ssys:/tmp\"> <B>/tmp</B>"},
        {"Logo", "<IMG src=\"res://velmor\"> a <I>registered</I> bitmap"},
        {"Link", "..."},
        {"Indexed", "Y"},
    };
    for (int r = 0; r < 7; ++r) {
        grid->SetCells(1, r + 1, rows[r][0]);
        grid->SetCells(2, r + 1, rows[r][1]);
    }
    for (int r = 8; r < 60; ++r) grid->SetCells(1, r, "Row " + IntToStr(r));
    grid->AutoSizeRow(2);
    grid->OnGetEditorType = [](TObject*, int c, int r, TEditorType& e) {
        if (c == 2 && r == 6) e = edEditBtn;
        if (c == 2 && r == 7) e = edCheckBox;
    };
    form.Show();
    // A window manager places and maps the window in its own time.
    for (int i = 0; i < 200; ++i) Application->ProcessMessages();
    const auto shot = [&](const char* name, int extraRight) {
        form.Repaint();
        for (int i = 0; i < 40; ++i) Application->ProcessMessages();
        const TPoint o = form.ClientOrigin();
        const String png = (std::filesystem::temp_directory_path() / name).string();
        ASSERT_TRUE(Screen->CaptureToFile(Bounds(o.X, o.Y, form.ClientWidth() + extraRight, form.ClientHeight()), png));
        EXPECT_EQ(PictureColours(png), 2) << png << " holds one colour: the window did not show";
        std::printf("screenshot: %s\n", png.c_str());
    };

    // A thumb drag: the hint beside the hand names the row it would show.
    const TRect thumb = grid->ScrollThumbRect(TCustomGrid::SB_VERT);
    ASSERT_FALSE(thumb.IsEmpty());
    const int x = (thumb.Left + thumb.Right) / 2, y = (thumb.Top + thumb.Bottom) / 2;
    SimulateMouseDown(grid, mbLeft, x, y);
    SimulateMouseMove(grid, x, y + 90, ssLeft);
    EXPECT_FALSE(grid->ScrollHintShown().empty());
    shot("velmor-gridkit-demo-scroll.png", 120);
    SimulateMouseUp(grid, mbLeft, x, y + 90);
    grid->SetTopRow(1);

    // The button editor with its "..." and the check box editor.
    grid->FocusCell(2, 6, true);
    grid->ShowEditor();
    shot("velmor-gridkit-demo-editbtn.png", 0);
    grid->CloseCellEditor(2, 6);
    grid->HideEditor();
    grid->FocusCell(2, 7, true);
    grid->ShowEditor();
    shot("velmor-gridkit-demo-checkbox.png", 0);
    UnregisterBitmapResource("velmor");
}

}  // namespace
