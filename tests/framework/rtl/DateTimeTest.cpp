// TDateTime encoding, formatting and parsing with the one settings object.
#include <unistd.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "framework/rtl/DateTime.h"
#include "framework/rtl/Exception.h"
#include "support/TempDir.h"

namespace {

// Every test starts from the defaults and leaves them as it found them.
class DateTimeTest : public testing::Test {
protected:
    void SetUp() override {
        saved_ = FormatSettings();
        FormatSettings() = TFormatSettings();
    }
    void TearDown() override { FormatSettings() = saved_; }
    TFormatSettings saved_;
};

int ThisYear() {
    int y, m, d;
    DecodeDate(Now(), y, m, d);
    return y;
}

TEST_F(DateTimeTest, EncodeDecodeTable) {
    struct {
        int y, m, d;
        double serial;
    } cases[] = {
        {1899, 12, 30, 0},   {1899, 12, 31, 1},     {1900, 1, 1, 2},     {1899, 12, 29, -1},
        {1900, 3, 1, 61},    {2000, 1, 1, 36526},   {2000, 2, 29, 36585}, {2024, 1, 1, 45292},
        {1, 1, 1, -693593},  {9999, 12, 31, 2958465}, {1600, 2, 29, -109512},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d);
        EXPECT_DOUBLE_EQ(EncodeDate(c.y, c.m, c.d), c.serial);
        int y, m, d;
        DecodeDate(c.serial, y, m, d);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(m, c.m);
        EXPECT_EQ(d, c.d);
    }
}

TEST_F(DateTimeTest, EncodeRejects) {
    const int bad[][3] = {{1900, 2, 29}, {2023, 2, 29}, {2024, 13, 1}, {2024, 0, 1},
                          {2024, 4, 31}, {0, 1, 1},     {10000, 1, 1}, {2024, 1, 0}};
    for (const auto& b : bad) {
        TDateTime d;
        EXPECT_FALSE(TryEncodeDate(b[0], b[1], b[2], d));
        EXPECT_THROW(EncodeDate(b[0], b[1], b[2]), EConvertError);
    }
    TDateTime t;
    EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, t));
    EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0, t));
    EXPECT_FALSE(TryEncodeTime(0, 0, 60, 0, t));
    EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, t));
    EXPECT_THROW(EncodeTime(-1, 0, 0, 0), EConvertError);
}

TEST_F(DateTimeTest, LeapYearsAndMonthLengths) {
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(2023, 12), 31);
    EXPECT_EQ(DaysInMonth(2023, 13), 0);
}

TEST_F(DateTimeTest, TimeRoundTrips) {
    struct {
        int h, n, s, z;
    } cases[] = {{0, 0, 0, 0}, {6, 0, 0, 0}, {12, 30, 15, 500}, {23, 59, 59, 999}, {13, 5, 9, 1}};
    for (const auto& c : cases) {
        TDateTime t = EncodeTime(c.h, c.n, c.s, c.z);
        int h, n, s, z;
        DecodeTime(t, h, n, s, z);
        EXPECT_EQ(h, c.h);
        EXPECT_EQ(n, c.n);
        EXPECT_EQ(s, c.s);
        EXPECT_EQ(z, c.z);
        // The same time on a day before 1899-12-30.
        TDateTime neg = ComposeDateTime(-10, t);
        DecodeTime(neg, h, n, s, z);
        EXPECT_EQ(h, c.h);
        EXPECT_EQ(n, c.n);
        EXPECT_EQ(s, c.s);
        EXPECT_EQ(z, c.z);
    }
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
}

TEST_F(DateTimeTest, NegativeDatesKeepAPositiveTimeOfDay) {
    // -1.25 is 1899-12-29 06:00, not 1899-12-28 18:00.
    int y, m, d, h, n, s, z;
    DecodeDate(-1.25, y, m, d);
    DecodeTime(-1.25, h, n, s, z);
    EXPECT_EQ(y, 1899);
    EXPECT_EQ(m, 12);
    EXPECT_EQ(d, 29);
    EXPECT_EQ(h, 6);
    EXPECT_DOUBLE_EQ(ComposeDateTime(EncodeDate(1899, 12, 29), EncodeTime(6, 0, 0, 0)), -1.25);
    EXPECT_DOUBLE_EQ(ComposeDateTime(EncodeDate(2000, 1, 1), EncodeTime(6, 0, 0, 0)), 36526.25);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -1.25), "1899-12-29 06:00");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -0.5), "1899-12-30 12:00");
}

TEST_F(DateTimeTest, DayOfWeek) {
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);  // a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 1)), 2);    // a Monday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 3)), 1);    // a Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(1800, 1, 1)), 4);    // a Wednesday
}

