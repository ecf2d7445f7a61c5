#pragma once
// Alternating row colours of a grid's normal rows.
#include <functional>

#include "framework/classes/Persistent.h"
#include "framework/graphics/Color.h"

class TBands : public TPersistent {
public:
    String ClassName() const override { return "TBands"; }
    void Assign(TPersistent* source) override;

    bool Active() const { return FActive; }
    void SetActive(bool v);
    TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(TColor v);
    int PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(int v);
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor v);
    int SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(int v);
    int Period() const { return FPeriod; }
    bool Print = false;

    std::function<void()> OnChange;  // the grid repaints

private:
    void Changed(bool always);
    bool FActive = false;
    TColor FPrimaryColor = clInfoBk;
    int FPrimaryLength = 1;
    TColor FSecondaryColor = clWindow;
    int FSecondaryLength = 1;
    int FPeriod = 2;
};
