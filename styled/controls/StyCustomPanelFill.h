#pragma once
#include <memory>

#include "styled/controls/StyCustomParentPanel.h"
#include "styled/graphics/StyGraphTypes.h"

class TSty3DCaption;
class TStyFillObject;

// A panel filled by a fill object (brush, bitmap, picture from a list or
// gradient), with a caption drawn in three-dimensional style.
class TStyCustomPanelFill : public TStyCustomParentPanel {
public:
    explicit TStyCustomPanelFill(TComponent* AOwner);
    ~TStyCustomPanelFill() override;
    String ClassName() const override { return "TStyCustomPanelFill"; }

    TStyFillObject* FillObject() const { return FFillObject.get(); }
    void SetFillObject(TStyFillObject* Value);
    TSty3DCaption* CaptionAttr() const { return FCaption.get(); }
    void SetCaptionAttr(TSty3DCaption* Value);
    TStyAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TStyAlignment Value);

    void PictureChanged() override;

protected:
    void Paint() override;
    void RebuildBackground() override;
    void BevelChanged(TObject* Sender) override;
    void FontChanged() override;
    void TextChanged() override;
    void FillChanged(TObject* Sender);

private:
    std::unique_ptr<TStyFillObject> FFillObject;
    std::unique_ptr<TSty3DCaption> FCaption;
    TStyAlignment FAlignment = agCenter;
};
