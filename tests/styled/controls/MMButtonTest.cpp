// The multimedia button: its face from an image list by state, the hit
// test on the face's own pixels, autosize and the stored face indices.
#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "framework/classes/MemoryStream.h"
#include "framework/testkit/SimulatedInput.h"
#include "styled/controls/StyCustomMMButton.h"
#include "styled/storage/StyBitmapList.h"
#include "styled/storage/StyBitmapListItem.h"

namespace {

class MMButtons : public ControlsFixture {
protected:
    void SetUp() override {
        ControlsFixture::SetUp();
        List = new TStyBitmapList(Form.get());
        // Picture 0: a red square on white; picture 1: a blue one.
        for (TColor c : {clRed, clBlue}) {
            auto pic = Solid(30, 30, clWhite);
            pic->Canvas()->Brush()->SetColor(c);
            pic->Canvas()->FillRect(Rect(10, 10, 20, 20));
            static_cast<TStyBitmapListItem*>(List->AddNew())->SetBitmap(pic.get());
        }
        Button = new TStyCustomMMButton(Form.get());
        Button->SetParent(Form.get());
        Button->SetBounds(10, 10, 30, 30);
        Button->OnClick = [this](TObject*) { ++Clicks; };
        Button->SetButtonFaceImageList(List);
    }
    TStyBitmapList* List = nullptr;
    TStyCustomMMButton* Button = nullptr;
    int Clicks = 0;
};

TEST_F(MMButtons, OnlyTheFacesOwnPixelsTakeTheMouse) {
    auto shot = Shot(Button);
    EXPECT_EQ(Px(shot, 15, 15), ColorToRGB(clRed));
    EXPECT_EQ(Button->FaceRect(), Rect(0, 0, 30, 30));
    SimulateClick(Button, 2, 2);  // white: outside the face
    EXPECT_EQ(Clicks, 0);
    SimulateClick(Button, 15, 15);
    EXPECT_EQ(Clicks, 1);
}

TEST_F(MMButtons, HeldStateShowsItsFaceAndFallsBack) {
    Button->SetFacePair(gsHeld, 1, 0);
    Button->SetFacePair(gsMenuOpen, -1, -1);
    int li = -1, ii = -1;
    ASSERT_TRUE(Button->FacePairFor(gsMenuOpen, li, ii));  // no face of its own
    EXPECT_EQ(li, 1);
    Button->SetFacePair(gsHot, 7, 0);  // missing: the up face
    ASSERT_TRUE(Button->FacePairFor(gsHot, li, ii));
    EXPECT_EQ(li, 0);
    SimulateMouseDown(Button, mbLeft, 15, 15);
    EXPECT_EQ(Button->State(), gsHeld);
    EXPECT_EQ(Px(Shot(Button), 15, 15), ColorToRGB(clBlue));
    SimulateMouseUp(Button, mbLeft, 15, 15);
    // A list going away leaves the button plain.
    delete List;
    List = nullptr;
    EXPECT_EQ(Button->ButtonFaceImageList(), nullptr);
}

TEST_F(MMButtons, AutosizeTakesThePicturesSize) {
    Button->SetBounds(10, 10, 50, 40);
    Button->SetButtonFaceStyle(sbAutosize);
    Shot(Button);
    EXPECT_EQ(Button->Width(), 30);
    EXPECT_EQ(Button->Height(), 30);
}

TEST_F(MMButtons, FaceIndicesStoredFirstThenSecond) {
    for (int s = 0; s < 7; ++s) Button->SetFacePair(s, s, 10 + s);
    Button->ButtonFace().TransColor = clLime;
    TMemoryStream m;
    Button->WriteFaceIndicesNew(&m);
    Button->WriteTransColNew(&m);
    EXPECT_EQ(m.Size(), 14 * 4 + 4);
    TStyCustomMMButton other(nullptr);
    m.SetPosition(0);
    other.ReadFaceIndicesNew(&m);
    other.ReadTransColNew(&m);
    EXPECT_EQ(other.ButtonFace().Indices[6][0], 6);
    EXPECT_EQ(other.ButtonFace().Indices[6][1], 16);
    EXPECT_EQ(other.ButtonFace().TransColor, clLime);
    // The old form is pair by pair.
    TMemoryStream old;
    for (int s = 0; s < 7; ++s) {
        const int pair[2] = {s + 1, s + 2};
        old.WriteBuffer(pair, sizeof pair);
    }
    old.SetPosition(0);
    other.ReadFaceIndices(&old);
    EXPECT_EQ(other.ButtonFace().Indices[2][0], 3);
    EXPECT_EQ(other.ButtonFace().Indices[2][1], 4);
}

}  // namespace