TEST_F(DateTimeTest, NowDateTime) {
    TDateTime now = Now();
    TDateTime today = Date();
    EXPECT_GE(now, today);
    EXPECT_LT(now - today, 1.0 + 1e-6);
    EXPECT_EQ(today, std::trunc(today));
    TDateTime t = Time();
    EXPECT_GE(t, 0.0);
    EXPECT_LT(t, 1.0);
    EXPECT_GT(ThisYear(), 2020);
}

TEST_F(DateTimeTest, FormatTable) {
    const TDateTime dt = EncodeDate(2024, 1, 5) + EncodeTime(13, 5, 9, 42);
    const TDateTime morning = EncodeDate(2024, 11, 25) + EncodeTime(0, 7, 0, 0);
    struct {
        const char* fmt;
        TDateTime when;
        const char* want;
    } cases[] = {
        {"yyyy-mm-dd hh:nn:ss.zzz", dt, "2024-01-05 13:05:09.042"},
        {"d/m/yy", dt, "5/1/24"},
        {"dd.mm.yyyy", dt, "05.01.2024"},
        {"ddd dddd", dt, "Fri Friday"},
        {"mmm mmmm", dt, "Jan January"},
        {"dddd, mmmm d, yyyy", dt, "Friday, January 5, 2024"},
        {"hh:mm", dt, "13:05"},  // m after h is the minute
        {"h:mm:ss", dt, "13:05:09"},
        {"h:nn am/pm", dt, "1:05 pm"},
        {"h:nn AM/PM", morning, "12:07 AM"},
        {"h:nn a/p", dt, "1:05 p"},
        {"hh:nn ampm", dt, "01:05 PM"},
        {"h:n:s z", dt, "13:5:9 42"},
        {"ddddd", dt, "1/5/2024"},
        {"dddddd", dt, "Friday, January 5, 2024"},
        {"t", dt, "1:05 PM"},
        {"tt", dt, "1:05:09 PM"},
        {"c", dt, "1/5/2024 1:05:09 PM"},
        {"c", EncodeDate(2024, 1, 5), "1/5/2024"},
        {"", EncodeDate(2024, 1, 5), "1/5/2024"},
        {"'yyyy' yyyy \"mm\"", dt, "yyyy 2024 mm"},
        {"yyyy/mm/dd", dt, "2024/01/05"},
        {"aaa aaaa", dt, "Fri Friday"},
        {"y", dt, "24"},
        {"yyy", dt, "2024"},
        {"[x] yyyy", dt, "[x] 2024"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fmt);
        EXPECT_EQ(FormatDateTime(c.fmt, c.when), c.want);
    }
}

TEST_F(DateTimeTest, FormatUsesTheSettings) {
    TFormatSettings& fs = FormatSettings();
    fs.DateSeparator = '.';
    fs.TimeSeparator = '-';
    fs.ShortDateFormat = "dd/mm/yyyy";
    fs.LongMonthNames[0] = "Januar";
    const TDateTime dt = EncodeDate(2024, 1, 5) + EncodeTime(13, 5, 9, 0);
    EXPECT_EQ(DateToStr(dt), "05.01.2024");
    EXPECT_EQ(FormatDateTime("hh:nn", dt), "13-05");
    EXPECT_EQ(FormatDateTime("mmmm", dt), "Januar");
}

TEST_F(DateTimeTest, ToStrHelpers) {
    const TDateTime dt = EncodeDate(2024, 12, 24) + EncodeTime(18, 30, 0, 0);
    EXPECT_EQ(DateToStr(dt), "12/24/2024");
    EXPECT_EQ(TimeToStr(dt), "6:30:00 PM");
    EXPECT_EQ(DateTimeToStr(dt), "12/24/2024 6:30:00 PM");
}

TEST_F(DateTimeTest, StrToDateFollowsTheOrderOfTheShortFormat) {
    struct {
        const char* format;
        char sep;
        const char* text;
        int y, m, d;
    } cases[] = {
        {"m/d/yyyy", '/', "1/2/2024", 2024, 1, 2},
        {"m/d/yyyy", '/', " 12 / 31 / 1999 ", 1999, 12, 31},
        {"dd/mm/yyyy", '.', "02.01.2024", 2024, 1, 2},
        {"dd/mm/yyyy", '.', "2.1.2024", 2024, 1, 2},
        {"yyyy/mm/dd", '-', "2024-01-02", 2024, 1, 2},
        {"m/d/yyyy", '/', "2/29/2000", 2000, 2, 29},
        {"m/d/yyyy", '/', "1/2/0099", 99, 1, 2},  // a four-digit year stays as written
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        FormatSettings().ShortDateFormat = c.format;
        FormatSettings().DateSeparator = c.sep;
        EXPECT_DOUBLE_EQ(StrToDate(c.text), EncodeDate(c.y, c.m, c.d));
    }
}

