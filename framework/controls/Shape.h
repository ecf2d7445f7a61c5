#pragma once
#include <memory>

#include "framework/controls/GraphicControl.h"

class TPen;
class TBrush;

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// A rectangle, square, rounded one, ellipse or circle drawn with Pen and
// Brush; the square kinds and the circle use the smaller side, centred.
class TShape : public TGraphicControl {
public:
    explicit TShape(TComponent* owner);
    ~TShape() override;
    String ClassName() const override { return "TShape"; }

    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType v);
    TPen* Pen() const { return FPen.get(); }
    TBrush* Brush() const { return FBrush.get(); }

protected:
    void Paint() override;

private:
    TShapeType FShape = stRectangle;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
};
