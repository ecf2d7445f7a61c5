// The string helpers against the runtime's semantics, as tables.
#include <gtest/gtest.h>

#include "framework/rtl/DateTime.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/StrUtils.h"

namespace {

struct CopyCase {
    const char* s;
    int index, count;
    const char* want;
};

TEST(StrUtils, CopyClamps) {
    const CopyCase cases[] = {
        {"Hello", 1, 3, "Hel"},   {"Hello", 2, 100, "ello"}, {"Hello", 0, 2, "He"},
        {"Hello", -5, 2, "He"},   {"Hello", 5, 1, "o"},      {"Hello", 6, 1, ""},
        {"Hello", 99, 1, ""},     {"Hello", 2, 0, ""},       {"Hello", 2, -3, ""},
        {"", 1, 1, ""},           {"Hello", 1, INT32_MAX, "Hello"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.s << "," << c.index << "," << c.count);
        EXPECT_EQ(Copy(c.s, c.index, c.count), c.want);
    }
}

struct PosCase {
    const char* sub;
    const char* s;
    int offset;
    int want;
};

TEST(StrUtils, PosAndPosEx) {
    const PosCase cases[] = {
        {"l", "Hello", 1, 3},  {"l", "Hello", 4, 4},   {"l", "Hello", 5, 0},   {"l", "Hello", 0, 3},
        {"l", "Hello", -7, 3}, {"l", "Hello", 99, 0},  {"", "Hello", 1, 0},    {"x", "Hello", 1, 0},
        {"Hello", "Hell", 1, 0}, {"lo", "Hello", 1, 4}, {"H", "", 1, 0},      {"o", "Hello", 5, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sub << " in " << c.s << " from " << c.offset);
        EXPECT_EQ(PosEx(c.sub, c.s, c.offset), c.want);
        if (c.offset == 1) {
            EXPECT_EQ(Pos(c.sub, c.s), c.want);
        }
    }
}

TEST(StrUtils, DeleteClamps) {
    const CopyCase cases[] = {
        {"Hello", 2, 2, "Hlo"},  {"Hello", 1, 5, ""},      {"Hello", 0, 2, "Hello"},
        {"Hello", -1, 2, "Hello"}, {"Hello", 5, 10, "Hell"}, {"Hello", 6, 1, "Hello"},
        {"Hello", 2, -1, "Hello"}, {"Hello", 1, 0, "Hello"}, {"", 1, 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.s << "," << c.index << "," << c.count);
        String s = c.s;
        Delete(s, c.index, c.count);
        EXPECT_EQ(s, c.want);
    }
}

TEST(StrUtils, InsertClamps) {
    struct {
        int index;
        const char* want;
    } cases[] = {{1, "XYHello"}, {0, "XYHello"}, {-4, "XYHello"}, {3, "HeXYllo"},
                 {6, "HelloXY"}, {7, "HelloXY"}, {99, "HelloXY"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        String s = "Hello";
        Insert("XY", s, c.index);
        EXPECT_EQ(s, c.want);
    }
    String empty;
    Insert("ab", empty, 5);
    EXPECT_EQ(empty, "ab");
}

TEST(StrUtils, SmallPieces) {
    EXPECT_EQ(LastDelimiter("/.", "a/b.c"), 4);
    EXPECT_EQ(LastDelimiter("/", "abc"), 0);
    EXPECT_TRUE(IsDelimiter(",;", "a;b", 2));
    EXPECT_FALSE(IsDelimiter(",;", "a;b", 0));
    EXPECT_FALSE(IsDelimiter(",;", "a;b", 4));
    EXPECT_EQ(StringOfChar('x', 3), "xxx");
    EXPECT_EQ(StringOfChar('x', -1), "");
    EXPECT_EQ(LeftStr("Hello", 2), "He");
    EXPECT_EQ(LeftStr("Hello", 9), "Hello");
    EXPECT_EQ(LeftStr("Hello", -1), "");
    EXPECT_EQ(RightStr("Hello", 2), "lo");
    EXPECT_EQ(RightStr("Hello", 9), "Hello");
    EXPECT_EQ(RightStr("Hello", 0), "");
}

TEST(StrUtils, TrimDropsBytesUpToSpace) {
    struct {
        String s, both, left, right;
    } cases[] = {
        {"  a b \t\r\n", "a b", "a b \t\r\n", "  a b"},
        {String("\x01x\x20", 3), "x", "x ", String("\x01x", 2)},
        {String("\0a\0", 3), "a", String("a\0", 2), String("\0a", 2)},
        {"\x7f", "\x7f", "\x7f", "\x7f"},            // DEL is not blank
        {"\xc2\xa0x", "\xc2\xa0x", "\xc2\xa0x", "\xc2\xa0x"},  // nor is a UTF-8 no-break space
        {"   ", "", "", ""},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Trim(c.s), c.both);
        EXPECT_EQ(TrimLeft(c.s), c.left);
        EXPECT_EQ(TrimRight(c.s), c.right);
    }
}

TEST(StrUtils, AsciiCase) {
    EXPECT_EQ(UpperCase("aBc-z\xc3\xa9"), "ABC-Z\xc3\xa9");  // é untouched
    EXPECT_EQ(LowerCase("AbC-Z\xc3\x89"), "abc-z\xc3\x89");
    EXPECT_EQ(UpCase('q'), 'Q');
    EXPECT_EQ(UpCase('1'), '1');
    EXPECT_EQ(LoCase('Q'), 'q');
    EXPECT_EQ(LoCase('\xc3'), '\xc3');  // a UTF-8 lead byte stays as it is
    EXPECT_TRUE(SameText("Hello", "hELLO"));
    EXPECT_FALSE(SameText("Hello", "Hell"));
    EXPECT_FALSE(SameText("\xc3\xa9", "\xc3\x89"));
    EXPECT_EQ(CompareText("abc", "ABC"), 0);
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("abcd", "ABC"), 0);
    EXPECT_LT(CompareText("a", "_"), 0);  // folded to upper case, as the runtime does
    EXPECT_LT(CompareStr("B", "a"), 0);
    EXPECT_GT(CompareStr("\xc3", "a"), 0);  // bytes compare unsigned
    EXPECT_EQ(CompareStr("same", "same"), 0);
}

