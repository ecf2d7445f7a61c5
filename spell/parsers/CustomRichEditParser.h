#pragma once
// The memo parser for a rich edit, which answers the character position
// query through a point structure.
#include "spell/parsers/CustomMemoParser.h"

class TCustomRichEditParser : public TCustomMemoParser {
public:
    explicit TCustomRichEditParser(TCustomMemo* richEdit) : TCustomMemoParser(richEdit) {}

protected:
    TPoint CharPoint(int pos) override;
};
