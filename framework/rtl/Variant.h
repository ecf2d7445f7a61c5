#pragma once
// A value of one of a few kinds, as a workbook cell or an automation call
// hands it over, and its conversion to text.
#include "framework/rtl/Types.h"

enum class TVarType : Byte { Empty, Boolean, Double, Date, String };

class TVariant {
public:
    TVariant() = default;
    static TVariant FromBoolean(bool b) { return TVariant(TVarType::Boolean, b ? 1 : 0); }
    static TVariant FromDouble(double d) { return TVariant(TVarType::Double, d); }
    static TVariant FromDate(TDateTime dt) { return TVariant(TVarType::Date, dt); }
    static TVariant FromString(String s) {
        TVariant v(TVarType::String, 0);
        v.FText = std::move(s);
        return v;
    }

    TVarType VarType() const { return FType; }
    bool IsEmpty() const { return FType == TVarType::Empty; }
    // The number behind a boolean (1 or 0), a double or a date.
    double AsNumber() const { return FNumber; }
    const String& AsString() const { return FText; }

private:
    TVariant(TVarType type, double number) : FType(type), FNumber(number) {}
    TVarType FType = TVarType::Empty;
    double FNumber = 0;
    String FText;
};

// Empty gives "", a boolean "True" or "False", a double FloatToStr's text.
// A date gives the short date when it has no time of day, only the time
// when it has no date part (a value between 0 and 1), else both
// (DateTimeToStr).
String VarToStr(const TVariant& v);
