#pragma once
#include <memory>

#include "framework/controls/CustomControl.h"

class TBitmap;
class TCanvas;
class TForm;
class TStyCustomImageList;
class TStyFormShape;
class TStyPalette;
class TStyPictureRef;

// The windowed base of the library's controls: a flat or hot border drawn
// over the control's edge, transparency that copies the parent's picture
// under the control, and a picture taken from a container.
//
// The framework draws no window frames of its own, so the flat and hot
// looks are drawn in the control's paint; PaintFlatBorder and
// PaintHotBorder choose the look and repaint.
class TStyCustomControl : public TCustomControl {
public:
    explicit TStyCustomControl(TComponent* AOwner);
    ~TStyCustomControl() override;
    String ClassName() const override { return "TStyCustomControl"; }

    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // The three-dimensional look of the platform (the hot border is sunken).
    bool Ctl3D = true;
    bool MouseInside() const { return FMouseInside; }
    bool HasFocusFlag() const { return FFocused; }
    // What the flat look currently shows: the hot border or the flat one.
    bool HotBorderShown() const { return FHotShown; }

    TStyCustomImageList* ImageList() const;
    void SetImageList(TStyCustomImageList* Value);
    int ImageIndex() const;
    void SetImageIndex(int Value);
    int ListIndex() const;
    void SetListIndex(int Value);
    bool PictureValid() const;

    TNotifyEvent OnMouseExit;
    // Fired after the focus change has finished.
    TNotifyEvent OnGotFocus;
    TNotifyEvent OnLostFocus;

    virtual bool IsTransparentNow();
    virtual void PaintBackground(TCanvas* Canvas);
    virtual void ObjectChanged(TObject* Sender);
    virtual bool ShowDesignFrame();
    virtual void PictureChanged();
    virtual void MouseExit();
    virtual void PaintFlatBorder();
    virtual void PaintHotBorder();
    // The bitmap a transparent child copies from, and where a point of
    // this control lies in it.
    virtual TBitmap* GetBackground();
    virtual bool HasBackground();
    // Copies the background under R (own coordinates, moved by Offset)
    // onto Canvas at R; false when nothing was copied.
    virtual bool CopyBackground(TCanvas* Canvas, const TRect& R, const TPoint& Offset);
    virtual TPoint BackgroundOffset(const TPoint& P);
    virtual const TStyPalette* BackgroundPalette();

protected:
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DoEnter() override;
    void DoExit() override;
    void Notification(TComponent* Component, TOperation Operation) override;

    // The form's shape component (the last one it owns), if any.
    static TStyFormShape* FormShapeOf(TForm* Form);
    bool ParentHasBackground();
    TBitmap* ParentBackground();
    TPoint ParentBackgroundOffset(const TPoint& P);
    // Passes a notice on to every child control.
    void NotifyChildren(UINT Msg);
    void DrawFlatBorder(TCanvas* Canvas);
    void DrawHotBorder(TCanvas* Canvas);
    void DrawDesignFrame(TCanvas* Canvas, const TRect& R);

    bool FBackgroundDirty = true;

private:
    bool FFlat = false;
    bool FTransparent = false;
    bool FMouseInside = false;
    bool FFocused = false;
    bool FHotShown = true;
    std::unique_ptr<TStyPictureRef> FPicture;
};