TEST(StrUtils, Utf8Case) {
    EXPECT_EQ(AnsiUpperCase("stra\xc3\x9f" "e \xc3\xa9t\xc3\xa9"), "STRA\xc3\x9f" "E \xc3\x89T\xc3\x89");
    EXPECT_EQ(AnsiLowerCase("\xc3\x84\xc3\x96\xc3\x9c ABC"), "\xc3\xa4\xc3\xb6\xc3\xbc abc");
    EXPECT_EQ(AnsiUpperCase("\xd0\xbf\xd1\x80\xd0\xb8"), "\xd0\x9f\xd0\xa0\xd0\x98");  // при -> ПРИ
    // Invalid bytes pass through unchanged.
    EXPECT_EQ(AnsiUpperCase("a\xff" "b\xc3"), "A\xff" "B\xc3");
    EXPECT_EQ(AnsiLowerCase("\xe2\x82"), "\xe2\x82");
    EXPECT_TRUE(AnsiSameText("\xc3\xa9t\xc3\xa9", "\xc3\x89T\xc3\x89"));
    EXPECT_FALSE(AnsiSameStr("\xc3\xa9", "\xc3\x89"));
    EXPECT_EQ(AnsiCompareText("\xc3\xa9", "\xc3\x89"), 0);
    EXPECT_LT(AnsiCompareStr("a", "b"), 0);
    EXPECT_EQ(AnsiPos("\xc3\xa9", "caf\xc3\xa9"), 4);
}

