#pragma once
#include <memory>

#include "framework/graphics/Color.h"
#include "styled/base/StyWndProcComponent.h"

class TBitmap;
class TCanvas;
class TForm;
class TRegion;
class TStyBorderRegion;
class TStyCustomImageList;
class TStyFillObject;
class TStyPictureRef;
class TStyStoredProperties;

// Gives its form an outline of one of the region shapes, paints the form's
// background and the outline's border, and lets the form be dragged by any
// free spot of its client area. One per form.
//
// The frame sizes are the form's own, as measured from its outer and
// client sizes, so the outline fits the frame the window really has.
class TStyFormShape : public TStyWndProcComponent {
public:
    explicit TStyFormShape(TComponent* AOwner);
    ~TStyFormShape() override;
    String ClassName() const override { return "TStyFormShape"; }

    String About;
    TStyBorderRegion* Region() const { return FRegion.get(); }
    void SetRegion(TStyBorderRegion* Value);
    bool ShowFormCaption() const { return FShowFormCaption; }
    void SetShowFormCaption(bool Value);
    bool FormDragable() const { return FFormDragable; }
    void SetFormDragable(bool Value) { FFormDragable = Value; }
    bool UseRgnBitmap() const { return FUseRgnBitmap; }
    void SetUseRgnBitmap(bool Value);
    TStyFillObject* FillObject() const { return FFillObject.get(); }
    void SetFillObject(TStyFillObject* Value);
    TStyCustomImageList* ImageList() const;
    void SetImageList(TStyCustomImageList* Value);
    int ListIndex() const;
    void SetListIndex(int Value);
    int ImageIndex() const;
    void SetImageIndex(int Value);

    // Sets the form's window region from the shape (nothing while loading).
    void ApplyShape();
    // The client-sized background the fill object paints; nullptr when the
    // fill object paints nothing. Panels on the form copy from it.
    TBitmap* Background();
    // The region last set on the form (window coordinates), nullptr when
    // the form keeps its whole rectangle.
    const TRegion* AppliedRegion() const { return FApplied.get(); }
    TRect LastRect() const { return FLastRect; }
    int CaptionHeight() const { return FCaptionHeight; }
    bool NCButtonDown() const { return FNCButtonDown; }

    void WndProc(TMessage& Message) override;
    void GetChange(TObject* Sender) override;
    void PaintBackground(TCanvas* Canvas);

    // The stored form: "Enabled", "ShowFormCaption", "FormDragable" and
    // "UseRgnBitmap" when off, the fill object under "FillObject.", the
    // picture ("ImageList", "ListIndex", "ImageIndex") and last "Internal"
    // (TStyPictureRef::WriteStored). A bad value raises EConvertError and
    // changes nothing.
    void WriteStored(TStyStoredProperties& P) const;
    void ReadStored(const TStyStoredProperties& P);

protected:
    void Loaded() override;
    void Notification(TComponent* Component, TOperation Operation) override;

private:
    TForm* Form() const;
    void PictureChanged();
    bool BuildBackground();

    std::unique_ptr<TStyBorderRegion> FRegion;
    std::unique_ptr<TStyFillObject> FFillObject;
    std::unique_ptr<TBitmap> FBackground;
    std::unique_ptr<TStyPictureRef> FPicture;
    std::unique_ptr<TRegion> FApplied;
    bool FShowFormCaption = true;
    bool FFormDragable = true;
    bool FUseRgnBitmap = true;
    bool FNCButtonDown = false;
    bool FApplying = false;
    bool FBackgroundDirty = true;
    TColor FBackgroundColor = clNone;
    TRect FLastRect{};
    int FCaptionHeight = 0;
};
