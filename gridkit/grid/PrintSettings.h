#pragma once
// Settings of printing. Stored only: the grid does not print.
#include <memory>

#include "framework/classes/Persistent.h"
#include "framework/graphics/Pen.h"

class TFont;
class TStringList;

enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders { pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround,
                     pbAroundVertical, pbAroundHorizontal, pbCustom };
enum TPrinterOrientation { poPortrait, poLandscape };
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

class TPrintsettings : public TPersistent {
public:
    TPrintsettings();
    ~TPrintsettings() override;
    String ClassName() const override { return "TPrintsettings"; }

    TPrintPosition FooterSize = ppNone, HeaderSize = ppNone, Time = ppNone, Date = ppNone,
                   PageNr = ppNone, Title = ppNone;
    String DateFormat = "dd/mm/yyyy";
    String TitleText;
    TStringList* TitleLines() const { return FTitleLines.get(); }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v);
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* v);
    TFont* FooterFont() const { return FFooterFont.get(); }
    void SetFooterFont(TFont* v);
    TFont* FixedFont() const { return FFixedFont.get(); }
    TPrintBorders Borders = pbNoborder;
    TPenStyle BorderStyle = psSolid;
    bool Centered = false, RepeatFixedRows = false, RepeatFixedCols = false;
    int LeftSize = 0, RightSize = 0, ColumnSpacing = 0, RowSpacing = 0, TitleSpacing = 0;
    TPrinterOrientation Orientation = poPortrait;
    String PagePrefix, PageSuffix;
    int FixedWidth = 0, FixedHeight = 0;
    bool UseFixedHeight = false, UseFixedWidth = false;
    TFitToPage FitToPage = fpNever;
    String JobName;
    String PageNumSep = "/";
    bool NoAutoSize = false, PrintGraphics = false;

private:
    std::unique_ptr<TStringList> FTitleLines;
    std::unique_ptr<TFont> FFont, FHeaderFont, FFooterFont, FFixedFont;
};