TEST(StrUtils, IntToStrAndHex) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0xABCDEF, 2), "ABCDEF");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFFFFFFFFFF");
}

TEST(StrUtils, StrToIntAccepts) {
    struct {
        const char* s;
        int want;
    } cases[] = {
        {"42", 42},         {" 42 ", 42},          {"\t-7\r\n", -7},   {"+7", 7},
        {"$FF", 255},       {"$ff", 255},          {"0x1f", 31},       {"0X1F", 31},
        {"-$10", -16},      {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
        {"$FFFFFFFF", -1},  {"$7FFFFFFF", INT32_MAX}, {"007", 7},       {"-0", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.s);
        EXPECT_EQ(StrToInt(c.s), c.want);
        int v = 0;
        EXPECT_TRUE(TryStrToInt(c.s, v));
        EXPECT_EQ(v, c.want);
    }
}

TEST(StrUtils, StrToIntRejectsWithTheOriginalText) {
    const char* bad[] = {"", "  ", "abc", "12a", "1 2", "--1", "+-1", "$", "0x", "$G",
                         "2147483648", "-2147483649", "$100000000", "1.5", "1e3"};
    for (const char* s : bad) {
        SCOPED_TRACE(s);
        try {
            StrToInt(s);
            ADD_FAILURE() << "no exception";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message, String("'") + s + "' is not a valid integer value");
        }
        int v = 99;
        EXPECT_FALSE(TryStrToInt(s, v));
        EXPECT_EQ(StrToIntDef(s, -5), -5);
    }
}

TEST(StrUtils, StrToInt64) {
    EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(StrToInt64("2147483648"), 2147483648LL);
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
    EXPECT_EQ(StrToInt64Def("x", 3), 3);
}

TEST(StrUtils, StrToFloat) {
    struct {
        const char* s;
        double want;
    } cases[] = {{"1.5", 1.5},   {" -2.5e3 ", -2500}, {"1E-2", 0.01}, {"+4", 4},
                 {"1.", 1},      {".5", 0.5},         {"0", 0},       {"1e+2", 100},
                 {"1e-400", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.s);
        EXPECT_DOUBLE_EQ(StrToFloat(c.s), c.want);
    }
    const char* bad[] = {"", "abc", "1,5", ".", "1e", "1e+", "e5", "1.2.3", "inf", "nan", "1e999", "0x10"};
    for (const char* s : bad) {
        SCOPED_TRACE(s);
        double v;
        EXPECT_FALSE(TryStrToFloat(s, v));
        EXPECT_DOUBLE_EQ(StrToFloatDef(s, 7.5), 7.5);
    }
    try {
        StrToFloat("1,5");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'1,5' is not a valid floating point value");
    }
}

TEST(StrUtils, StrToFloatFollowsTheDecimalSeparator) {
    TFormatSettings saved = FormatSettings();
    FormatSettings().DecimalSeparator = ',';
    EXPECT_DOUBLE_EQ(StrToFloat("1,25"), 1.25);
    EXPECT_THROW(StrToFloat("1.25"), EConvertError);
    EXPECT_EQ(FloatToStr(1.25), "1,25");
    FormatSettings() = saved;
}

