#include "gridkit/editors/GridSpin.h"

#include "gridkit/grid/GkStringGrid.h"

TGridSpin::TGridSpin(TComponent* owner, TGkStringGrid* grid) : TGkeSpinEdit(owner), FGrid(grid) {
    MaxValue = 100;
    MinValue = 0;
    Increment = 1;
    SetVisible(false);
    SetEnabled(false);
    SetTabStop(false);
}

void TGridSpin::KeyDown(Word& key, TShiftState shift) {
    const bool stepKey = key == VK_PRIOR || key == VK_NEXT || key == VK_HOME || key == VK_END;
    if (stepKey && (SpinType() == sptNormal || SpinType() == sptFloat)) {
        const bool isFloat = SpinType() == sptFloat;
        switch (key) {
        case VK_PRIOR:
            if (isFloat ? FloatValue() + IncrementFloat <= MaxFloatValue : Value() + Increment <= MaxValue)
                isFloat ? SetFloatValue(FloatValue() + IncrementFloat) : SetValue(Value() + Increment);
            break;
        case VK_NEXT:
            if (isFloat ? FloatValue() - IncrementFloat >= MinFloatValue : Value() - Increment >= MinValue)
                isFloat ? SetFloatValue(FloatValue() - IncrementFloat) : SetValue(Value() - Increment);
            break;
        case VK_END: isFloat ? SetFloatValue(MinFloatValue) : SetValue(MinValue); break;
        case VK_HOME: isFloat ? SetFloatValue(MaxFloatValue) : SetValue(MaxValue); break;
        default: break;
        }
        if (FGrid->OnSpinClick)
            FGrid->OnSpinClick(FGrid, FGrid->RealColIndex(FGrid->Col()), FGrid->Row(), Value(),
                               key == VK_PRIOR || key == VK_HOME);
        key = 0;
        return;
    }
    if (FGrid->EditorClosingKey(this, key, shift)) {
        key = 0;
        return;
    }
    TGkeSpinEdit::KeyDown(key, shift);
}

void TGridSpin::KeyPress(char& key) {
    if (key == '\r') {
        key = 0;
        return;
    }
    TGkeSpinEdit::KeyPress(key);
}

void TGridSpin::DoExit() {
    TGkeSpinEdit::DoExit();
    FGrid->EditorFocusLost(this);
}

namespace {
void FireSpin(TGkStringGrid* g, TGridSpin* s, bool up) {
    const int c = g->RealColIndex(g->Col()), r = g->Row();
    switch (s->SpinType()) {
    case sptNormal:
        if (g->OnSpinClick) g->OnSpinClick(g, c, r, s->Value(), up);
        break;
    case sptFloat:
        if (g->OnFloatSpinClick) g->OnFloatSpinClick(g, c, r, s->FloatValue(), up);
        break;
    case sptDate:
        if (g->OnDateSpinClick) g->OnDateSpinClick(g, c, r, s->DateValue(), up);
        break;
    case sptTime:
        if (g->OnTimeSpinClick) g->OnTimeSpinClick(g, c, r, s->TimeValue(), up);
        break;
    }
}
}  // namespace

void TGridSpin::UpClick(TObject* sender) {
    TGkeSpinEdit::UpClick(sender);
    FireSpin(FGrid, this, true);
}

void TGridSpin::DownClick(TObject* sender) {
    TGkeSpinEdit::DownClick(sender);
    FireSpin(FGrid, this, false);
}
