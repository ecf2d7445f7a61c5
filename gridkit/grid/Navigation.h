#pragma once
// How keys, Enter and the clipboard move through a grid. Plain settings.
#include "framework/classes/Persistent.h"
#include "gridkit/grid/GkTypes.h"

class TNavigation : public TPersistent {
public:
    String ClassName() const override { return "TNavigation"; }
    void Assign(TPersistent* source) override;

    bool AllowInsertRow = false;
    bool AllowDeleteRow = false;
    bool AdvanceOnEnter = false;
    bool AdvanceInsert = false;
    bool AutoGotoWhenSorted = false;
    bool AutoGotoIncremental = false;
    bool AutoComboDropSize = false;
    TAdvanceDirection AdvanceDirection = adLeftRight;
    bool AllowClipboardShortCuts = false;
    bool AllowSmartClipboard = false;
    bool AllowRTFClipboard = false;
    bool AdvanceAuto = false;
    TInsertPosition InsertPosition = pInsertBefore;
    bool CursorWalkEditor = false;
    bool MoveRowOnSort = false;
    bool ImproveMaskSel = false;
    bool AlwaysEdit = false;
    bool CopyHTMLTagsToClipboard = true;
};
