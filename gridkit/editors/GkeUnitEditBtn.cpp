#include "gridkit/editors/GkeUnitEditBtn.h"

#include <algorithm>

#include "framework/classes/StringList.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Panel.h"
#include "framework/rtl/StrUtils.h"

TGkeUnitEditBtn::TGkeUnitEditBtn(TComponent* owner)
    : TGkeEditBtn(owner), FUnits(std::make_unique<TStringList>()) {
    SetRightAlign(true);
    FMenu = new TPopupMenu(this);
    FUnitShown = new TPanel(this);
    FUnitShown->SetBevelOuter(bvNone);
    FUnitShown->SetAlignment(taLeftJustify);
    FUnitShown->SetColor(clWindow);
    FUnitShown->SetParent(this);
    Resize();
}

void TGkeUnitEditBtn::Resize() {
    TGkeEditBtn::Resize();
    if (!FUnitShown) return;
    const int right = std::max(0, Width() - 16);
    FUnitShown->SetBounds(std::max(0, right - UnitSpace), 1, UnitSpace, std::max(1, Height() - 2));
}

TGkeUnitEditBtn::~TGkeUnitEditBtn() = default;

void TGkeUnitEditBtn::SetUnitID(const String& v) {
    if (v == FUnitID) return;
    FUnitID = v;
    if (FUnitShown) FUnitShown->SetCaption(Trim(v));  // the blank before a unit is kept, not shown
    Invalidate();
}

void TGkeUnitEditBtn::ClickBtn() {
    FMenu->Items()->Clear();
    for (int i = 0; i < FUnits->Count(); ++i) {
        auto* item = new TMenuItem(FMenu);
        const String unit = FUnits->Get(i);
        item->SetCaption(unit);
        item->OnClick = [this, unit](TObject*) { SetUnitID(unit); };
        FMenu->Items()->Add(item);
    }
    const TPoint p = ClientToScreen(TPoint{Width() - 15, Height()});
    FMenu->Popup(p.X, p.Y);
}
