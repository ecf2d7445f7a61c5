#include "gridkit/grid/Bands.h"

void TBands::Changed(bool always) {
    if ((always || FActive) && OnChange) OnChange();
}

void TBands::SetActive(bool v) {
    if (v == FActive) return;
    FActive = v;
    Changed(true);
}

void TBands::SetPrimaryColor(TColor v) {
    if (v == FPrimaryColor) return;
    FPrimaryColor = v;
    Changed(false);
}

void TBands::SetSecondaryColor(TColor v) {
    if (v == FSecondaryColor) return;
    FSecondaryColor = v;
    Changed(false);
}

void TBands::SetPrimaryLength(int v) {
    if (v == FPrimaryLength) return;
    FPrimaryLength = v;
    FPeriod = FPrimaryLength + FSecondaryLength;
    Changed(false);
}

void TBands::SetSecondaryLength(int v) {
    if (v == FSecondaryLength) return;
    FSecondaryLength = v;
    FPeriod = FPrimaryLength + FSecondaryLength;
    Changed(false);
}

void TBands::Assign(TPersistent* source) {
    if (auto* s = dynamic_cast<TBands*>(source)) {
        FActive = s->FActive;
        FPrimaryColor = s->FPrimaryColor;
        FPrimaryLength = s->FPrimaryLength;
        FSecondaryColor = s->FSecondaryColor;
        FSecondaryLength = s->FSecondaryLength;
        FPeriod = s->FPeriod;
        Print = s->Print;
        Changed(true);
        return;
    }
    TPersistent::Assign(source);
}
