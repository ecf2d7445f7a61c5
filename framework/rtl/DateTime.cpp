#include "framework/rtl/DateTime.h"

#include <langinfo.h>
#include <locale.h>
#include <time.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "framework/rtl/Exception.h"
#include "framework/rtl/StrUtils.h"

namespace {
const char* const SDateEncodeError = "Invalid argument to date encode";
const char* const STimeEncodeError = "Invalid argument to time encode";
constexpr Int64 MSecsPerDay = 86400000;
constexpr int DateDelta = 693594;  // days from 0001-01-01 to 1899-12-31

const int kMonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                               {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// The runtime's TTimeStamp: Date counts days from 0001-01-01 as day 1,
// Time the milliseconds of the day. The time is the absolute fraction, so a
// date before 1899-12-30 still carries a positive time of day.
struct TimeStamp {
    Int64 Date;
    Int64 Time;
};

TimeStamp ToTimeStamp(TDateTime dt) {
    const Int64 ms = std::llround(dt * static_cast<double>(MSecsPerDay));
    TimeStamp ts;
    ts.Date = DateDelta + ms / MSecsPerDay;
    ts.Time = (ms < 0 ? -ms : ms) % MSecsPerDay;
    return ts;
}
}  // namespace

TFormatSettings& FormatSettings() {
    static TFormatSettings settings;
    return settings;
}

// --- the locale ---------------------------------------------------------------

namespace {
void AppendLiteral(String& out, const String& lit) {
    if (lit.empty()) return;
    out += '"';
    out += lit;
    out += '"';
}

// Shared by the date and time translators: `map` turns a conversion letter
// into the runtime's specifier; `fieldSep` is what a separator becomes.
template <class Map>
String TranslatePosix(const String& f, char& separator, char fieldSep, Map map) {
    separator = 0;
    String out;
    String literal;
    auto flushLiteral = [&] {
        AppendLiteral(out, literal);
        literal.clear();
    };
    for (size_t i = 0; i < f.size(); ++i) {
        char c = f[i];
        if (c == '%' && i + 1 < f.size()) {
            char k = f[++i];
            if ((k == 'E' || k == 'O') && i + 1 < f.size()) k = f[++i];
            if (k == '%') {
                literal += '%';
                continue;
            }
            flushLiteral();
            out += map(k, separator);
            continue;
        }
        const unsigned char u = static_cast<unsigned char>(c);
        const bool punct = u < 0x80 && !std::isalnum(u) && c != ' ' && c != '"' && c != '\'';
        if (punct && (separator == 0 || c == separator)) {
            flushLiteral();
            separator = c;
            out += fieldSep;
        } else if (c == ' ' || (punct && c != fieldSep)) {
            flushLiteral();
            out += c;
        } else {
            literal += c;
        }
    }
    flushLiteral();
    return out;
}
}  // namespace

String DateFormatFromPosix(const String& posixFormat, char& separator) {
    return TranslatePosix(posixFormat, separator, '/', [](char k, char& sep) -> String {
        switch (k) {
            case 'd': return "dd";
            case 'e': return "d";
            case 'm': return "mm";
            case 'y': return "yy";
            case 'Y': return "yyyy";
            case 'b':
            case 'h': return "mmm";
            case 'B': return "mmmm";
            case 'a': return "ddd";
            case 'A': return "dddd";
            case 'D':
                if (!sep) sep = '/';
                return "mm/dd/yy";
            case 'F':
                if (!sep) sep = '-';
                return "yyyy/mm/dd";
            default: return String();
        }
    });
}

String TimeFormatFromPosix(const String& posixFormat, char& separator) {
    return TranslatePosix(posixFormat, separator, ':', [](char k, char& sep) -> String {
        switch (k) {
            case 'H': return "hh";
            case 'k': return "h";
            case 'I': return "hh";
            case 'l': return "h";
            case 'M': return "nn";
            case 'S': return "ss";
            case 'p':
            case 'P': return "AMPM";
            case 'r':
                if (!sep) sep = ':';
                return "hh:nn:ss AMPM";
            case 'T':
                if (!sep) sep = ':';
                return "hh:nn:ss";
            case 'R':
                if (!sep) sep = ':';
                return "hh:nn";
            default: return String();
        }
    });
}

void LoadFormatSettingsFromLocale() {
    TFormatSettings& fs = FormatSettings();
    fs = TFormatSettings();
    const char* name = nullptr;
    for (const char* var : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* v = getenv(var);
        if (v && *v) {
            name = v;
            break;
        }
    }
    if (!name) return;
    const String n(name);
    if (n == "C" || n == "POSIX" || n.rfind("C.", 0) == 0) return;
    locale_t loc = newlocale(LC_TIME_MASK, name, static_cast<locale_t>(0));
    if (!loc) return;

    char sep = 0;
    String df = DateFormatFromPosix(nl_langinfo_l(D_FMT, loc), sep);
    if (!df.empty()) {
        fs.ShortDateFormat = df;
        if (sep) fs.DateSeparator = sep;
    }
    char tsep = 0;
    String tf = TimeFormatFromPosix(nl_langinfo_l(T_FMT, loc), tsep);
    if (!tf.empty()) {
        fs.LongTimeFormat = tf;
        if (tsep) fs.TimeSeparator = tsep;
        String st = tf;
        size_t p = st.find("ss");
        if (p != String::npos) {
            size_t b = p;
            if (b > 0 && st[b - 1] == ':') --b;
            st.erase(b, p + 2 - b);
        }
        fs.ShortTimeFormat = st;
    }
    String am = nl_langinfo_l(AM_STR, loc);
    String pm = nl_langinfo_l(PM_STR, loc);
    if (!am.empty()) fs.TimeAMString = am;
    if (!pm.empty()) fs.TimePMString = pm;
    static const nl_item mon[12] = {MON_1, MON_2, MON_3, MON_4, MON_5, MON_6,
                                    MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
    static const nl_item abmon[12] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                      ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    static const nl_item day[7] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
    static const nl_item abday[7] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7};
    for (int i = 0; i < 12; ++i) {
        String l = nl_langinfo_l(mon[i], loc);
        String s = nl_langinfo_l(abmon[i], loc);
        if (!l.empty()) fs.LongMonthNames[i] = l;
        if (!s.empty()) fs.ShortMonthNames[i] = s;
    }
    for (int i = 0; i < 7; ++i) {
        String l = nl_langinfo_l(day[i], loc);
        String s = nl_langinfo_l(abday[i], loc);
        if (!l.empty()) fs.LongDayNames[i] = l;
        if (!s.empty()) fs.ShortDayNames[i] = s;
    }
    freelocale(loc);
}

// --- encoding and decoding ----------------------------------------------------

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
    if (month < 1 || month > 12) return 0;
    return kMonthDays[IsLeapYear(year) ? 1 : 0][month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return false;
    const int* md = kMonthDays[IsLeapYear(year) ? 1 : 0];
    Int64 d = day;
    for (int m = 0; m < month - 1; ++m) d += md[m];
    const Int64 y = year - 1;
    d += y * 365 + y / 4 - y / 100 + y / 400;
    date = static_cast<double>(d - DateDelta);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime d;
    if (!TryEncodeDate(year, month, day, d)) throw EConvertError(SDateEncodeError);
    return d;
}

void DecodeDate(TDateTime date, int& year, int& month, int& day) {
    Int64 t = ToTimeStamp(date).Date;
    if (t <= 0) {
        year = month = day = 0;
        return;
    }
    const Int64 D1 = 365, D4 = D1 * 4 + 1, D100 = D4 * 25 - 1, D400 = D100 * 4 + 1;
    Int64 y = 1;
    --t;
    y += (t / D400) * 400;
    t %= D400;
    Int64 i = t / D100, d = t % D100;
    if (i == 4) {
        --i;
        d += D100;
    }
    y += i * 100;
    i = d / D4;
    d %= D4;
    y += i * 4;
    i = d / D1;
    d %= D1;
    if (i == 4) {
        --i;
        d += D1;
    }
    y += i;
    const int* md = kMonthDays[IsLeapYear(static_cast<int>(y)) ? 1 : 0];
    int m = 0;
    while (d >= md[m]) {
        d -= md[m];
        ++m;
    }
    year = static_cast<int>(y);
    month = m + 1;
    day = static_cast<int>(d) + 1;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time) {
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 ||
        msec > 999)
        return false;
    time = static_cast<double>(((hour * 60 + min) * 60 + sec) * 1000 + msec) /
           static_cast<double>(MSecsPerDay);
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    TDateTime t;
    if (!TryEncodeTime(hour, min, sec, msec, t)) throw EConvertError(STimeEncodeError);
    return t;
}

