#pragma once
#include <memory>

#include "framework/controls/SpeedButton.h"

class TBitmap;

// A flat glyph button for toolbars. While the mouse is over it, it can
// show a second ("hot") glyph; its caption can be hidden without losing
// it.
class TTbToolbarButton : public TSpeedButton {
public:
    explicit TTbToolbarButton(TComponent* owner);
    ~TTbToolbarButton() override;
    String ClassName() const override { return "TTbToolbarButton"; }

    TBitmap* HotGlyph() const { return FHotGlyph.get(); }
    // Takes a copy and switches UseHotGlyph on.
    virtual void SetHotGlyph(TBitmap* v);
    int HotNumGlyphs() const { return FHotNumGlyphs; }
    // Held to 1..4, as many images as a glyph strip has.
    virtual void SetHotNumGlyphs(int v);
    bool UseHotGlyph() const { return FUseHotGlyph; }
    void SetUseHotGlyph(bool v);
    bool IgnoreActionCaption = false;

    // The displayed caption; with ShowCaption off, setting it only moves
    // what is displayed (nothing) into the saved caption.
    virtual String Caption() const { return GetText(); }
    virtual void SetCaption(const String& v);
    bool ShowCaption() const { return FShowCaption; }
    virtual void SetShowCaption(bool v);
    // The caption set aside while ShowCaption is off ("SaveCaption");
    // stored only then.
    const String& SaveCaption() const { return FSaveCaption; }
    void SetSaveCaption(const String& v) { FSaveCaption = v; }
    bool StoresSaveCaption() const { return !FShowCaption; }

    // Whether the hot glyph is what paints now.
    bool HotGlyphShown() const;
    bool MouseInside() const { return FMouseInside; }

    // A disabled button (or one on a disabled bar) ignores clicks.
    void Click() override;

protected:
    // Takes the action's image as the glyph and its Checked as Down; with
    // IgnoreActionCaption the button keeps its own caption.
    void ActionChange(TObject* sender, bool checkDefaults) override;
    std::unique_ptr<TControlActionLink> CreateActionLink() override;
    void Paint() override;
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void HotGlyphChanged();

    std::unique_ptr<TBitmap> FHotGlyph;
    int FHotNumGlyphs = 1;
    bool FUseHotGlyph = false;
    bool FShowCaption = true;
    String FSaveCaption;
    bool FMouseInside = false;
    bool FPressed = false;
};
