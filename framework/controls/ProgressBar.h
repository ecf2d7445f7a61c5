#pragma once
#include "framework/controls/WinControl.h"

enum TProgressBarOrientation { pbHorizontal, pbVertical };

// Shows how far a long run has come, from Min to Max.
class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* owner);
    String ClassName() const override { return "TProgressBar"; }

    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position() const { return FPosition; }
    void SetPosition(int v);  // kept within Min..Max
    int Step = 10;
    void StepIt();            // wraps to Min past Max, as the classic bar does
    void StepBy(int delta);
    bool Smooth = false;
    TProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TProgressBarOrientation v);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget() override;
    void Push();

private:
    int FMin = 0, FMax = 100, FPosition = 0;
    TProgressBarOrientation FOrientation = pbHorizontal;
};
