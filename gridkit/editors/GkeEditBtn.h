#pragma once
// An edit with a small button at its right edge; the button fires
// OnClickBtn.
#include "framework/controls/Edit.h"

class TBitmap;
class TGkeEditButton;

class TGkeEditBtn : public TEdit {
public:
    static constexpr int kButtonWidth = 15;  // the embedded button
    explicit TGkeEditBtn(TComponent* owner);
    String ClassName() const override { return "TGkeEditBtn"; }

    bool EditorEnabled = true;
    TBitmap* Glyph() const;
    void SetGlyph(TBitmap* v);
    String ButtonCaption() const;
    void SetButtonCaption(const String& v);
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool v);
    TGkeEditButton* Button() const { return FButton; }
    TNotifyEvent OnClickBtn;

    virtual void ClickBtn();

protected:
    void Resize() override;
    void WndProc(TMessage& message) override;
    void KeyPress(char& key) override;
    // Pixels kept free right of the text for what a descendant paints.
    virtual int ReservedSpace() const { return 0; }
    void ApplyTextMargins();

private:
    TGkeEditButton* FButton = nullptr;
    bool FRightAlign = false;
};
