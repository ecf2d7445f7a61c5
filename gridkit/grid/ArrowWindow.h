#pragma once
// The small green arrow shown where a moved row or column will land.
#include <vector>

#include "framework/controls/Panel.h"

class TArrowWindow : public TPanel {
public:
    TArrowWindow(TComponent* owner, unsigned char direction);
    String ClassName() const override { return "TArrowWindow"; }
    unsigned char Direction() const { return FDirection; }
    // The outline of the arrow: 0 up, 1 down, 2 right, 3 left.
    static std::vector<TPoint> Outline(unsigned char direction);

protected:
    void WidgetCreated() override;

private:
    unsigned char FDirection;
};
