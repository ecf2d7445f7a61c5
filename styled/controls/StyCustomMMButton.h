#pragma once
#include <memory>

#include "styled/controls/StyBaseGraphicButton.h"

class TStream;
class TStyChangeLink;
class TStyCustomImageList;

enum TStyBitmapStyle { sbNone, sbAutosize, sbCenter, sbStretch, sbTile, sbKeepAspRatio, sbKeepWidth, sbKeepHeight };

// Where a multimedia button's face comes from in its image list, state by
// state (0 up .. 6 menu open): the pair (list index, image index), and the
// colour of the face that lies outside the button for the hit test.
struct TStyButtonFace {
    int Indices[7][2] = {};
    TColor TransColor = clWhite;
};

// A graphic button whose face is a picture from an image list, one per
// state; only the face's own pixels (not those of TransColor) count as the
// button for the mouse.
class TStyCustomMMButton : public TStyBaseGraphicButton {
public:
    explicit TStyCustomMMButton(TComponent* AOwner);
    ~TStyCustomMMButton() override;
    String ClassName() const override { return "TStyCustomMMButton"; }

    bool AllowMouseOver() const { return HotTracking(); }
    void SetAllowMouseOver(bool Value) { SetHotTracking(Value); }
    bool AllowTransparency = true;
    TStyButtonFace& ButtonFace() { return FFace; }
    void SetFacePair(int State, int ListIndex, int ImageIndex);
    TStyBitmapStyle ButtonFaceStyle() const { return FFaceStyle; }
    void SetButtonFaceStyle(TStyBitmapStyle Value);
    TStyCustomImageList* ButtonFaceImageList() const { return FFaceList; }
    void SetButtonFaceImageList(TStyCustomImageList* Value);
    int CaptionDown = 1;
    bool ForceTransparent() const { return FForceTransparent; }
    void SetForceTransparent(bool Value);
    bool QuickDraw() const { return FQuickDraw; }
    void SetQuickDraw(bool Value);
    // Where the face was last placed (the hit test's rectangle).
    TRect FaceRect() const { return FFaceRect; }
    // The pair used for a state, after the fallbacks; false when the list
    // holds no image for it.
    bool FacePairFor(int State, int& ListIndex, int& ImageIndex) const;

    // The stored properties "ButtonFaceIndices" (56 raw bytes, read only),
    // "ButtonFaceIndicesNew" (fourteen 4-byte values: the seven first
    // indices, then the seven second ones), "ButtonFaceTransCol" (4 raw
    // bytes, read only) and "ButtonFaceTransColNew".
    void ReadFaceIndices(TStream* Stream);
    void ReadFaceIndicesNew(TStream* Stream);
    void WriteFaceIndicesNew(TStream* Stream) const;
    void ReadTransCol(TStream* Stream);
    void ReadTransColNew(TStream* Stream);
    void WriteTransColNew(TStream* Stream) const;

protected:
    void Paint() override;
    bool HotLookDiffers() override { return true; }
    bool HitTest(int X, int Y) override;
    void Notification(TComponent* Component, TOperation Operation) override;

private:
    TRect PlaceFace(TCanvas* Canvas, int ListIndex, int ImageIndex);

    TStyButtonFace FFace;
    TStyBitmapStyle FFaceStyle = sbNone;
    TStyCustomImageList* FFaceList = nullptr;
    std::unique_ptr<TStyChangeLink> FFaceLink;
    bool FForceTransparent = true;
    bool FQuickDraw = false;
    TRect FFaceRect{};
};
