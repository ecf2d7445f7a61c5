#pragma once
// The grid's combo editor for the combo kinds of a cell.
#include "gridkit/editors/GkComboBox.h"

class TGkStringGrid;
class TStrings;

class TGridCombo : public TGkComboBox {
public:
    TGridCombo(TComponent* owner, TGkStringGrid* grid);
    String ClassName() const override { return "TGridCombo"; }
    TGkStringGrid* Grid() const { return FGrid; }

    // The type-ahead flag: set by a key, cleared for one key by Backspace
    // and Delete.
    bool TypeAhead() const { return FTypeAhead; }
    // The item the last completion came from; -1 before any in this edit.
    int LookupIndex() const { return FLookupIndex; }

    // The combo's completion rule (grid Lookup): the first item
    // that begins with typed, compared with a-z upper-cased, or -1;
    // completed is typed followed by the rest of the item (at most 255
    // characters of it).
    static int LookupCompletion(const String& typed, const TStrings* items, String& completed);
    // The first item that begins with the letter key, compared with a-z
    // upper-cased, or -1: what a list-only box picks for a typed letter.
    static int FirstItemWith(char key, const TStrings* items);

    // The character typed on the cell that opened this editor: a list
    // picks the first item that begins with it, an editable box takes it
    // as its text and completes it (grid Lookup).
    void TypedOnCell(char key);

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoEnter() override;
    void DoExit() override;
    void KeyUp(Word& key, TShiftState shift) override;
private:
    void RunLookup();
    TGkStringGrid* FGrid;
    bool FTypeAhead = false;
    int FLookupIndex = -1;
    String FTextAtKeyDown;
};
