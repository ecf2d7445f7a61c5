#pragma once
#include "framework/classes/Persistent.h"
#include "framework/controls/StdCtrlsTypes.h"

class TStatusBar;

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

// One panel of a status bar. The last panel takes the rest of the bar.
class TStatusPanel : public TPersistent {
public:
    explicit TStatusPanel(TStatusBar* owner) : FOwner(owner) {}
    String ClassName() const override { return "TStatusPanel"; }

    const String& Text() const { return FText; }
    void SetText(const String& v);
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel v);

private:
    void Changed();
    TStatusBar* FOwner;
    String FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelBevel FBevel = pbLowered;
};