TEST_F(DateTimeTest, StrToDateTwoDigitYears) {
    const int now = ThisYear();
    const int base = now - 50;
    for (int yy : {0, 5, 49, 50, 51, 74, 99}) {
        int want = base / 100 * 100 + yy;
        if (want < base) want += 100;
        String text = "3/4/" + String(yy < 10 ? "0" : "") + std::to_string(yy);
        SCOPED_TRACE(text);
        int y, m, d;
        DecodeDate(StrToDate(text), y, m, d);
        EXPECT_EQ(y, want);
        EXPECT_GE(y, now - 50);
        EXPECT_LT(y, now + 50);
    }
}

TEST_F(DateTimeTest, StrToDateWithoutYearTakesThisYear) {
    int y, m, d;
    DecodeDate(StrToDate("3/4"), y, m, d);
    EXPECT_EQ(y, ThisYear());
    EXPECT_EQ(m, 3);
    EXPECT_EQ(d, 4);
}

TEST_F(DateTimeTest, StrToDateErrors) {
    const char* bad[] = {"", "x", "13/1/2024", "2/30/2024", "1/2/2024x", "1-2-2024", "1//2024", "1/2/",
                         "1/2/10000"};
    for (const char* s : bad) {
        SCOPED_TRACE(s);
        try {
            StrToDate(s);
            ADD_FAILURE() << "no exception";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message, String("'") + s + "' is not a valid date");
        }
        TDateTime d;
        EXPECT_FALSE(TryStrToDate(s, d));
        EXPECT_DOUBLE_EQ(StrToDateDef(s, -7), -7);
    }
}

TEST_F(DateTimeTest, DateRoundTripsThroughEachShortFormat) {
    struct {
        const char* format;
        char sep;
    } formats[] = {{"m/d/yyyy", '/'}, {"dd/mm/yyyy", '.'}, {"yyyy/mm/dd", '-'}, {"d/m/yyyy", '/'}};
    for (const auto& f : formats) {
        FormatSettings().ShortDateFormat = f.format;
        FormatSettings().DateSeparator = f.sep;
        for (TDateTime d = EncodeDate(1850, 1, 1); d < EncodeDate(2100, 1, 1); d += 97) {
            String text = DateToStr(d);
            SCOPED_TRACE(text);
            ASSERT_DOUBLE_EQ(StrToDate(text), d);
        }
    }
}

TEST_F(DateTimeTest, StrToTime) {
    struct {
        const char* s;
        int h, n, sec;
    } cases[] = {
        {"13:05:09", 13, 5, 9}, {"1:05 PM", 13, 5, 0}, {"1:05pm", 13, 5, 0}, {"12:00 AM", 0, 0, 0},
        {"12:30 PM", 12, 30, 0}, {"AM 9:15", 9, 15, 0}, {" 7 ", 7, 0, 0},     {"23:59", 23, 59, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.s);
        EXPECT_NEAR(StrToTime(c.s), EncodeTime(c.h, c.n, c.sec, 0), 1e-9);
    }
    for (const char* s : {"", "25:00", "13:00 PM", "0:30 AM", "1:2:3:4", "ab"}) {
        SCOPED_TRACE(s);
        EXPECT_THROW(StrToTime(s), EConvertError);
    }
}

TEST_F(DateTimeTest, StrToDateTime) {
    EXPECT_NEAR(StrToDateTime("1/2/2024 13:05"), EncodeDate(2024, 1, 2) + EncodeTime(13, 5, 0, 0), 1e-9);
    EXPECT_DOUBLE_EQ(StrToDateTime("1/2/2024"), EncodeDate(2024, 1, 2));
    EXPECT_NEAR(StrToDateTime("6:00"), 0.25, 1e-9);
    EXPECT_NEAR(StrToDateTime("12/29/1899 6:00"), -1.25, 1e-9);
    const TDateTime dt = EncodeDate(2031, 7, 14) + EncodeTime(21, 10, 30, 0);
    EXPECT_NEAR(StrToDateTime(DateTimeToStr(dt)), dt, 1e-9);
    try {
        StrToDateTime("soon");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'soon' is not a valid date and time");
    }
}

