#include "gridkit/grid/GkFunctions.h"

#include <climits>
#include <cstdint>
#include <cstring>

#include "framework/controls/Beep.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/rtl/DateTime.h"
#include "framework/rtl/StrUtils.h"

TCellTextKind TextKind(const String& text, bool allowMarkup) {
    if (text.size() <= 1) return TCellTextKind::Plain;
    if (text[0] == '=') return TCellTextKind::Formula;
    if (text.compare(0, 2, "{\\") == 0) return TCellTextKind::RichText;
    if (allowMarkup && (text.find("</") != String::npos || text.find("<B") != String::npos ||
                        text.find("<I") != String::npos))
        return TCellTextKind::Markup;
    return TCellTextKind::Plain;
}

int ClassifyNumberText(const String& text) {
    const TFormatSettings& fs = FormatSettings();
    int minus = 0, decimals = 0;
    bool allIntChars = true, allFloatChars = true;
    int lastThousand = -1;
    bool thousandBad = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        const bool digit = ch >= '0' && ch <= '9';
        if (ch == '-') ++minus;
        if (ch == fs.DecimalSeparator) ++decimals;
        if (!digit && ch != '-') allIntChars = false;
        if (!digit && ch != ',' && ch != '-' && ch != '.') allFloatChars = false;
        if (ch == fs.ThousandSeparator) {
            // A group separator never leads and never follows the previous
            // one by fewer than three places.
            if (i == 0 || (lastThousand >= 0 && static_cast<int>(i) - lastThousand < 3)) thousandBad = true;
            lastThousand = static_cast<int>(i);
        }
    }
    if (minus >= 2 || decimals >= 2) return 2;
    if (allIntChars) return 0;
    if (allFloatChars && !thousandBad) return 1;
    return 2;
}

bool IsURL(const String& text) {
    return text.find("://") != String::npos || text.find("mailto:") != String::npos;
}

String StripURLProtocol(const String& text) {
    size_t p = text.find("://");
    if (p != String::npos) return text.substr(p + 3);
    p = text.find("mailto:");
    if (p != String::npos) return text.substr(p + 7);
    return text;
}

namespace {
bool AllDigits(const String& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}
}  // namespace

bool ParseRowCol(const String& text, int& col, int& row) {
    const String s = UpperCase(text);
    if (s.size() < 4 || s[0] != 'R') return false;
    const size_t c = s.find('C');
    if (c == String::npos) return false;
    const String r = s.substr(1, c - 1), k = s.substr(c + 1);
    if (!AllDigits(r) || !AllDigits(k)) return false;
    if (!TryStrToInt(r, row) || !TryStrToInt(k, col)) return false;
    return true;
}

String FirstLine(const String& text, String* rest) {
    const size_t p = text.find('\r');
    if (p == String::npos) {
        if (rest) rest->clear();
        return text;
    }
    if (rest) {
        size_t from = p + 1;
        if (from < text.size() && text[from] == '\n') ++from;
        *rest = text.substr(from);
    }
    return text.substr(0, p);
}

int LineCount(const String& text, bool multiLine) {
    if (!multiLine) return 1;
    int n = 1;
    for (char c : text)
        if (c == '\r') ++n;
    return n;
}

String DecodeHeaderBreaks(const String& text) {
    String out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\r';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

String FillChars(const String& text, char c) { return String(text.size(), c); }


// The program keeps page text byte-transparent and knows no OEM code page.
String OemToAnsiText(const String& text) { return text; }

String EncodeCellText(const String& text) {
    // CR and LF each have a stand-in of their own, so CR LF, a lone CR and
    // a lone LF all come back as they were written (a text without a CR
    // goes out as it stands).
    if (text.find('\r') == String::npos) return text;
    String out = text;
    for (char& c : out) {
        if (c == '\r') c = '\t';
        else if (c == '\n') c = '\b';
    }
    return out;
}

size_t DecodeCellTextInPlace(char* text, size_t size, bool multiLineCells) {
    if (std::memchr(text, '\b', size)) {
        for (char* p = text; p < text + size; ++p) {
            if (*p == '\t') *p = '\r';
            else if (*p == '\b') *p = '\n';
        }
    }
    if (!multiLineCells)
        if (const void* cr = std::memchr(text, '\r', size)) return static_cast<size_t>(static_cast<const char*>(cr) - text);
    return size;
}

String DecodeCellText(const String& text, bool multiLineCells) {
    String out = text;
    out.resize(DecodeCellTextInPlace(out.data(), out.size(), multiLineCells));
    return out;
}

int CellFileNumber(std::string_view field, bool* digits) {
    size_t i = 0;
    const size_t n = field.size();
    while (i < n && field[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (field[i] == '-' || field[i] == '+')) {
        negative = field[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < n && field[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && field[i] == '0' && (field[i + 1] == 'x' || field[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    std::int64_t v = 0;
    int count = 0;
    for (; i < n; ++i) {
        const char c = field[i];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else break;
        v = v * base + d;
        if (v > INT_MAX) v = INT_MAX;
        ++count;
    }
    if (digits) *digits = count > 0;
    if (count == 0) return 0;
    const bool complete = i == n;
    return static_cast<int>(complete && negative ? -v : v);
}

void DrawTransparentBitmap(TCanvas* canvas, TBitmap* bitmap, TColor background, const TRect& rect) {
    if (!canvas || !bitmap || bitmap->Empty()) return;
    const int w = bitmap->Width(), h = bitmap->Height();
    TBitmap work(w, h);
    TCanvas* src = bitmap->Canvas();
    TCanvas* dst = work.Canvas();
    dst->Brush()->SetColor(background);
    dst->FillRect(Rect(0, 0, w, h));
    const TColor key = src->Pixels(0, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TColor c = src->Pixels(x, y);
            if (c != key) dst->SetPixels(x, y, c);
        }
    canvas->StretchDraw(rect, &work);
}

namespace {
std::function<void()>& BeepHook() {
    static std::function<void()> hook;
    return hook;
}
}  // namespace

void GkMessageBeep() {
    if (BeepHook()) BeepHook()();
    else MessageBeep(0);
}

void SetGkBeepHook(std::function<void()> hook) { BeepHook() = std::move(hook); }
