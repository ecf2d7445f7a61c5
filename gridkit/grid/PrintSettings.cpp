#include "gridkit/grid/PrintSettings.h"

#include "framework/classes/StringList.h"
#include "framework/graphics/Font.h"

TPrintsettings::TPrintsettings()
    : FTitleLines(new TStringList), FFont(new TFont), FHeaderFont(new TFont), FFooterFont(new TFont),
      FFixedFont(new TFont) {}

TPrintsettings::~TPrintsettings() = default;

void TPrintsettings::SetFont(TFont* v) { FFont->Assign(v); }
void TPrintsettings::SetHeaderFont(TFont* v) { FHeaderFont->Assign(v); }
void TPrintsettings::SetFooterFont(TFont* v) { FFooterFont->Assign(v); }
