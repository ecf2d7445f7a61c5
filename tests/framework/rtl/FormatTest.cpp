// Format() directives against the runtime's output, as a table.
#include <gtest/gtest.h>

#include "framework/rtl/Exception.h"
#include "framework/rtl/Format.h"

namespace {

struct FormatCase {
    const char* fmt;
    std::vector<TVarRec> args;
    const char* want;
};

TEST(Format, Table) {
    const void* ptr = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(0x1234ABCD));
    const FormatCase cases[] = {
        {"plain", {}, "plain"},
        {"100%%", {}, "100%"},
        {"%d", {42}, "42"},
        {"%d", {-42}, "-42"},
        {"%5d|", {42}, "   42|"},
        {"%-5d|", {42}, "42   |"},
        {"%.5d", {-42}, "-00042"},
        {"%8.5d", {42}, "   00042"},
        {"%05d", {42}, "   42"},  // '0' is part of the width, not a flag
        {"%d", {9223372036854775807LL}, "9223372036854775807"},
        {"%d", {42u}, "42"},
        {"%u", {-1}, "4294967295"},
        {"%u", {7u}, "7"},
        {"%x", {255}, "FF"},
        {"%.4x", {255}, "00FF"},
        {"%x", {-1}, "FFFFFFFF"},
        {"%X", {0xBEEFLL}, "BEEF"},
        {"%s", {"abc"}, "abc"},
        {"%s", {String("str")}, "str"},
        {"%s", {'c'}, "c"},
        {"%5s|", {"abc"}, "  abc|"},
        {"%-5s|", {"abc"}, "abc  |"},
        {"%.2s", {"abc"}, "ab"},
        {"%s=%d", {"x", 3}, "x=3"},
        {"%f", {1234.5}, "1234.50"},
        {"%.1f", {0.05}, "0.1"},
        {"%.0f", {2.5}, "3"},
        {"%.3f", {-1.0015}, "-1.002"},
        {"%.3f", {-1.0005}, "-1.000"},  // the double is just below the half
        {"%8.2f|", {3.14159}, "    3.14|"},
        {"%-8.2f|", {3.14159}, "3.14    |"},
        {"%f", {1.0f}, "1.00"},
        {"%e", {1000.0}, "1.00000000000000E+003"},
        {"%.3e", {12345.678}, "1.23E+004"},
        {"%e", {-0.00123}, "-1.23000000000000E-003"},
        {"%e", {0.0}, "0.00000000000000E+000"},
        {"%g", {1234.5}, "1234.5"},
        {"%g", {0.5}, "0.5"},
        {"%g", {1e20}, "1E020"},
        {"%.3g", {3.14159}, "3.14"},
        {"%n", {1234567.891}, "1,234,567.89"},
        {"%.0n", {999.5}, "1,000"},
        {"%n", {-1234.5}, "-1,234.50"},
        {"%m", {1234.5}, "$1,234.50"},
        {"%m", {-1234.5}, "($1,234.50)"},
        {"%p", {ptr}, "000000001234ABCD"},
        {"%1:s %0:s", {"a", "b"}, "b a"},
        {"%0:s-%s", {"a", "b"}, "a-b"},
        {"%0:s%0:s", {"ab"}, "abab"},
        {"%*d|", {5, 42}, "   42|"},
        {"%-*d|", {4, 7}, "7   |"},
        {"%.*f", {1, 3.14159}, "3.1"},
        {"%*.*f|", {7, 2, 3.14159}, "   3.14|"},
        {"%d %s", {1, "x", "extra"}, "1 x"},  // extra arguments are ignored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fmt);
        EXPECT_EQ(FormatV(c.fmt, c.args), c.want);
    }
}

TEST(Format, VariadicTemplate) {
    EXPECT_EQ(Format("%s has %d items (%.1f%%)", "list", 3, 42.25), "list has 3 items (42.3%)");
    String name = "n";
    EXPECT_EQ(Format("[%s]", name), "[n]");
    EXPECT_EQ(Format("no args"), "no args");
}

TEST(Format, Errors) {
    struct {
        const char* fmt;
        std::vector<TVarRec> args;
    } cases[] = {
        {"%d", {}},       {"%d", {"x"}},       {"%s", {1}},        {"%f", {1}},
        {"%x", {1.5}},    {"%q", {1}},         {"abc%", {}},       {"%5", {1}},
        {"%p", {1}},      {"%*d", {"w", 1}},   {"%s %s", {"one"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fmt);
        EXPECT_THROW(FormatV(c.fmt, c.args), EConvertError);
    }
    try {
        FormatV("%d", {"x"});
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Format '%d' invalid or incompatible with argument");
    }
    try {
        FormatV("a %s", {});
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "No argument for format 'a %s'");
    }
}

TEST(Exception, FormatsItsMessage) {
    Exception e("Cannot open %s (%d)", {"file.txt", 2});
    EXPECT_EQ(e.Message, "Cannot open file.txt (2)");
    EXPECT_STREQ(e.what(), "Cannot open file.txt (2)");
    EConvertError c(RtlConsts::SInvalidDate, {"32/1/2000"});
    EXPECT_EQ(c.Message, "'32/1/2000' is not a valid date");
    EStringListError le(RtlConsts::SListIndexError, {5});
    EXPECT_EQ(le.Message, "List index out of bounds (5)");
    EXPECT_EQ(Exception("plain %s").Message, "plain %s");  // one argument: not formatted
    EXPECT_EQ(Exception(static_cast<const char*>(nullptr)).Message, "");
}

TEST(Exception, Hierarchy) {
    try {
        throw EFOpenError("x");
    } catch (const EStreamError& e) {
        EXPECT_EQ(e.Message, "x");
    }
    try {
        throw EStringListError("y");
    } catch (const EListError&) {
    }
    EXPECT_THROW(throw EReadError("r"), EFilerError);
    EXPECT_THROW(throw EWriteError("w"), Exception);
    EXPECT_THROW(throw EFCreateError("c"), std::exception);
}

}  // namespace
