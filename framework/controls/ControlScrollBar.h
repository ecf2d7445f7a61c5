#pragma once
#include "framework/classes/Persistent.h"

class TScrollBox;

// One of the two scroll bars of a scroll box. Range 0 follows the
// controls on the box; a larger Range makes room for more.
class TControlScrollBar : public TPersistent {
public:
    TControlScrollBar(TScrollBox* owner, bool vertical) : FOwner(owner), FVertical(vertical) {}
    String ClassName() const override { return "TControlScrollBar"; }

    int Position() const;
    void SetPosition(int v);
    int Range() const { return FRange; }
    void SetRange(int v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    int Increment = 8;
    // Whether the bar shows now (it is Visible and there is more to see).
    bool IsScrollBarVisible() const;

private:
    TScrollBox* FOwner;
    bool FVertical;
    int FRange = 0;
    bool FVisible = true;
};
