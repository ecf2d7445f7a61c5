#pragma once
#include <memory>

#include "styled/base/StyObject.h"
#include "styled/graphics/StyGraphTypes.h"

class TBitmap;
class TGraphic;
class TStyGradient;
class TStyPalette;
class TStyStoredProperties;

// How a shape is filled: by brush, a bitmap (placed by TileMode), a bitmap
// the owning control picks from a list, or a gradient.
class TStyShapeFill : public TStyObject {
public:
    TStyShapeFill();
    ~TStyShapeFill() override;
    String ClassName() const override { return "TStyShapeFill"; }
    void Assign(TPersistent* Source) override;

    // Setting copies into the owned bitmap; it is never replaced.
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(TGraphic* Value);
    TStyFillStyle Style() const { return FStyle; }
    virtual void SetStyle(TStyFillStyle Value);
    TStyGradient* Gradient() const { return FGradient.get(); }
    void SetGradient(TStyGradient* Value);
    TStyTileMode TileMode() const { return FTileMode; }
    virtual void SetTileMode(TStyTileMode Value);

    // What sfBitmapList paints; the owner fills it. Its changes are not
    // reported.
    TBitmap* ListBitmap() const { return FListBitmap.get(); }
    void SetListBitmap(TGraphic* Value);

    // True when the style paints nothing: sfNone, or a bitmap style whose
    // bitmap is empty.
    bool IsEmpty() const;
    const TStyPalette* Palette() const;

    // The stored form: Style always, the rest where it differs from the
    // defaults (a bitmap when it holds an image).
    virtual void WriteStored(TStyStoredProperties& P) const;
    // Reads the stored form into a copy and assigns it: one change report,
    // and a bad line leaves this object as it was.
    virtual void ReadStored(const TStyStoredProperties& P);

protected:
    void LoadStored(const TStyStoredProperties& P);

    std::unique_ptr<TBitmap> FBitmap;
    std::unique_ptr<TBitmap> FListBitmap;
    std::unique_ptr<TStyGradient> FGradient;
    TStyFillStyle FStyle = sfBrush;
    TStyTileMode FTileMode = tmTile;
};
