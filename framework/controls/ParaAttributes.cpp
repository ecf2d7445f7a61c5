#include "framework/controls/ParaAttributes.h"

#include "framework/controls/RichEdit.h"

TAlignment TParaAttributes::Alignment() const { return FRichEdit->GetParaFormat().Alignment; }
int TParaAttributes::LeftIndent() const { return FRichEdit->GetParaFormat().LeftIndent; }
int TParaAttributes::FirstIndent() const { return FRichEdit->GetParaFormat().FirstIndent; }
int TParaAttributes::RightIndent() const { return FRichEdit->GetParaFormat().RightIndent; }

void TParaAttributes::SetAlignment(TAlignment v) {
    TParaFormat f;
    f.Alignment = v;
    FRichEdit->SetParaFormat(pfmAlignment, f);
}

void TParaAttributes::SetLeftIndent(int v) {
    TParaFormat f;
    f.LeftIndent = v;
    FRichEdit->SetParaFormat(pfmLeftIndent, f);
}

void TParaAttributes::SetFirstIndent(int v) {
    TParaFormat f;
    f.FirstIndent = v;
    FRichEdit->SetParaFormat(pfmFirstIndent, f);
}

void TParaAttributes::SetRightIndent(int v) {
    TParaFormat f;
    f.RightIndent = v;
    FRichEdit->SetParaFormat(pfmRightIndent, f);
}
