#pragma once
// The kit's own text editor for a cell: the base grid's in-place editor
// with the character filter of the cell's editor kind, the length limit,
// case conversion, the paste check and the type-ahead lookup.
#include "framework/grids/InplaceEdit.h"
#include "gridkit/grid/GkTypes.h"

class TGkStringGrid;
class TStrings;

class TGkInplaceEdit : public TInplaceEdit {
public:
    explicit TGkInplaceEdit(TComponent* owner);
    String ClassName() const override { return "TGkInplaceEdit"; }

    bool valign = false;
    bool wordwrap = false;
    int LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(int v);

    // What the filter does with one typed character.
    enum TCharVerdict { cvAccept, cvDrop, cvBeep };
    // The filter of an editor kind for `key` typed into `text` with the
    // caret at selStart and selLength characters selected. A length limit
    // above 0 drops characters beyond it (Enter passes when advanceOnEnter).
    // Case kinds change key. Mixed case is applied after insertion.
    static TCharVerdict FilterChar(TEditorType kind, const String& text, int selStart,
                                   int selLength, char& key, int lengthLimit = 0,
                                   bool advanceOnEnter = false);
    // Names stay capitalised: "mcadam smith" -> "McAdam Smith".
    static String MixedCase(const String& text);
    // The text a paste of clip leaves in an editor of the kind, or false
    // when the paste is refused (too long for the limit, not a number).
    static bool PasteResult(TEditorType kind, const String& text, int selStart, int selLength,
                            const String& clip, int lengthLimit, String& result);
    // Completes typed (the text up to the caret) from items: false when no
    // item begins with it.
    static bool LookupCompletion(const String& typed, const TStrings* items, bool caseSensitive,
                                 String& completed);
    // Where Up (down false) or Down moves the caret of a text with line
    // breaks: the same column of the neighbouring line, at most its end;
    // -1 when the caret is on the first (last) line and the key belongs
    // to the grid.
    static int VerticalCaretMove(const String& text, int caret, bool down);

protected:
    TGkStringGrid* GkGrid() const;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyUp(Word& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void WndProc(TMessage& message) override;
    void DoEnter() override;
    void DoExit() override;

private:
    void RunLookup();
    int EffectiveLimit() const;
    void GrowRowForNewLine();
    void SizeToText(TGkStringGrid* grid);
    void AdvanceWhenFull();
    int FLengthLimit = 0;
    bool FTyped = false;
    bool FSwallowReturn = false;
    bool FAdvancePending = false;
};
