#pragma once
// An edit with button for a number and its unit: the unit is shown right
// of the number and the button offers the units to choose from.
#include <memory>

#include "gridkit/editors/GkeEditBtn.h"

class TStringList;
class TPopupMenu;
class TPanel;

class TGkeUnitEditBtn : public TGkeEditBtn {
public:
    explicit TGkeUnitEditBtn(TComponent* owner);
    ~TGkeUnitEditBtn() override;
    String ClassName() const override { return "TGkeUnitEditBtn"; }

    TStringList* Units() const { return FUnits.get(); }
    const String& UnitID() const { return FUnitID; }
    void SetUnitID(const String& v);
    int UnitSpace = 20;
    // The menu the button opens, rebuilt from Units on each click.
    TPopupMenu* UnitMenu() const { return FMenu; }

    void ClickBtn() override;

protected:
    int ReservedSpace() const override { return UnitSpace; }
    void Resize() override;

private:
    std::unique_ptr<TStringList> FUnits;
    String FUnitID;
    TPopupMenu* FMenu = nullptr;
    TPanel* FUnitShown = nullptr;  // shows UnitID right of the number
};
