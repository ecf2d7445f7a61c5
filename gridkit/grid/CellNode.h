#pragma once
// The look of node rows. Stored settings: no cell of the program is a node.
#include <functional>
#include <memory>

#include "framework/classes/Persistent.h"
#include "framework/graphics/Color.h"
#include "gridkit/grid/GkTypes.h"

class TBitmap;

class TCellNode : public TPersistent {
public:
    TCellNode();
    ~TCellNode() override;
    String ClassName() const override { return "TCellNode"; }

    TColor Color = clSilver;
    TColor NodeColor = clBlack;
    TNodeType NodeType() const { return FNodeType; }
    void SetNodeType(TNodeType v);
    TBitmap* ExpandGlyph() const { return FExpandGlyph.get(); }
    void SetExpandGlyph(TBitmap* v);
    TBitmap* ContractGlyph() const { return FContractGlyph.get(); }
    void SetContractGlyph(TBitmap* v);

    std::function<void()> OnChange;

private:
    TNodeType FNodeType = cnFlat;
    std::unique_ptr<TBitmap> FExpandGlyph, FContractGlyph;
};
