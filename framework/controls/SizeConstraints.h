#pragma once
#include "framework/classes/Persistent.h"

class TControl;

// Smallest and largest size a control accepts; 0 means no limit. The
// control applies them whenever its size is set, by code or by alignment.
class TSizeConstraints : public TPersistent {
public:
    explicit TSizeConstraints(TControl* control) : FControl(control) {}
    String ClassName() const override { return "TSizeConstraints"; }
    void Assign(TPersistent* source) override;

    int MinWidth() const { return FMinWidth; }
    int MaxWidth() const { return FMaxWidth; }
    int MinHeight() const { return FMinHeight; }
    int MaxHeight() const { return FMaxHeight; }
    void SetMinWidth(int v);
    void SetMaxWidth(int v);
    void SetMinHeight(int v);
    void SetMaxHeight(int v);

    // Clamps a proposed size.
    void Apply(int& width, int& height) const;

    TControl* Control() const { return FControl; }
    TNotifyEvent OnChange;

private:
    void Changed();
    TControl* FControl;
    int FMinWidth = 0;
    int FMaxWidth = 0;
    int FMinHeight = 0;
    int FMaxHeight = 0;
};