TEST(StrUtils, FloatToStr) {
    struct {
        double v;
        const char* want;
    } cases[] = {
        {0, "0"},
        {1.5, "1.5"},
        {-0.1, "-0.1"},
        {0.1 + 0.2, "0.3"},
        {100, "100"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1e20, "1E20"},
        {-1e100, "-1E100"},
        {1.5e-7, "1.5E-7"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {1234567.125, "1234567.125"},
        {3.14159265358979, "3.14159265358979"},
        {9.999999999999999, "10"},
        {1.7976931348623157e308, "1.79769313486232E308"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(FloatToStr(c.v), c.want);
    }
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
}

TEST(StrUtils, FloatToStrRoundTrips) {
    const double values[] = {0.5, -12.25, 1e-3, 123.456, 98765.4321, 1e10, 7e-9};
    for (double v : values) EXPECT_DOUBLE_EQ(StrToFloat(FloatToStr(v)), v);
}

TEST(StrUtils, FloatToStrF) {
    EXPECT_EQ(FloatToStrF(1234.5678, ffFixed, 15, 2), "1234.57");
    EXPECT_EQ(FloatToStrF(1234567.5, ffNumber, 15, 1), "1,234,567.5");
    EXPECT_EQ(FloatToStrF(0.125, ffFixed, 15, 2), "0.13");  // half away from zero
    EXPECT_EQ(FloatToStrF(-0.125, ffFixed, 15, 2), "-0.13");
    EXPECT_EQ(FloatToStrF(1000, ffExponent, 15, 3), "1.00000000000000E+003");
    EXPECT_EQ(FloatToStrF(1000, ffExponent, 4, 0), "1.000E+3");
    EXPECT_EQ(FloatToStrF(12.5, ffCurrency, 15, 2), "$12.50");
}

TEST(StrUtils, BoolStrings) {
    EXPECT_EQ(BoolToStr(true), "-1");
    EXPECT_EQ(BoolToStr(false), "0");
    EXPECT_EQ(BoolToStr(true, true), "True");
    EXPECT_TRUE(StrToBool("true"));
    EXPECT_FALSE(StrToBool("FALSE"));
    EXPECT_TRUE(StrToBool("-1"));
    EXPECT_FALSE(StrToBool("0"));
    EXPECT_THROW(StrToBool("maybe"), EConvertError);
}

TEST(StrUtils, StringReplace) {
    struct {
        const char* s;
        const char* from;
        const char* to;
        int flags;
        const char* want;
    } cases[] = {
        {"aXbXc", "X", "-", 0, "a-bXc"},
        {"aXbXc", "X", "-", rfReplaceAll, "a-b-c"},
        {"aXbxc", "x", "-", rfReplaceAll, "aXb-c"},
        {"aXbxc", "x", "-", rfReplaceAll | rfIgnoreCase, "a-b-c"},
        {"aXbxc", "x", "-", rfIgnoreCase, "a-bxc"},
        {"aaa", "a", "aa", rfReplaceAll, "aaaaaa"},
        {"abc", "", "x", rfReplaceAll, "abc"},
        {"abc", "abc", "", 0, ""},
        {"\xc3\xa9X\xc3\x89", "\xc3\xa9", "e", rfReplaceAll | rfIgnoreCase, "eX\xc3\x89"},  // ASCII folding only
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.s);
        EXPECT_EQ(StringReplace(c.s, c.from, c.to, c.flags), c.want);
    }
}

TEST(StrUtils, Quoting) {
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(QuotedStr(""), "''");
    EXPECT_EQ(AnsiQuotedStr("a\"b", '"'), "\"a\"\"b\"");
    EXPECT_EQ(AnsiDequotedStr("\"a\"\"b\"", '"'), "a\"b");
    EXPECT_EQ(AnsiDequotedStr("'x'", '\''), "x");
    EXPECT_EQ(AnsiDequotedStr("''", '\''), "");
    EXPECT_EQ(AnsiDequotedStr("plain", '\''), "plain");
    EXPECT_EQ(AnsiDequotedStr("'ab'cd", '\''), "'ab'cd");
    EXPECT_EQ(AnsiDequotedStr("'open", '\''), "'open");
}

TEST(StrUtils, LineBreaks) {
    EXPECT_EQ(AdjustLineBreaks("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(AdjustLineBreaks("\n\r"), "\r\n\r\n");
    struct {
        const char* s;
        std::vector<String> want;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
        {"\n\r", {"", ""}},
        {"a\r\rb", {"a", "", "b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.s);
        EXPECT_EQ(SplitLines(c.s), c.want);
    }
}

}  // namespace
