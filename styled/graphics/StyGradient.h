#pragma once
#include <memory>

#include "framework/graphics/Color.h"
#include "styled/base/StyObject.h"
#include "styled/graphics/StyGraphTypes.h"

class TStyPalette;
class TStyStoredProperties;

// A banded gradient: ColorCount steps from Color to EndColor in one of
// eight shapes. The colour table (and, with PaletteRealize, a palette of
// it) is rebuilt on every change.
class TStyGradient : public TStyObject {
public:
    TStyGradient();
    ~TStyGradient() override;
    String ClassName() const override { return "TStyGradient"; }
    void Assign(TPersistent* Source) override;
    void Change() override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TStyColorCount ColorCount() const { return FColorCount; }
    void SetColorCount(TStyColorCount Value);  // 2..236
    TStyGradientStyle Style() const { return FStyle; }
    void SetStyle(TStyGradientStyle Value);
    TColor EndColor() const { return FEndColor; }
    void SetEndColor(TColor Value);
    bool PaletteRealize() const { return FPaletteRealize; }
    void SetPaletteRealize(bool Value);

    const TStyColorTable& Colors() const { return FColors; }
    // nullptr unless PaletteRealize.
    const TStyPalette* Palette() const { return FPalette.get(); }

    // The stored form: what differs from the defaults.
    void WriteStored(TStyStoredProperties& P) const;
    // Reads the stored form into a copy and assigns it: one change report,
    // and a bad line leaves this object as it was.
    void ReadStored(const TStyStoredProperties& P);

private:
    void Rebuild();

    TColor FColor = clBlue;
    TStyColorCount FColorCount = 16;
    TStyGradientStyle FStyle = gstVertical;
    TColor FEndColor = clBlack;
    bool FPaletteRealize = false;
    TStyColorTable FColors;
    std::unique_ptr<TStyPalette> FPalette;
};
