#include "spell/parsers/CustomRichEditParser.h"

#include "framework/controls/CustomMemo.h"

TPoint TCustomRichEditParser::CharPoint(int pos) {
    POINTL pt;
    Memo->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), static_cast<LPARAM>(pos));
    return Memo->ClientToScreen(Point(pt.x, pt.y));
}
