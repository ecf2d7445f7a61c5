#pragma once
#include <vector>

#include "framework/classes/Component.h"
#include "framework/controls/Controls.h"

class TForm;
class TBitmap;

// The screen: its size, the forms that exist, the active one, and the
// cursors. Setting Cursor overrides every control's cursor until it is set
// back to crDefault (the hourglass over a long run).
class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* owner);
    ~TScreen() override;
    String ClassName() const override { return "TScreen"; }

    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor v);
    // Adds or replaces cursor number `index`: an image with its hot spot
    // (pixels of the bitmap's transparent colour are see-through when the
    // bitmap is Transparent), or one of the toolkit's shapes by number.
    void SetCursorImage(TCursor index, TBitmap* image, int hotX, int hotY);
    void SetCursorShape(TCursor index, int toolkitShape);
    // Whether the number names a built-in or registered cursor.
    bool HasCursor(TCursor index) const;

    int FormCount() const { return static_cast<int>(FForms.size()); }
    TForm* Forms(int index) const;
    TForm* ActiveForm() const { return FActiveForm; }
    TNotifyEvent OnActiveFormChange;

    int Width() const;
    int Height() const;
    int PixelsPerInch() const;
    // The desktop area not covered by panels.
    TRect WorkAreaRect() const;
    // Whether windows really show somewhere (not the off-screen platform
    // that builds and tests use).
    bool HasDisplay() const;
    // Saves what the screen shows in `area` as a PNG file.
    bool CaptureToFile(const TRect& area, const String& pngFile) const;
    // ... and into a bitmap of the area's size.
    bool Capture(const TRect& area, TBitmap* bitmap) const;

    // Framework-internal.
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);
    void FormActivated(TForm* form);

private:
    TCursor FCursor = crDefault;
    std::vector<TForm*> FForms;
    TForm* FActiveForm = nullptr;
};

extern TScreen* Screen;

// For tests: the screen's size and its work area as another display would
// give them (Width, Height and WorkAreaRect answer from these); empty
// rectangles give the real ones back.
void SetScreenAreaOverride(const TRect& screen, const TRect& workArea);
