// A variant's text: each kind as the conversion writes it, dates by which
// parts they hold.
#include <gtest/gtest.h>

#include "framework/rtl/DateTime.h"
#include "framework/rtl/Variant.h"

namespace {

TEST(Variant, ToStrWritesEachKind) {
    const TFormatSettings saved = FormatSettings();
    FormatSettings() = TFormatSettings();
    const TDateTime day = EncodeDate(2024, 3, 15), half = EncodeTime(13, 45, 30, 0);
    const struct {
        TVariant Value;
        const char* Text;
    } cases[] = {
        {TVariant(), ""},
        {TVariant::FromBoolean(true), "True"},
        {TVariant::FromBoolean(false), "False"},
        {TVariant::FromDouble(3), "3"},
        {TVariant::FromDouble(-2.5), "-2.5"},
        {TVariant::FromDouble(0.1 + 0.2), "0.3"},
        {TVariant::FromDouble(1e20), "1E20"},
        {TVariant::FromDate(day), "3/15/2024"},
        {TVariant::FromDate(day + half), "3/15/2024 1:45:30 PM"},
        {TVariant::FromDate(half), "1:45:30 PM"},
        {TVariant::FromString("text"), "text"},
    };
    for (const auto& c : cases) EXPECT_EQ(VarToStr(c.Value), c.Text) << c.Text;
    FormatSettings() = saved;
}

}  // namespace
