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
    String ShortMonthNames[12];
    String LongMonthNames[12];
    String ShortDayNames[7];  // Sunday first
    String LongDayNames[7];
};

// The one process-wide settings object, filled from the locale at start-up.
TFormatSettings& FormatSettings();
// Reads LC_TIME/LC_NUMERIC of the environment into FormatSettings(); a "C"
// or "POSIX" locale keeps the defaults above.
void LoadFormatSettingsFromLocale();

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
