#pragma once
#include <vector>

#include "framework/classes/Component.h"
#include "framework/graphics/Color.h"
#include "toolbars/TbTypes.h"

class TControl;

// Setting numbers, as UpdateControl takes them.
enum : int {
    fcsAll = 0,
    fcsColor = 1,
    fcsFlatButtons = 2,
    fcsFrameColor = 3,
    fcsFrameFlat = 4,
    fcsFrameFlatStyle = 5,
    fcsFrameFocusStyle = 6,
    fcsFrameSides = 7,
    fcsFrameStyle = 8,
    fcsFrameVisible = 9,
};

// One set of frame settings pushed into every registered control that
// takes them (see TTbFrameControllable), so a window's edits look alike.
class TTbFrameController : public TComponent {
public:
    explicit TTbFrameController(TComponent* owner);
    ~TTbFrameController() override;
    String ClassName() const override { return "TTbFrameController"; }

    TColor Color() const { return FColor; }
    virtual void SetColor(TColor v);
    bool FlatButtons() const { return FFlatButtons; }
    virtual void SetFlatButtons(bool v);
    TColor FrameColor() const { return FFrameColor; }
    virtual void SetFrameColor(TColor v);
    bool FrameFlat() const { return FFrameFlat; }
    virtual void SetFrameFlat(bool v);
    TFrameStyle FrameFlatStyle() const { return FFrameFlatStyle; }
    virtual void SetFrameFlatStyle(TFrameStyle v);
    TFrameStyle FrameFocusStyle() const { return FFrameFocusStyle; }
    virtual void SetFrameFocusStyle(TFrameStyle v);
    TSides FrameSides() const { return FFrameSides; }
    virtual void SetFrameSides(TSides v);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    virtual void SetFrameStyle(TFrameStyle v);
    bool FrameVisible() const { return FFrameVisible; }
    virtual void SetFrameVisible(bool v);

    // Registers once and applies every setting at once.
    void AddControl(TControl* control);
    void RemoveControl(TControl* control);
    int ControlCount() const { return static_cast<int>(FControls.size()); }

    // Propagation waits while updates are open.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    virtual void UpdateControl(TControl* control, int setting);
    virtual void UpdateControls(int setting);

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::vector<TControl*> FControls;
    int FUpdateCount = 0;
    TColor FColor = clWindow;
    bool FFlatButtons = true;
    TColor FFrameColor = clBtnShadow;
    bool FFrameFlat = false;
    TFrameStyle FFrameFlatStyle = TFrameStyle::fsStatus;
    TFrameStyle FFrameFocusStyle = TFrameStyle::fsLowered;
    TSides FFrameSides = AllSides;
    TFrameStyle FFrameStyle = TFrameStyle::fsFlat;
    bool FFrameVisible = false;
};