TEST_F(DateTimeTest, PosixFormatsTranslate) {
    struct {
        const char* posix;
        const char* want;
        char sep;
    } dates[] = {
        {"%m/%d/%Y", "mm/dd/yyyy", '/'}, {"%d.%m.%Y", "dd/mm/yyyy", '.'}, {"%Y-%m-%d", "yyyy/mm/dd", '-'},
        {"%d/%m/%y", "dd/mm/yy", '/'},   {"%D", "mm/dd/yy", '/'},          {"%F", "yyyy/mm/dd", '-'},
        {"%e.%m.%Y", "d/mm/yyyy", '.'},  {"%d %b %Y", "dd mmm yyyy", 0},
        {"%Y\xe5\xb9\xb4%m\xe6\x9c\x88%d\xe6\x97\xa5", "yyyy\"\xe5\xb9\xb4\"mm\"\xe6\x9c\x88\"dd\"\xe6\x97\xa5\"", 0},
    };
    for (const auto& c : dates) {
        SCOPED_TRACE(c.posix);
        char sep = 'x';
        EXPECT_EQ(DateFormatFromPosix(c.posix, sep), c.want);
        EXPECT_EQ(sep, c.sep);
    }
    struct {
        const char* posix;
        const char* want;
        char sep;
    } times[] = {
        {"%H:%M:%S", "hh:nn:ss", ':'}, {"%I:%M:%S %p", "hh:nn:ss AMPM", ':'}, {"%r", "hh:nn:ss AMPM", ':'},
        {"%T", "hh:nn:ss", ':'},       {"%H.%M.%S", "hh:nn:ss", '.'},
    };
    for (const auto& c : times) {
        SCOPED_TRACE(c.posix);
        char sep = 'x';
        EXPECT_EQ(TimeFormatFromPosix(c.posix, sep), c.want);
        EXPECT_EQ(sep, c.sep);
    }
}

// Runs LoadFormatSettingsFromLocale under the given LC_ALL and restores the
// environment afterwards.
struct LocaleEnv : TEnvOverride {
    explicit LocaleEnv(const char* value) : TEnvOverride("LC_ALL", value) {}
};

TEST_F(DateTimeTest, CLocaleKeepsTheDefaults) {
    for (const char* name : {"C", "POSIX", "C.UTF-8"}) {
        SCOPED_TRACE(name);
        LocaleEnv env(name);
        FormatSettings().ShortDateFormat = "changed";
        LoadFormatSettingsFromLocale();
        const TFormatSettings& fs = FormatSettings();
        EXPECT_EQ(fs.ShortDateFormat, "m/d/yyyy");
        EXPECT_EQ(fs.DateSeparator, '/');
        EXPECT_EQ(fs.LongMonthNames[0], "January");
        EXPECT_EQ(fs.ShortDayNames[0], "Sun");
        EXPECT_EQ(fs.DecimalSeparator, '.');
    }
}

// Reads de_DE.UTF-8 and checks the settings; returns what differs, "" when
// all is well.
String CheckGermanSettings() {
    LocaleEnv env("de_DE.UTF-8");
    LoadFormatSettingsFromLocale();
    const TFormatSettings& fs = FormatSettings();
    String bad;
    auto expect = [&](const String& what, const String& got, const String& want) {
        if (got != want) bad += what + ": got '" + got + "', want '" + want + "'\n";
    };
    expect("ShortDateFormat", fs.ShortDateFormat, "dd/mm/yyyy");
    expect("DateSeparator", String(1, fs.DateSeparator), ".");
    expect("LongMonthNames[2]", fs.LongMonthNames[2], "M\xc3\xa4rz");
    expect("ShortDayNames[0]", fs.ShortDayNames[0], "So");
    expect("LongTimeFormat", fs.LongTimeFormat, "hh:nn:ss");
    expect("ShortTimeFormat", fs.ShortTimeFormat, "hh:nn");
    expect("DecimalSeparator", String(1, fs.DecimalSeparator), ".");  // numbers stay locale-independent
    expect("DateToStr", DateToStr(EncodeDate(2024, 1, 5)), "05.01.2024");
    TDateTime d = 0;
    if (!TryStrToDate("05.01.2024", d) || d != EncodeDate(2024, 1, 5)) bad += "StrToDate\n";
    return bad;
}

TEST_F(DateTimeTest, ARealLocaleIsRead) {
    // Only where the machine has the locale or can compile it from the
    // locale sources into a temporary folder. Runs in a child process: glibc
    // keeps a little memory for LOCPATH that the leak checker would report.
    locale_t probe = newlocale(LC_TIME_MASK, "de_DE.UTF-8", static_cast<locale_t>(0));
    String locpath;
    std::unique_ptr<TTempDir> scratch;
    if (probe) {
        freelocale(probe);
    } else {
        scratch = std::make_unique<TTempDir>();
        locpath = scratch->Path();
        ASSERT_FALSE(locpath.empty());
        String cmd = "localedef -i de_DE -f UTF-8 '" + locpath + "/de_DE.UTF-8' >/dev/null 2>&1";
        if (system(cmd.c_str()) != 0) GTEST_SKIP() << "de_DE.UTF-8 is not installed and cannot be compiled here";
    }
    GTEST_FLAG_SET(death_test_style, "fast");  // the child reuses the compiled locale
    EXPECT_EXIT(
        {
            if (!locpath.empty()) setenv("LOCPATH", locpath.c_str(), 1);
            String bad = CheckGermanSettings();
            fputs(bad.c_str(), stderr);
            _exit(bad.empty() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
