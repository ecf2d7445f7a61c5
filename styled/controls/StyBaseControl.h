#pragma once
#include <functional>
#include <memory>

#include "framework/controls/GraphicControl.h"

class TStyCustomImageList;
class TStyPictureRef;

// Change kinds of OnChanged: 1 size, 2 position, 3 both.
using TStyControlChangeEvent = std::function<void(TObject* Sender, int Kind)>;

// The window-less base of the library's graphic controls (the buttons),
// with a picture taken from a container.
class TStyBaseControl : public TGraphicControl {
public:
    explicit TStyBaseControl(TComponent* AOwner);
    ~TStyBaseControl() override;
    String ClassName() const override { return "TStyBaseControl"; }

    TStyCustomImageList* ImageList() const;
    void SetImageList(TStyCustomImageList* Value);
    int ImageIndex() const;
    void SetImageIndex(int Value);
    int ListIndex() const;
    void SetListIndex(int Value);
    bool PictureValid() const;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TStyControlChangeEvent OnChanged;
    TNotifyEvent OnMouseExit;

    virtual void PictureChanged();
    virtual bool ShowDesignFrame() { return true; }

protected:
    virtual void Changed(int Kind);
    void MouseLeave() override;
    void Notification(TComponent* Component, TOperation Operation) override;
    void DrawDesignFrame(TCanvas* Canvas);
    void EraseBackground(TCanvas* Canvas);

private:
    std::unique_ptr<TStyPictureRef> FPicture;
};
