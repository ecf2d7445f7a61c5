#pragma once
#include "framework/controls/CustomControl.h"

enum TUDBtnType { btNext, btPrev };
enum TUDAlignButton { udLeft, udRight };
using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// Two arrow buttons that step Position between Min and Max. With an
// Associate (a buddy edit) the buddy shows the position, and a number
// typed into it becomes the position.
class TUpDown : public TCustomControl {
public:
    explicit TUpDown(TComponent* owner);
    ~TUpDown() override;
    String ClassName() const override { return "TUpDown"; }

    TWinControl* Associate() const { return FAssociate; }
    void SetAssociate(TWinControl* v);
    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position() const { return FPosition; }
    void SetPosition(int v);
    int Increment = 1;
    bool Wrap = false;
    bool Thousands = false;
    TUDAlignButton AlignButton = udRight;

    // Steps as a click on an arrow does.
    void Step(TUDBtnType button);

    TUDClickEvent OnClick;  // which arrow was clicked
    TUDChangingEvent OnChanging;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent* component, TOperation operation) override;
    void UpdateBuddy();
    void BuddyTextChanged();

private:
    void Unhook();
    TWinControl* FAssociate = nullptr;
    TWndMethod FOldBuddyProc;
    int FMin = 0, FMax = 100, FPosition = 0;
    bool FWritingBuddy = false;
};
