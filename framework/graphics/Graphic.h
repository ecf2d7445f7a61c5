#pragma once
#include "framework/classes/Persistent.h"
#include "framework/rtl/Exception.h"

class TCanvas;
class TStream;

VELMOR_EXCEPTION(EInvalidGraphic, Exception)
VELMOR_EXCEPTION(EInvalidGraphicOperation, Exception)

// An image that can draw itself into a rectangle of a canvas and read and
// write its own file format.
class TGraphic : public TPersistent {
    friend class TCanvas;

public:
    TGraphic() = default;
    String ClassName() const override { return "TGraphic"; }

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int v) = 0;
    virtual void SetHeight(int v) = 0;
    virtual bool Empty() const = 0;
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool v);
    bool Modified() const { return FModified; }
    void SetModified(bool v);

    virtual void LoadFromStream(TStream* stream) = 0;
    virtual void SaveToStream(TStream* stream) = 0;
    // EFOpenError / EFCreateError for the file, EInvalidGraphic for its
    // contents.
    virtual void LoadFromFile(const String& fileName);
    virtual void SaveToFile(const String& fileName);

    TNotifyEvent OnChange;

protected:
    // Paints the whole image scaled into rect.
    virtual void Draw(TCanvas* canvas, const TRect& rect) = 0;
    virtual void Changed();

    bool FTransparent = false;
    bool FModified = false;
};
