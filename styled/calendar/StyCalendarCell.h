#pragma once
#include <memory>

#include "styled/base/StyObject.h"
#include "styled/graphics/StyGraphTypes.h"

class TCanvas;
class TFont;
class TSty3DCaption;
class TStyBevel;
class TStyFillObject;

// The look of one kind of calendar cell: days, the selected day, captions,
// the header strip.
class TStyCalendarCell : public TStyObject {
public:
    TStyCalendarCell();
    ~TStyCalendarCell() override;
    String ClassName() const override { return "TStyCalendarCell"; }
    void Assign(TPersistent* Source) override;

    TFont* Font() const { return FFont.get(); }
    TSty3DCaption* Font3D() const { return FFont3D.get(); }
    TStyBevel* Bevel() const { return FBevel.get(); }
    TStyFillObject* FillObject() const { return FFillObject.get(); }
    const String& Mask() const { return FMask; }
    void SetMask(const String& Value);
    TStyAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TStyAlignment Value);

    // Fills, frames and writes Text (through the mask) into R; the text of
    // a disabled control takes the caption's disabled look.
    void Draw(TCanvas* Canvas, const TRect& R, const String& Text, TColor BackColor, bool Enabled = true);

private:
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TSty3DCaption> FFont3D;
    std::unique_ptr<TStyBevel> FBevel;
    std::unique_ptr<TStyFillObject> FFillObject;
    String FMask;
    TStyAlignment FAlignment = agCenter;
};

// The first 'd' of Mask that does not follow a '/' becomes Text; without
// one the mask's last character does. An empty mask is "d".
String ApplyCellMask(const String& Mask, const String& Text);
