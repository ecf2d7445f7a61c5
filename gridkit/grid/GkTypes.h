#pragma once
// The enumerations and event signatures of the grid kit. Sets are bit
// flags. Row and column arguments come in the order each event declares.
#include <functional>

#include "framework/controls/StdCtrlsTypes.h"
#include "framework/grids/GridTypes.h"
#include "framework/rtl/Types.h"

class TBrush;
class TFont;
class TPen;

enum TEditorType : unsigned char {
    edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit,
    edDateEditUpDown, edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric,
    edFloat, edCapital, edMixedCase, edPassword, edUnitEditBtn, edLowerCase, edUpperCase,
    edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit, edNumericEditBtn, edFloatEditBtn
};

enum TVAlignment { vtaCenter, vtaTop, vtaBottom };
enum TSortDirection { sdAscending, sdDescending };
enum TSortStyle {
    ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU,
    ssShortDateUS, ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML,
    ssImages
};
enum TScrollType { ssNormal, ssFlat, ssEncarta };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
enum TAdvanceDirection { adLeftRight, adTopBottom };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum TColumnSizeLocation { clRegistry, clInifile };
enum TNodeType { cnFlat, cn3D, cnGlyph };
enum TBackGroundDisplay { bdTile, bdFixed };

enum TCellBorder : int { cbTop = 1, cbLeft = 2, cbRight = 4, cbBottom = 8 };
using TCellBorders = int;
// What a press on the fixed cell under the mouse would select.
enum class TSelectZone { None = 0, Column = 1, Row = 2, All = 3 };

class TGkStringGrid;

using TGkCellColorEvent = std::function<void(TObject* Sender, int ARow, int ACol,
                                             TGridDrawState AState, TBrush* ABrush, TFont* AFont)>;
using TGkCellBorderEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TPen* APen, TCellBorders& Borders)>;
using TGkAlignmentEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TAlignment& AAlignment)>;
using TGkFormatEvent = std::function<void(TObject* Sender, int ACol, TSortStyle& AStyle,
                                          String& aPrefix, String& aSuffix)>;
using TGkEditorTypeEvent =
    std::function<void(TObject* Sender, int aCol, int aRow, TEditorType& aEditor)>;
// Fixed, can-edit and password questions: row first.
using TGkCellBoolEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Value)>;
using TGkGridHintEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, String& HintStr)>;
using TGkChangingEvent =
    std::function<void(TObject* Sender, int OldIndex, int NewIndex, bool& Allow)>;
using TGkCellChangingEvent = std::function<void(TObject* Sender, int OldRow, int OldCol,
                                                int NewRow, int NewCol, bool& Allow)>;
using TGkCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TGkRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TGkColEvent = std::function<void(TObject* Sender, int ACol)>;
using TGkRowVetoEvent = std::function<void(TObject* Sender, int ARow, bool& Allow)>;
using TGkColVetoEvent = std::function<void(TObject* Sender, int ACol, bool& Allow)>;
using TGkCustomCompareEvent =
    std::function<void(TObject* Sender, const String& Str1, const String& Str2, int& Res)>;
using TGkRawCompareEvent =
    std::function<void(TObject* Sender, int Col, int Row1, int Row2, int& Res)>;
using TGkNodeEvent = std::function<void(TObject* Sender, int ARow, int ARowReal)>;
using TGkClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TGkAnchorClickEvent = std::function<void(TObject* Sender, int ARow, int ACol,
                                               const String& Anchor, bool& AutoHandle)>;
using TGkAnchorEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const String& Anchor)>;
using TGkClipboardEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TGkCellValidateEvent =
    std::function<void(TObject* Sender, int Col, int Row, String& Value, bool& Valid)>;
using TGkFileProgressEvent = std::function<void(TObject* Sender, short Progress)>;
using TGkEllipsClickEvent =
    std::function<void(TObject* Sender, int aCol, int aRow, String& S)>;
using TGkButtonClickEvent = std::function<void(TObject* Sender, int aCol, int aRow)>;
using TGkCheckBoxClickEvent =
    std::function<void(TObject* Sender, int aCol, int aRow, bool State)>;
using TGkRadioClickEvent = std::function<void(TObject* Sender, int aCol, int aRow, int aIdx)>;
using TGkComboChangeEvent = std::function<void(TObject* Sender, int aCol, int aRow,
                                               int aItemIndex, const String& aSelection)>;
using TGkSpinClickEvent =
    std::function<void(TObject* Sender, int aCol, int aRow, int aValue, bool UpDown)>;
using TGkFloatSpinClickEvent =
    std::function<void(TObject* Sender, int aCol, int aRow, double aValue, bool UpDown)>;
using TGkDateTimeSpinClickEvent =
    std::function<void(TObject* Sender, int aCol, int aRow, TDateTime aValue, bool UpDown)>;
using TGkOleDragDropEvent = std::function<void(TObject* Sender, int ARow, int ACol,
                                               const String& Data, bool& Allow)>;
using TGkScrollHintEvent = std::function<void(TObject* Sender, int ARow, String& HintStr)>;
