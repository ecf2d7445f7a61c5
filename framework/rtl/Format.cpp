#include "framework/rtl/Format.h"

#include <cstdint>

#include "framework/rtl/DateTime.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/StrUtils.h"

namespace {
const char* const SInvalidFormat = "Format '%s' invalid or incompatible with argument";
const char* const SArgumentMissing = "No argument for format '%s'";

// Raised with a plain message so that the error itself never re-enters
// Format.
[[noreturn]] void FormatError(const char* text, const String& fmt) {
    String msg(text);
    size_t p = msg.find("%s");
    msg.replace(p, 2, fmt);
    throw EConvertError(msg);
}

String UnsignedToHex(std::uint64_t u) {
    static const char hex[] = "0123456789ABCDEF";
    String r;
    do {
        r.insert(r.begin(), hex[u & 15]);
        u >>= 4;
    } while (u != 0);
    return r;
}

// The runtime reads a 32-bit integer as unsigned for %u and %x; a value
// that needs 64 bits is shown in 64.
std::uint64_t AsUnsigned(const TVarRec& a) {
    if (a.VType == TVarRec::vtUnsigned) return a.VUnsigned;
    if (a.VInteger >= INT32_MIN && a.VInteger <= INT32_MAX)
        return static_cast<std::uint32_t>(static_cast<std::int32_t>(a.VInteger));
    return static_cast<std::uint64_t>(a.VInteger);
}

bool IsIntegral(const TVarRec& a) {
    return a.VType == TVarRec::vtInteger || a.VType == TVarRec::vtUnsigned;
}

void ZeroPad(String& digits, int prec) {
    if (prec > static_cast<int>(digits.size()))
        digits.insert(0, static_cast<size_t>(prec) - digits.size(), '0');
}
}  // namespace

String FormatV(const String& fmt, const std::vector<TVarRec>& args) {
    String out;
    out.reserve(fmt.size() + 16);
    size_t argIndex = 0;
    size_t i = 0;
    const size_t n = fmt.size();

    auto nextArg = [&]() -> const TVarRec& {
        if (argIndex >= args.size()) FormatError(SArgumentMissing, fmt);
        return args[argIndex++];
    };
    // A number in the directive, or '*' taking it from the arguments; -1 when
    // absent.
    auto readNumber = [&]() -> int {
        if (i < n && fmt[i] == '*') {
            ++i;
            const TVarRec& a = nextArg();
            if (a.VType != TVarRec::vtInteger) FormatError(SInvalidFormat, fmt);
            return static_cast<int>(a.VInteger);
        }
        if (i >= n || fmt[i] < '0' || fmt[i] > '9') return -1;
        long v = 0;
        while (i < n && fmt[i] >= '0' && fmt[i] <= '9') {
            v = v * 10 + (fmt[i] - '0');
            if (v > 100000000) FormatError(SInvalidFormat, fmt);
            ++i;
        }
        return static_cast<int>(v);
    };

    while (i < n) {
        char c = fmt[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        ++i;
        if (i >= n) FormatError(SInvalidFormat, fmt);
        if (fmt[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // [index ":"] ["-"] [width] ["." prec] type
        int num = readNumber();
        if (i < n && fmt[i] == ':') {
            if (num < 0) num = 0;
            argIndex = static_cast<size_t>(num);
            ++i;
            num = -1;
        }
        bool left = false;
        if (num < 0) {
            if (i < n && fmt[i] == '-') {
                left = true;
                ++i;
            }
            num = readNumber();
        }
        int width = num;
        if (width < 0) width = 0;
        int prec = -1;
        if (i < n && fmt[i] == '.') {
            ++i;
            prec = readNumber();
            if (prec < 0) prec = 0;
        }
        if (i >= n) FormatError(SInvalidFormat, fmt);
        char type = static_cast<char>(UpCase(fmt[i]));
        ++i;

        String text;
        switch (type) {
            case 'D': {
                const TVarRec& a = nextArg();
                if (!IsIntegral(a)) FormatError(SInvalidFormat, fmt);
                bool neg = false;
                String digits;
                if (a.VType == TVarRec::vtUnsigned) {
                    digits = std::to_string(a.VUnsigned);
                } else {
                    neg = a.VInteger < 0;
                    std::uint64_t u = neg ? 0 - static_cast<std::uint64_t>(a.VInteger)
                                          : static_cast<std::uint64_t>(a.VInteger);
                    digits = std::to_string(u);
                }
                ZeroPad(digits, prec);
                text = neg ? "-" + digits : digits;
                break;
            }
            case 'U': {
                const TVarRec& a = nextArg();
                if (!IsIntegral(a)) FormatError(SInvalidFormat, fmt);
                text = std::to_string(AsUnsigned(a));
                ZeroPad(text, prec);
                break;
            }
            case 'X': {
                const TVarRec& a = nextArg();
                if (!IsIntegral(a)) FormatError(SInvalidFormat, fmt);
                text = UnsignedToHex(AsUnsigned(a));
                ZeroPad(text, prec);
                break;
            }
            case 'E':
            case 'F':
            case 'G':
            case 'N':
            case 'M': {
                const TVarRec& a = nextArg();
                if (a.VType != TVarRec::vtFloat) FormatError(SInvalidFormat, fmt);
                double v = a.VFloat;
                switch (type) {
                    case 'E':
                        text = FloatToStrF(v, ffExponent, prec < 0 ? 15 : prec, 3);
                        break;
                    case 'F':
                        text = FloatToStrF(v, ffFixed, 18, prec < 0 ? 2 : prec);
                        break;
                    case 'G':
                        text = FloatToStrF(v, ffGeneral, prec < 0 ? 15 : prec, 3);
                        break;
                    case 'N':
                        text = FloatToStrF(v, ffNumber, 18, prec < 0 ? 2 : prec);
                        break;
                    default:
                        text = FloatToStrF(v, ffCurrency, 18,
                                           prec < 0 ? FormatSettings().CurrencyDecimals : prec);
                        break;
                }
                break;
            }
            case 'P': {
                const TVarRec& a = nextArg();
                if (a.VType != TVarRec::vtPointer) FormatError(SInvalidFormat, fmt);
                text = UnsignedToHex(reinterpret_cast<std::uintptr_t>(a.VPointer));
                ZeroPad(text, static_cast<int>(sizeof(void*) * 2));
                break;
            }
            case 'S': {
                const TVarRec& a = nextArg();
                if (a.VType == TVarRec::vtString || a.VType == TVarRec::vtChar)
                    text = a.VString;
                else if (a.VType == TVarRec::vtBoolean)
                    text = a.VInteger ? "True" : "False";
                else
                    FormatError(SInvalidFormat, fmt);
                if (prec >= 0 && prec < static_cast<int>(text.size())) text.resize(static_cast<size_t>(prec));
                break;
            }
            default:
                FormatError(SInvalidFormat, fmt);
        }
        if (width > static_cast<int>(text.size())) {
            String pad(static_cast<size_t>(width) - text.size(), ' ');
            text = left ? text + pad : pad + text;
        }
        out += text;
    }
    return out;
}

String FormatV(const String& fmt, std::initializer_list<TVarRec> args) {
    return FormatV(fmt, std::vector<TVarRec>(args));
}
