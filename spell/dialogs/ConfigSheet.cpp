#include "spell/dialogs/ConfigSheet.h"

#include <algorithm>

#include "framework/controls/Form.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/Panel.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

TConfigSheet::TConfigSheet(TComponent* owner, TPageControl* pageControl)
    : TTabSheet(owner), OwnerPageControl(pageControl), OwnerForm(dynamic_cast<TForm*>(owner)) {
    Panel = new TPanel(this);
    Panel->SetParent(this);
    Panel->SetBevelOuter(bvNone);
    Panel->SetBevelInner(bvNone);
    Panel->SetCaption(String());
    Panel->SetAlign(alClient);
    Panel->OnResize = [this](TObject*) {
        if (FAlive) ArrangeControls();
    };
}

TConfigSheet::~TConfigSheet() { FAlive = false; }

void TConfigSheet::AttachToPageControl() { SetPageControl(OwnerPageControl); }

void TConfigSheet::MeasureCaption(const String& text, int& maxWidth, String& caption) {
    TBitmap bitmap;
    bitmap.SetSize(1, 1);
    if (OwnerForm) bitmap.Canvas()->SetFont(OwnerForm->Font());
    maxWidth = std::max(maxWidth, bitmap.Canvas()->TextWidth(text));
    caption = text;
}
