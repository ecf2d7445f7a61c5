#include "styled/graphics/StyFxCaption.h"

#include "styled/graphics/StyStoredProperties.h"

void TStyFxCaption::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (auto* s = dynamic_cast<TStyFxCaption*>(Source)) {
        CopyFrom(*s);
        FPos[0] = s->FPos[0];
        FPos[1] = s->FPos[1];
        FAngle = s->FAngle;
        Change();
        return;
    }
    TSty3DCaption::Assign(Source);
}

void TStyFxCaption::SetAngle(TStyAngle Value) {
    if (Value >= 360) Value = Value % 360;
    if (Value == FAngle) return;
    FAngle = Value;
    Change();
}

void TStyFxCaption::SetPosIndex(int Index, Word Value) {
    if (FPos[Index] == Value) return;
    FPos[Index] = Value;
    Change();
}

void TStyFxCaption::SetPos(Word X, Word Y) {
    // Inside a batch the caller's batch stays open.
    const bool batch = Updating();
    BeginUpdate();
    SetPosX(X);
    SetPosY(Y);
    if (!batch) EndUpdate(false);
}

void TStyFxCaption::WriteStored(TStyStoredProperties& P) const {
    TSty3DCaption::WriteStored(P);
    if (FAngle != 0) P.WriteInteger("Angle", FAngle);
    if (FPos[0] != 0) P.WriteInteger("PosX", FPos[0]);
    if (FPos[1] != 0) P.WriteInteger("PosY", FPos[1]);
}

void TStyFxCaption::ReadStored(const TStyStoredProperties& P) {
    TStyFxCaption t;
    t.LoadStored(P);
    t.FAngle = TStyAngle(P.ReadInteger("Angle", t.FAngle, 0, 360) % 360);
    t.FPos[0] = Word(P.ReadInteger("PosX", t.FPos[0], 0, 0xFFFF));
    t.FPos[1] = Word(P.ReadInteger("PosY", t.FPos[1], 0, 0xFFFF));
    Assign(&t);
}
