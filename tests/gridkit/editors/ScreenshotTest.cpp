// Pictures of open editors, for a person to look at: taken only when a
// display is present (run under xvfb-run with QT_QPA_PLATFORM=xcb).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Screen.h"
#include "framework/rtl/DateTime.h"
#include "framework/testkit/PictureCheck.h"
#include "gridkit/editors/GridCombo.h"
#include "gridkit/editors/GridDatePicker.h"
#include "gridkit/editors/GridSpin.h"
#include "gridkit/editors/GridUnitEditBtn.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "gridkit/grid/GridColumnCollection.h"
#include "gridkit/grid/GridColumnItem.h"

namespace {

void Shoot(TForm& form, const char* name, int extraHeight) {
    form.Repaint();
    for (int i = 0; i < 40; ++i) Application->ProcessMessages();
    const String png = (std::filesystem::temp_directory_path() / name).string();
    const TPoint o = form.ClientOrigin();
    ASSERT_TRUE(Screen->CaptureToFile(Bounds(o.X, o.Y, form.ClientWidth(), form.ClientHeight() + extraHeight), png));
    EXPECT_EQ(PictureColours(png), 2) << png << " holds one colour: the window did not show";
    std::printf("screenshot: %s\n", png.c_str());
}

TEST(GkEditorScreenshots, DropDownAndDateEditors) {
    if (!Screen->HasDisplay()) GTEST_SKIP() << "no display";
    TForm form(nullptr);
    form.SetBounds(40, 40, 420, 220);
    form.SetCaption("Custom fields");
    auto* grid = new TGkColumnGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 420, 220);
    grid->SetColCount(3);
    grid->SetRowCount(5);
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetColWidths(1, 150);
    grid->SetColWidths(2, 150);
    grid->Columns()->Items(1)->SetHeader("Field");
    grid->Columns()->Items(2)->SetHeader("Value");
    grid->SetCells(1, 1, "Audience");
    grid->SetCells(2, 1, "Teachers");
    grid->SetCells(1, 2, "Revised");
    grid->SetCells(2, 2, "3/14/2024");
    grid->OnGetEditorType = [grid](TObject*, int c, int r, TEditorType& e) {
        if (c != 2) return;
        if (r == 1) {
            grid->ClearComboItems();
            for (const char* s : {"Pupils", "Teachers", "Parents", "Everyone"}) grid->ComboItems()->Add(s);
            e = edComboList;
        } else if (r == 2) {
            e = edDateEdit;
        } else if (r == 3) {
            e = edUnitEditBtn;
        } else {
            e = edSpinEdit;
        }
    };
    form.Show();
    grid->SetFocus();
    grid->FocusCell(2, 1, true);
    grid->ShowEditor();
    grid->ComboEditor()->SetDroppedDown(true);
    Shoot(form, "velmor-gridkit-dropdown.png", 90);
    grid->ComboEditor()->SetDroppedDown(false);
    grid->CloseCellEditor(grid->Col(), grid->Row());
    grid->HideEditor();
    grid->FocusCell(2, 2, true);
    grid->ShowEditor();
    ASSERT_TRUE(grid->DateEditor()->Visible());
    Shoot(form, "velmor-gridkit-date.png", 0);
    grid->CloseCellEditor(grid->Col(), grid->Row());
    grid->HideEditor();
    grid->SetCells(1, 3, "Width");
    grid->SetCells(2, 3, "12.5 cm");
    grid->FocusCell(2, 3, true);
    grid->ShowEditor();
    ASSERT_TRUE(grid->UnitEditBtnEditor()->Visible());
    Shoot(form, "velmor-gridkit-unit.png", 0);
    grid->CloseCellEditor(grid->Col(), grid->Row());
    grid->HideEditor();
    grid->SetCells(1, 4, "Priority");
    grid->SetCells(2, 4, "5");
    grid->FocusCell(2, 4, true);
    grid->ShowEditor();
    Shoot(form, "velmor-gridkit-spin.png", 0);
}

}  // namespace
