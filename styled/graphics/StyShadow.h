#pragma once
#include "framework/graphics/Color.h"
#include "styled/base/StyObject.h"
#include "styled/graphics/StyGraphTypes.h"

class TStyStoredProperties;

// The shadow a control casts: solid or traced, Depth pixels deep.
class TStyShadow : public TStyObject {
public:
    TStyShadow() = default;
    String ClassName() const override { return "TStyShadow"; }
    void Assign(TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TStyShadowDepth Depth() const { return FDepth; }
    void SetDepth(TStyShadowDepth Value);  // 0..40
    TStyShadowStyle Style() const { return FStyle; }
    void SetStyle(TStyShadowStyle Value);

    // The stored form: what differs from the defaults.
    void WriteStored(TStyStoredProperties& P) const;
    // Reads the stored form into a copy and assigns it: one change report,
    // and a bad line leaves this object as it was.
    void ReadStored(const TStyStoredProperties& P);

private:
    TColor FColor = clBtnShadow;
    TStyShadowDepth FDepth = 6;
    TStyShadowStyle FStyle = hssSolid;
};
