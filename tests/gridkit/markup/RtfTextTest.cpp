// The readable text of rich-text cells.
#include <gtest/gtest.h>

#include "gridkit/GkRtfText.h"

namespace {

TEST(GkRtfText, TextWithoutTheFormatting) {
    struct Case {
        const char* rtf;
        const char* text;
    } cases[] = {
        {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
         "\\f0\\fs20 Hello \\b bold\\b0\\par World\\par}",
         "Hello bold\r\nWorld"},
        {"{\\rtf1 caf\\'e9}", "caf\xC3\xA9"},
        {"{\\rtf1 \\u8364?5}", "\xE2\x82\xAC" "5"},            // the fallback character is skipped
        {"{\\rtf1 a\\{b\\}c\\\\d}", "a{b}c\\d"},
        {"{\\rtf1 a\\tab b}", "a\tb"},
        {"{\\rtf1 {\\*\\generator Writer;}shown}", "shown"},
        {"{\\rtf1 line\r\nbreaks in the source}", "linebreaks in the source"},
        {"{\\rtf1 unclosed", "unclosed"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(RtfPlainText(c.rtf), c.text) << c.rtf;
}

}  // namespace
