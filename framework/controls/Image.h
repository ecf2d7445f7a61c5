#pragma once
#include <memory>

#include "framework/controls/GraphicControl.h"

class TPicture;

// Shows a picture: at its own size in the top-left corner, centred, or
// stretched to the control (keeping its proportions with Proportional).
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;
    String ClassName() const override { return "TImage"; }

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* v);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v);
    bool Center() const { return FCenter; }
    void SetCenter(bool v);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    // Where the picture is drawn, in client coordinates.
    TRect DestRect() const;

protected:
    void Paint() override;
    void PictureChanged();

private:
    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
    bool FAutoSize = false;
};
