#pragma once
#include "framework/classes/Persistent.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"

class TRichEdit;

// The character formatting of a rich edit's selection, or its default
// formatting: each property reads the rich edit and each setter changes it.
class TTextAttributes : public TPersistent {
public:
    TTextAttributes(TRichEdit* richEdit, bool selection) : FRichEdit(richEdit), FSelection(selection) {}
    String ClassName() const override { return "TTextAttributes"; }
    // Copies a TFont's face, size, style and colour.
    void Assign(TPersistent* source) override;

    String Name() const;
    void SetName(const String& v);
    // Points; SizeHalfPoints keeps the half point RTF can hold.
    int Size() const;
    void SetSize(int v);
    int SizeHalfPoints() const;
    void SetSizeHalfPoints(int v);
    TFontStyles Style() const;
    void SetStyle(TFontStyles v);
    // clDefault: the control's font colour.
    TColor Color() const;
    void SetColor(TColor v);
    // clNone: no colour behind the text.
    TColor BackColor() const;
    void SetBackColor(TColor v);

private:
    TRichEdit* FRichEdit;
    bool FSelection;
};
