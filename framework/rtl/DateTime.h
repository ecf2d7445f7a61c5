#pragma once
// TDateTime: days since 1899-12-30, the time of day as the fraction.
#include "framework/rtl/Types.h"

struct TFormatSettings {
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    String ShortDateFormat = "m/d/yyyy";
    String LongDateFormat = "dddd, mmmm d, yyyy";
    String ShortTimeFormat = "h:nn AMPM";
    String LongTimeFormat = "h:nn:ss AMPM";
    String TimeAMString = "AM";
    String TimePMString = "PM";
    String ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    String LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                 "July",    "August",   "September", "October", "November", "December"};
    String ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};  // Sunday first
    String LongDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                              "Thursday", "Friday", "Saturday"};
    // Currency text for Format's %m and FloatToStrF(ffCurrency): the
    // runtime's CurrencyFormat (0 "$1", 1 "1$", 2 "$ 1", 3 "1 $") and
    // NegCurrFormat (0 "($1)" ... 15, as the runtime numbers them).
    String CurrencyString = "$";
    int CurrencyFormat = 0;
    int NegCurrFormat = 0;
    int CurrencyDecimals = 2;
    // StrToDate's window for two-digit years: a year is taken within this
    // many years before the current one and (100 - window) after it.
    int TwoDigitYearCenturyWindow = 50;
};

// The one process-wide settings object, filled from the locale at start-up.
TFormatSettings& FormatSettings();
// Reads LC_TIME/LC_NUMERIC of the environment into FormatSettings(); a "C"
// or "POSIX" locale keeps the defaults above.
void LoadFormatSettingsFromLocale();
// Turns a C library date or time format (nl_langinfo's D_FMT/T_FMT, e.g.
// "%m/%d/%Y" or "%H:%M:%S") into the runtime's ("mm/dd/yyyy", "hh:nn:ss").
// Separators between the fields become '/' (dates) or ':' (times) and the
// first one found is stored in `separator`; 0 when there is none.
String DateFormatFromPosix(const String& posixFormat, char& separator);
String TimeFormatFromPosix(const String& posixFormat, char& separator);
// Date plus time of day under the runtime's rule for dates before
// 1899-12-30: the fraction is always the time, whatever the sign.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
TDateTime EncodeDate(int year, int month, int day);  // EConvertError
void DecodeDate(TDateTime date, int& year, int& month, int& day);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time);
TDateTime EncodeTime(int hour, int min, int sec, int msec);  // EConvertError
void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec);
int DayOfWeek(TDateTime date);  // 1 = Sunday
TDateTime Now();
TDateTime Date();
TDateTime Time();

String DateToStr(TDateTime date);
String TimeToStr(TDateTime time);
String DateTimeToStr(TDateTime dt);
TDateTime StrToDate(const String& s);  // EConvertError SInvalidDate
bool TryStrToDate(const String& s, TDateTime& date);
TDateTime StrToDateDef(const String& s, TDateTime def);
TDateTime StrToTime(const String& s);
TDateTime StrToDateTime(const String& s);
// The runtime's format specifiers: d dd ddd dddd ddddd dddddd m mm mmm mmmm
// yy yyyy h hh n nn s ss z zzz t tt c am/pm a/p ampm / : "..." '...'
String FormatDateTime(const String& format, TDateTime dt);
