#pragma once
// The settings of one column of a column grid: how its cells look, sort,
// edit and answer the grid's per-cell questions.
#include <memory>

#include "framework/classes/Collection.h"
#include "framework/graphics/Color.h"
#include "gridkit/grid/GkTypes.h"

class TFont;
class TPen;
class TStringList;
class TGkColumnGrid;

class TGridColumnItem : public TCollectionItem {
public:
    explicit TGridColumnItem(TCollection* collection);
    ~TGridColumnItem() override;
    String ClassName() const override { return "TGridColumnItem"; }
    String DisplayName() const override;
    void Assign(TPersistent* source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    const String& Header() const { return FHeader; }
    void SetHeader(const String& v);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v);
    TSortStyle SortStyle = ssAutomatic;
    String SortPrefix;
    String SortSuffix;
    TEditorType Editor = edNormal;
    bool Fixed() const { return FFixed; }
    void SetFixed(bool v);
    bool ReadOnly = false;
    TStringList* ComboItems() const { return FComboItems.get(); }
    void SetComboItems(TStringList* v);
    int SpinMin = 0;
    int SpinMax = 0;
    int SpinStep = 0;
    bool Password() const { return FPassword; }
    void SetPassword(bool v);
    TFont* PrintFont() const { return FPrintFont.get(); }
    void SetPrintFont(TFont* v);
    TColor PrintColor = 16777215;
    String EditMask;
    int EditLength = 0;
    TCellBorders Borders() const { return FBorders; }
    void SetBorders(TCellBorders v);
    TPen* BorderPen() const { return FBorderPen.get(); }
    void SetBorderPen(TPen* v);
    TCellBorders PrintBorders = 0;
    TPen* PrintBorderPen() const { return FPrintBorderPen.get(); }
    void SetPrintBorderPen(TPen* v);
    int Tag = 0;

    TGkColumnGrid* Grid() const;

private:
    friend class TGkColumnGrid;
    TColor FColor;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    String FHeader;
    bool FFixed = false;
    bool FPassword = false;
    TCellBorders FBorders = 0;
    std::unique_ptr<TFont> FFont, FPrintFont;
    std::unique_ptr<TPen> FBorderPen, FPrintBorderPen;
    std::unique_ptr<TStringList> FComboItems;
};