void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec) {
    Int64 ms = ToTimeStamp(time).Time;
    msec = static_cast<int>(ms % 1000);
    ms /= 1000;
    sec = static_cast<int>(ms % 60);
    ms /= 60;
    min = static_cast<int>(ms % 60);
    hour = static_cast<int>(ms / 60);
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
    const double d = std::trunc(date);
    const double t = std::fabs(time - std::trunc(time));
    return date < 0 ? d - t : d + t;
}

int DayOfWeek(TDateTime date) {
    Int64 d = ToTimeStamp(date).Date;
    Int64 r = d % 7;
    if (r < 0) r += 7;
    return static_cast<int>(r) + 1;
}

TDateTime Now() {
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    struct tm tm;
    localtime_r(&ts.tv_sec, &tm);
    TDateTime d = EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    int sec = tm.tm_sec > 59 ? 59 : tm.tm_sec;  // a leap second
    TDateTime t = EncodeTime(tm.tm_hour, tm.tm_min, sec, static_cast<int>(ts.tv_nsec / 1000000));
    return d + t;
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time() {
    TDateTime n = Now();
    return n - std::trunc(n);
}

// --- formatting ---------------------------------------------------------------

namespace {
struct DateTimeFormatter {
    TDateTime DT;
    const TFormatSettings& FS;
    String Out;
    int Year = 0, Month = 0, Day = 0;
    int Hour = 0, Min = 0, Sec = 0, MSec = 0;
    bool Use12HourClock = false;
    int Level = 0;

    DateTimeFormatter(TDateTime dt, const TFormatSettings& fs) : DT(dt), FS(fs) {
        DecodeDate(dt, Year, Month, Day);
        DecodeTime(dt, Hour, Min, Sec, MSec);
    }

    void Number(int v, int digits) {
        String s = std::to_string(v);
        if (static_cast<int>(s.size()) < digits) s.insert(0, static_cast<size_t>(digits) - s.size(), '0');
        Out += s;
    }

    static bool IStarts(const String& f, size_t p, const char* what) {
        size_t n = strlen(what);
        if (p + n > f.size()) return false;
        for (size_t k = 0; k < n; ++k)
            if (UpCase(f[p + k]) != UpCase(what[k])) return false;
        return true;
    }

    void Append(const String& f) {
        if (Level >= 2) return;  // guards against formats that name themselves
        ++Level;
        char lastToken = ' ';
        size_t p = 0;
        const size_t n = f.size();
        while (p < n) {
            const char starter = f[p];
            ++p;
            char token = UpCase(starter);
            if (token >= 'A' && token <= 'Z') {
                if (token == 'M' && lastToken == 'H') token = 'N';
                lastToken = token;
            }
            auto count = [&]() {
                int c = 1;
                while (p < n && f[p] == starter) {
                    ++p;
                    ++c;
                }
                return c;
            };
            switch (token) {
                case 'Y': {
                    int c = count();
                    if (c <= 2)
                        Number(Year % 100, 2);
                    else
                        Number(Year, 4);
                    break;
                }
                case 'M': {
                    int c = count();
                    if (c <= 2)
                        Number(Month, c);
                    else if (Month >= 1 && Month <= 12)
                        Out += c == 3 ? FS.ShortMonthNames[Month - 1] : FS.LongMonthNames[Month - 1];
                    break;
                }
                case 'D': {
                    int c = count();
                    int dow = DayOfWeek(DT) - 1;
                    switch (c) {
                        case 1:
                        case 2: Number(Day, c); break;
                        case 3: Out += FS.ShortDayNames[dow]; break;
                        case 4: Out += FS.LongDayNames[dow]; break;
                        case 5: Append(FS.ShortDateFormat); break;
                        default: Append(FS.LongDateFormat); break;
                    }
                    break;
                }
                case 'H': {
                    int c = count();
                    // The hour is on the 12-hour clock when an am/pm marker
                    // follows before the next hour.
                    bool quoted = false;
                    for (size_t q = p; q < n; ++q) {
                        char ch = f[q];
                        if (ch == '\'' || ch == '"') {
                            quoted = !quoted;
                        } else if (!quoted && (ch == 'A' || ch == 'a')) {
                            if (IStarts(f, q, "AM/PM") || IStarts(f, q, "A/P") || IStarts(f, q, "AMPM"))
                                Use12HourClock = true;
                            break;
                        } else if (!quoted && (ch == 'H' || ch == 'h')) {
                            break;
                        }
                    }
                    int h = Hour;
                    if (Use12HourClock) {
                        if (h == 0)
                            h = 12;
                        else if (h > 12)
                            h -= 12;
                    }
                    Number(h, c > 2 ? 2 : c);
                    break;
                }
                case 'N': {
                    int c = count();
                    Number(Min, c > 2 ? 2 : c);
                    break;
                }
                case 'S': {
                    int c = count();
                    Number(Sec, c > 2 ? 2 : c);
                    break;
                }
                case 'Z': {
                    int c = count();
                    Number(MSec, c > 1 ? 3 : 1);
                    break;
                }
                case 'T': {
                    int c = count();
                    Append(c == 1 ? FS.ShortTimeFormat : FS.LongTimeFormat);
                    break;
                }
                case 'C': {
                    count();
                    Append(FS.ShortDateFormat);
                    if (Hour != 0 || Min != 0 || Sec != 0 || MSec != 0) {
                        Out += ' ';
                        Append(FS.LongTimeFormat);
                    }
                    break;
                }
                case 'A': {
                    size_t s = p - 1;
                    if (IStarts(f, s, "AM/PM")) {
                        Out += Hour >= 12 ? f.substr(s + 3, 2) : f.substr(s, 2);
                        p = s + 5;
                        Use12HourClock = true;
                    } else if (IStarts(f, s, "A/P")) {
                        Out += Hour >= 12 ? f[s + 2] : f[s];
                        p = s + 3;
                        Use12HourClock = true;
                    } else if (IStarts(f, s, "AMPM")) {
                        Out += Hour < 12 ? FS.TimeAMString : FS.TimePMString;
                        p = s + 4;
                        Use12HourClock = true;
                    } else if (IStarts(f, s, "AAAA")) {
                        Out += FS.LongDayNames[DayOfWeek(DT) - 1];
                        p = s + 4;
                    } else if (IStarts(f, s, "AAA")) {
                        Out += FS.ShortDayNames[DayOfWeek(DT) - 1];
                        p = s + 3;
                    } else {
                        Out += starter;
                    }
                    break;
                }
                case '/':
                    if (FS.DateSeparator) Out += FS.DateSeparator;
                    break;
                case ':':
                    if (FS.TimeSeparator) Out += FS.TimeSeparator;
                    break;
                case '\'':
                case '"': {
                    while (p < n && f[p] != starter) Out += f[p++];
                    if (p < n) ++p;
                    break;
                }
                default:
                    Out += starter;
                    break;
            }
        }
        --Level;
    }
};
}  // namespace

String FormatDateTime(const String& format, TDateTime dt) {
    DateTimeFormatter fmt(dt, FormatSettings());
    fmt.Append(format.empty() ? String("c") : format);
    return fmt.Out;
}

String DateToStr(TDateTime date) { return FormatDateTime("ddddd", date); }
String TimeToStr(TDateTime time) { return FormatDateTime("tt", time); }
String DateTimeToStr(TDateTime dt) { return FormatDateTime("c", dt); }

// --- parsing --------------------------------------------------------------------

namespace {
enum DateOrder { doMDY, doDMY, doYMD };

DateOrder GetDateOrder(const String& f) {
    for (char c : f) {
        switch (UpCase(c)) {
            case 'E':
            case 'Y': return doYMD;
            case 'M': return doMDY;
            case 'D': return doDMY;
            default: break;
        }
    }
    return doMDY;
}

struct Scanner {
    const String& S;
    size_t Pos = 0;

    explicit Scanner(const String& s) : S(s) {}

    void Blanks() {
        while (Pos < S.size() && S[Pos] == ' ') ++Pos;
    }
    bool AtEnd() const { return Pos >= S.size(); }

    bool Number(int& n, int& len) {
        Blanks();
        size_t p = Pos;
        int v = 0;
        while (p < S.size() && S[p] >= '0' && S[p] <= '9' && v < 1000) {
            v = v * 10 + (S[p] - '0');
            ++p;
        }
        if (p == Pos) return false;
        len = static_cast<int>(p - Pos);
        n = v;
        Pos = p;
        return true;
    }

    bool Char(char c) {
        Blanks();
        if (c != 0 && Pos < S.size() && S[Pos] == c) {
            ++Pos;
            return true;
        }
        return false;
    }

    bool Text(const String& t) {
        if (t.empty()) return false;
        Blanks();
        if (Pos + t.size() > S.size()) return false;
        if (!SameText(S.substr(Pos, t.size()), t)) return false;
        Pos += t.size();
        return true;
    }
};

int CurrentYear() {
    int y, m, d;
    DecodeDate(Now(), y, m, d);
    return y;
}

bool ScanDate(Scanner& sc, TDateTime& date) {
    const TFormatSettings& fs = FormatSettings();
    const DateOrder order = GetDateOrder(fs.ShortDateFormat);
    int n1, n2, n3, l1, l2, l3;
    if (!(sc.Number(n1, l1) && sc.Char(fs.DateSeparator) && sc.Number(n2, l2))) return false;
    int y, m, d;
    if (sc.Char(fs.DateSeparator)) {
        if (!sc.Number(n3, l3)) return false;
        int yearLen;
        switch (order) {
            case doMDY: y = n3; yearLen = l3; m = n1; d = n2; break;
            case doDMY: y = n3; yearLen = l3; m = n2; d = n1; break;
            default: y = n1; yearLen = l1; m = n2; d = n3; break;
        }
        if (yearLen <= 2) {
            const int window = fs.TwoDigitYearCenturyWindow;
            const int base = CurrentYear() - window;
            y += base / 100 * 100;
            if (window > 0 && y < base) y += 100;
        }
    } else {
        y = CurrentYear();
        if (order == doDMY) {
            d = n1;
            m = n2;
        } else {
            m = n1;
            d = n2;
        }
    }
    sc.Char(fs.DateSeparator);
    sc.Blanks();
    return TryEncodeDate(y, m, d, date);
}

bool ScanTime(Scanner& sc, TDateTime& time) {
    const TFormatSettings& fs = FormatSettings();
    int baseHour = -1;
    if (sc.Text(fs.TimeAMString) || sc.Text("AM"))
        baseHour = 0;
    else if (sc.Text(fs.TimePMString) || sc.Text("PM"))
        baseHour = 12;
    if (baseHour >= 0) sc.Blanks();
    int hour, min = 0, sec = 0, msec = 0, len;
    if (!sc.Number(hour, len)) return false;
    if (sc.Char(fs.TimeSeparator)) {
        if (!sc.Number(min, len)) return false;
        if (sc.Char(fs.TimeSeparator)) {
            if (!sc.Number(sec, len)) return false;
            if (sc.Char(fs.DecimalSeparator))
                if (!sc.Number(msec, len)) return false;
        }
    }
    if (baseHour < 0) {
        if (sc.Text(fs.TimeAMString) || sc.Text("AM"))
            baseHour = 0;
        else if (sc.Text(fs.TimePMString) || sc.Text("PM"))
            baseHour = 12;
    }
    if (baseHour >= 0) {
        if (hour == 0 || hour > 12) return false;
        if (hour == 12) hour = 0;
        hour += baseHour;
    }
    sc.Blanks();
    return TryEncodeTime(hour, min, sec, msec, time);
}
}  // namespace

bool TryStrToDate(const String& s, TDateTime& date) {
    Scanner sc(s);
    TDateTime d;
    if (!ScanDate(sc, d) || !sc.AtEnd()) return false;
    date = d;
    return true;
}

TDateTime StrToDate(const String& s) {
    TDateTime d;
    if (!TryStrToDate(s, d)) throw EConvertError(RtlConsts::SInvalidDate, {s});
    return d;
}

TDateTime StrToDateDef(const String& s, TDateTime def) {
    TDateTime d;
    return TryStrToDate(s, d) ? d : def;
}

TDateTime StrToTime(const String& s) {
    Scanner sc(s);
    TDateTime t;
    if (!ScanTime(sc, t) || !sc.AtEnd()) throw EConvertError(RtlConsts::SInvalidTime, {s});
    return t;
}

TDateTime StrToDateTime(const String& s) {
    Scanner sc(s);
    TDateTime d, t = 0;
    if (ScanDate(sc, d) && (sc.AtEnd() || (ScanTime(sc, t) && sc.AtEnd())))
        return ComposeDateTime(d, t);
    Scanner st(s);
    if (ScanTime(st, t) && st.AtEnd()) return t;
    throw EConvertError(RtlConsts::SInvalidDateTime, {s});
}
