#pragma once
// Format() with the runtime's directives: %s %d %u %x %f %e %g %n %m %p %%,
// with index, "-" (left justify), width and precision, "*" taking them from
// the arguments. A missing or mismatched argument raises EConvertError.
#include <initializer_list>
#include <vector>

#include "framework/rtl/Types.h"

struct TVarRec {
    enum Kind { vtInteger, vtUnsigned, vtFloat, vtString, vtPointer, vtChar, vtBoolean };
    Kind VType;
    Int64 VInteger = 0;
    std::uint64_t VUnsigned = 0;
    double VFloat = 0;
    String VString;
    const void* VPointer = nullptr;

    TVarRec(int v) : VType(vtInteger), VInteger(v) {}
    TVarRec(long v) : VType(vtInteger), VInteger(v) {}
    TVarRec(long long v) : VType(vtInteger), VInteger(v) {}
    TVarRec(unsigned v) : VType(vtUnsigned), VUnsigned(v) {}
    TVarRec(unsigned long v) : VType(vtUnsigned), VUnsigned(v) {}
    TVarRec(unsigned long long v) : VType(vtUnsigned), VUnsigned(v) {}
    TVarRec(double v) : VType(vtFloat), VFloat(v) {}
    TVarRec(float v) : VType(vtFloat), VFloat(v) {}
    TVarRec(bool v) : VType(vtBoolean), VInteger(v ? 1 : 0) {}
    TVarRec(char v) : VType(vtChar), VString(1, v) {}
    TVarRec(const char* v) : VType(vtString), VString(v ? v : "") {}
    TVarRec(const String& v) : VType(vtString), VString(v) {}
    TVarRec(const void* v) : VType(vtPointer), VPointer(v) {}
};

String FormatV(const String& fmt, const std::vector<TVarRec>& args);
String FormatV(const String& fmt, std::initializer_list<TVarRec> args);

template <class... A>
String Format(const String& fmt, const A&... args) {
    return FormatV(fmt, std::vector<TVarRec>{TVarRec(args)...});
}
