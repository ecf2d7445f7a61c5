#include "gridkit/grid/GridColumnItem.h"

#include "framework/classes/StringList.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"
#include "framework/rtl/StrUtils.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "gridkit/grid/GridColumnCollection.h"

TGridColumnItem::TGridColumnItem(TCollection* collection)
    : TCollectionItem(collection),
      FColor(clWindow),
      FFont(new TFont),
      FPrintFont(new TFont),
      FBorderPen(new TPen),
      FPrintBorderPen(new TPen),
      FComboItems(new TStringList) {
    if (TGkColumnGrid* g = Grid()) {
        FColor = g->Color();
        FFont->Assign(g->Font());
        FPrintFont->Assign(g->Font());
    }
    FBorderPen->SetWidth(1);
    FBorderPen->SetColor(static_cast<TColor>(12632256));
    FPrintBorderPen->SetWidth(1);
    FPrintBorderPen->SetColor(clBlack);
    FFont->OnChange = [this](TObject*) { Changed(false); };
    FBorderPen->OnChange = [this](TObject*) { Changed(false); };
}

TGridColumnItem::~TGridColumnItem() = default;

TGkColumnGrid* TGridColumnItem::Grid() const {
    auto* c = dynamic_cast<TGridColumnCollection*>(Collection());
    return c ? c->Grid() : nullptr;
}

String TGridColumnItem::DisplayName() const { return "Column " + IntToStr(Index()); }

void TGridColumnItem::SetColor(TColor v) {
    FColor = v;
    Changed(false);
}

void TGridColumnItem::SetWidth(int v) {
    FWidth = v;
    if (TGkColumnGrid* g = Grid()) g->SetColWidths(Index(), v);
}

void TGridColumnItem::SetAlignment(TAlignment v) {
    FAlignment = v;
    Changed(false);
}

void TGridColumnItem::SetHeader(const String& v) {
    FHeader = v;
    TGkColumnGrid* g = Grid();
    if (g && g->FixedRows() > 0) g->SetCells(Index(), 0, v);
    Changed(false);
}

void TGridColumnItem::SetFont(TFont* v) {
    FFont->Assign(v);
    Changed(false);
}

void TGridColumnItem::SetFixed(bool v) {
    FFixed = v;
    Changed(false);
}

void TGridColumnItem::SetComboItems(TStringList* v) { FComboItems->Assign(v); }

void TGridColumnItem::SetPassword(bool v) {
    FPassword = v;
    Changed(false);
}

void TGridColumnItem::SetPrintFont(TFont* v) { FPrintFont->Assign(v); }

void TGridColumnItem::SetBorders(TCellBorders v) {
    FBorders = v;
    Changed(false);
}

void TGridColumnItem::SetBorderPen(TPen* v) {
    FBorderPen->Assign(v);
    Changed(false);
}

void TGridColumnItem::SetPrintBorderPen(TPen* v) { FPrintBorderPen->Assign(v); }

void TGridColumnItem::Assign(TPersistent* source) {
    auto* s = dynamic_cast<TGridColumnItem*>(source);
    if (!s) {
        TCollectionItem::Assign(source);
        return;
    }
    FColor = s->FColor;
    FWidth = s->FWidth;
    FAlignment = s->FAlignment;
    FFont->Assign(s->FFont.get());
    SortStyle = s->SortStyle;
    SortPrefix = s->SortPrefix;
    SortSuffix = s->SortSuffix;
    Editor = s->Editor;
    FFixed = s->FFixed;
    ReadOnly = s->ReadOnly;
    FComboItems->Assign(s->FComboItems.get());
    SpinMin = s->SpinMin;
    SpinMax = s->SpinMax;
    SpinStep = s->SpinStep;
    FPassword = s->FPassword;
    FPrintFont->Assign(s->FPrintFont.get());
    PrintColor = s->PrintColor;
    EditMask = s->EditMask;
    EditLength = s->EditLength;
    FBorders = s->FBorders;
    FBorderPen->Assign(s->FBorderPen.get());
    PrintBorders = s->PrintBorders;
    FPrintBorderPen->Assign(s->FPrintBorderPen.get());
    Tag = s->Tag;
    SetHeader(s->FHeader);
}
