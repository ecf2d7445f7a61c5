#pragma once
#include <functional>

#include "framework/controls/Memo.h"
#include "toolbars/TbFrameControllable.h"
#include "toolbars/TbTypes.h"

class TCanvas;
class TTbFrameController;

using TTbLineColChangeEvent = std::function<void(TObject* Sender, int Line, int Column)>;
using TTbClipboardChangeEvent = std::function<void(TObject* Sender, bool HasSelection, bool CanPaste)>;

// The memo with a frame in one of the library's styles that can change
// with the focus and the mouse (the flat look), the caret's line and
// column as properties, caret and clipboard events, Enter as Tab and wheel
// scrolling by lines. A frame controller may set its frame.
class TTbMemo : public TMemo, public TTbFrameControllable {
public:
    explicit TTbMemo(TComponent* owner);
    ~TTbMemo() override;
    String ClassName() const override { return "TTbMemo"; }

    bool FrameVisible() const { return FFrameVisible; }
    virtual void SetFrameVisible(bool v);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    virtual void SetFrameStyle(TFrameStyle v);
    TColor FrameColor() const { return FFrameColor; }
    virtual void SetFrameColor(TColor v);
    TSides FrameSides() const { return FFrameSides; }
    virtual void SetFrameSides(TSides v);
    bool FrameFlat() const { return FFrameFlat; }
    virtual void SetFrameFlat(bool v);
    TFrameStyle FrameFlatStyle() const { return FFrameFlatStyle; }
    virtual void SetFrameFlatStyle(TFrameStyle v);
    TFrameStyle FrameFocusStyle() const { return FFrameFocusStyle; }
    virtual void SetFrameFocusStyle(TFrameStyle v);
    TTbFrameController* FrameController() const { return FFrameController; }
    virtual void SetFrameController(TTbFrameController* v);
    bool UseFrameController() const override { return FUseFrameController; }
    void SetUseFrameController(bool v) { FUseFrameController = v; }
    bool TabOnEnter = false;
    // With a controller the frame settings are its to keep.
    bool StoresFrameProperties() const { return FFrameController == nullptr; }

    // Caret line and column, counted from 1.
    virtual int GetLine() const;
    virtual void SetLine(int line);
    virtual int GetColumn() const;
    virtual void SetColumn(int column);

    // Draws the frame as it shows round the text, on a canvas of the
    // memo's size: a two-pixel band in Color, then the frame style.
    void PaintFrame(TCanvas* canvas) const;

    void ApplyFrameSetting(int setting, const TTbFrameController& controller) override;
    void Click() override;

    TTbLineColChangeEvent OnLineColChange;
    TTbClipboardChangeEvent OnClipboardChange;

protected:
    virtual void UpdateFrame(bool viaMouse, bool inside);
    virtual void RepaintFrame();
    void Change() override;
    void DoEnter() override;
    void DoExit() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyUp(Word& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, const TPoint& mousePos) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Resize() override;
    void ColorChanged() override;
    void WidgetCreated() override;
    // The frame takes a border round the text, painted by PaintFrame.
    int NonClientWidth() const override { return FFrameVisible ? 2 : 0; }
    void PaintNonClient(TCanvas* canvas) override { PaintFrame(canvas); }

private:
    void ReportCaret();
    void ReportClipboard();
    void FocusNextControl();

    bool FFrameVisible = false;
    TFrameStyle FFrameStyle = TFrameStyle::fsFlat;
    TColor FFrameColor = clBtnShadow;
    TSides FFrameSides = AllSides;
    bool FFrameFlat = false;
    TFrameStyle FFrameFlatStyle = TFrameStyle::fsStatus;
    TFrameStyle FFrameFocusStyle = TFrameStyle::fsLowered;
    TTbFrameController* FFrameController = nullptr;
    bool FUseFrameController = true;
    bool FMouseInside = false;
    bool FHasFocus = false;
};
