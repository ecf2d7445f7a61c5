#pragma once
// Settings of an HTML export. Stored only: the grid exports no HTML.
#include "framework/classes/Persistent.h"

class THTMLSettings : public TPersistent {
public:
    String ClassName() const override { return "THTMLSettings"; }
    void Assign(TPersistent* source) override;

    int BorderSize = 1;
    int CellSpacing = 0;
    bool SaveColor = true;
    bool SaveFonts = true;
    String FooterFile, HeaderFile, TableStyle, PrefixTag, SuffixTag;
    int Width = 100;
};
