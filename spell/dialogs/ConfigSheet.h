#pragma once
// A page of the configuration dialog: its controls sit on a panel that
// fills the page, and are placed again whenever the panel changes size.
#include "framework/controls/TabSheet.h"

class TPageControl;
class TPanel;
class TForm;

class TConfigSheet : public TTabSheet {
public:
    TConfigSheet(TComponent* owner, TPageControl* pageControl);
    ~TConfigSheet() override;
    String ClassName() const override { return "TConfigSheet"; }

    virtual void ArrangeControls() {}
    virtual void AttachToPageControl();
    // The text's width on the owning form; maxWidth takes the larger.
    virtual void MeasureCaption(const String& text, int& maxWidth, String& caption);

    TPageControl* OwnerPageControl = nullptr;
    TForm* OwnerForm = nullptr;
    TPanel* Panel = nullptr;

protected:
    bool FAlive = true;
};
