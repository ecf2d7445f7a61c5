#pragma once
#include "framework/controls/WinControl.h"

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

// A scroll bar of its own. OnScroll sees each move and may change where it
// ends; OnChange follows every change of Position.
class TScrollBar : public TWinControl {
public:
    explicit TScrollBar(TComponent* owner);
    String ClassName() const override { return "TScrollBar"; }

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind v);
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    void SetParams(int position, int min, int max);
    void SetMin(int v) { SetParams(FPosition, v, std::max(v, FMax)); }
    void SetMax(int v) { SetParams(FPosition, std::min(FMin, v), v); }
    int Position() const { return FPosition; }
    void SetPosition(int v) { SetParams(v, FMin, FMax); }
    int SmallChange = 1;
    int LargeChange = 1;
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);
    // What a person scrolling does: OnScroll, then the move.
    void Scroll(TScrollCode code, int pos);

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget() override;
    void Push();

private:
    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0;
    bool FPushing = false;
};
