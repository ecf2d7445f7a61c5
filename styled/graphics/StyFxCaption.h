#pragma once
#include "styled/graphics/Sty3DCaption.h"

// A caption that can also be turned (Angle, degrees counter-clockwise) and
// placed at (PosX, PosY) inside its rectangle.
class TStyFxCaption : public TSty3DCaption {
public:
    TStyFxCaption() = default;
    String ClassName() const override { return "TStyFxCaption"; }
    // A plain caption as the source copies only what it has.
    void Assign(TPersistent* Source) override;

    TStyAngle Angle() const { return FAngle; }
    void SetAngle(TStyAngle Value);  // 360 is stored as 0
    Word PosX() const { return FPos[0]; }
    void SetPosX(Word Value) { SetPosIndex(0, Value); }
    Word PosY() const { return FPos[1]; }
    void SetPosY(Word Value) { SetPosIndex(1, Value); }
    // Moves the caption without reporting a change.
    void SetPos(Word X, Word Y);

    void WriteStored(TStyStoredProperties& P) const override;
    void ReadStored(const TStyStoredProperties& P) override;

private:
    void SetPosIndex(int Index, Word Value);

    TStyAngle FAngle = 0;
    Word FPos[2] = {0, 0};
};
