#include "gridkit/grid/CellNode.h"

#include "framework/graphics/Bitmap.h"

TCellNode::TCellNode() : FExpandGlyph(new TBitmap), FContractGlyph(new TBitmap) {}
TCellNode::~TCellNode() = default;

void TCellNode::SetNodeType(TNodeType v) {
    if (v == FNodeType) return;
    FNodeType = v;
    if (OnChange) OnChange();
}

void TCellNode::SetExpandGlyph(TBitmap* v) { FExpandGlyph->Assign(v); }
void TCellNode::SetContractGlyph(TBitmap* v) { FContractGlyph->Assign(v); }
