// Form backgrounds painted by TStyBack (a tiled picture) and by the
// program's OnPaint.
#include <gtest/gtest.h>

#include <memory>

#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/rtl/Exception.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "styled/forms/StyBack.h"
#include "styled/graphics/StyStoredProperties.h"
#include "styled/storage/StyContainer.h"
#include "styled/storage/StyBitmapList.h"
#include "styled/storage/StyBitmapListItem.h"

namespace {

struct FillForm {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TStyBack* Back;
    TStyBitmapList* List;
    FillForm() {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 60, 40);
        Form->SetColor(clWhite);
        List = new TStyBitmapList(Form.get());
        // A 10 x 10 tile: red with a blue top-left quarter.
        TBitmap tile(10, 10);
        tile.Canvas()->Brush()->SetColor(clRed);
        tile.Canvas()->FillRect(Rect(0, 0, 10, 10));
        tile.Canvas()->Brush()->SetColor(clBlue);
        tile.Canvas()->FillRect(Rect(0, 0, 5, 5));
        static_cast<TStyBitmapListItem*>(List->AddNew())->SetBitmap(&tile);
        Back = new TStyBack(Form.get());
        Back->FinishLoading();
        Form->Show();
        Application->ProcessMessages();
    }
    ~FillForm() { Form->Hide(); }
    TColor At(int x, int y) {
        TBitmap b(60, 40);
        Form->PaintTo(b.Canvas(), 0, 0);
        return b.Canvas()->Pixels(x, y);
    }
};

TEST(FormFill, BackTilesThePicture) {
    FillForm f;
    EXPECT_EQ(f.At(32, 22), ColorToRGB(clWhite));  // no list yet
    f.Back->SetImageList(f.List);
    EXPECT_EQ(f.At(2, 2), ColorToRGB(clBlue));
    EXPECT_EQ(f.At(7, 7), ColorToRGB(clRed));
    EXPECT_EQ(f.At(32, 22), ColorToRGB(clBlue));   // the tile repeats
    EXPECT_EQ(f.At(57, 37), ColorToRGB(clRed));
    // A picture the list does not hold leaves the form's own background.
    f.Back->SetListIndex(5);
    EXPECT_EQ(f.At(32, 22), ColorToRGB(clWhite));
    f.Back->SetListIndex(-1);  // ignored
    EXPECT_EQ(f.Back->ListIndex(), 5);
}

TEST(FormFill, OwnerDrawPaintsThroughTheEvent) {
    FillForm f;
    TRect asked{};
    f.Back->OnPaint = [&](TObject*, TCanvas* c, const TRect& r) {
        asked = r;
        c->Brush()->SetColor(clGreen);
        c->FillRect(Rect(0, 0, 10, 10));
    };
    EXPECT_EQ(f.At(5, 5), ColorToRGB(clWhite));  // pcControl: not the event
    f.Back->SetPaintMode(pcOwnerDraw);
    EXPECT_EQ(f.At(5, 5), ColorToRGB(clGreen));
    EXPECT_EQ(f.At(30, 30), ColorToRGB(clWhite));  // DefaultFill
    EXPECT_EQ(asked, Rect(0, 0, 60, 40));
    f.Back->SetEnabled(false);
    EXPECT_EQ(f.At(5, 5), ColorToRGB(clWhite));
}

TEST(FormFill, StoredFormKeepsThePictureAndThePaintMode) {
    FillForm f;
    f.List->SetName("Tiles");
    f.Back->SetImageList(f.List);
    f.Back->SetListIndex(3);
    f.Back->SetPaintMode(pcOwnerDraw);
    f.Back->DefaultFill = false;
    TStringList lines;
    TStyStoredProperties stored(&lines);
    f.Back->WriteStored(stored);
    EXPECT_EQ(lines.ToVector(),
              (std::vector<String>{"DefaultFill=False", "PaintMode=pcOwnerDraw", "ImageList=Tiles", "ListIndex=3"}));
    auto* copy = new TStyBack(f.Form.get());
    copy->SetEnabled(false);
    copy->ReadStored(stored);
    EXPECT_EQ(copy->ImageList(), f.List);
    EXPECT_EQ(copy->ListIndex(), 3);
    EXPECT_EQ(copy->PaintMode(), pcOwnerDraw);
    EXPECT_FALSE(copy->DefaultFill);
    EXPECT_TRUE(copy->Enabled());
    // The default container's list goes as "Internal", last.
    f.Back->SetImageList(StyDefaultContainer()->BitmapList());
    lines.Clear();
    f.Back->WriteStored(stored);
    EXPECT_EQ(lines.ToVector().back(), "Internal=STYBML30");
    EXPECT_EQ(lines.IndexOfName("ImageList"), -1);
    TStringList bad;
    bad.Add("PaintMode=pcSometimes");
    EXPECT_THROW(copy->ReadStored(TStyStoredProperties(&bad)), EConvertError);
    EXPECT_EQ(copy->PaintMode(), pcOwnerDraw);
}

}  // namespace
