#pragma once
#include "framework/classes/Persistent.h"
#include "framework/controls/StdCtrlsTypes.h"

class TRichEdit;

// Which members of a TParaFormat a change sets; bit flags.
enum TParaFormatMask : int { pfmAlignment = 1, pfmLeftIndent = 2, pfmFirstIndent = 4, pfmRightIndent = 8 };

// The paragraph formatting of a rich edit's selection (the paragraph of
// its start; setters change every paragraph it touches). Indents are
// pixels: TParaFormat says what each one measures.
class TParaAttributes : public TPersistent {
public:
    explicit TParaAttributes(TRichEdit* richEdit) : FRichEdit(richEdit) {}
    String ClassName() const override { return "TParaAttributes"; }

    TAlignment Alignment() const;
    void SetAlignment(TAlignment v);
    int LeftIndent() const;
    void SetLeftIndent(int v);
    int FirstIndent() const;
    void SetFirstIndent(int v);
    int RightIndent() const;
    void SetRightIndent(int v);

private:
    TRichEdit* FRichEdit;
};
