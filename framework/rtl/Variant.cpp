#include "framework/rtl/Variant.h"

#include <cmath>

#include "framework/rtl/DateTime.h"
#include "framework/rtl/StrUtils.h"

String VarToStr(const TVariant& v) {
    switch (v.VarType()) {
        case TVarType::Empty: return String();
        case TVarType::Boolean: return BoolToStr(v.AsNumber() != 0, true);
        case TVarType::Double: return FloatToStr(v.AsNumber());
        case TVarType::Date: {
            const double dt = v.AsNumber();
            if (std::trunc(dt) == 0 && dt != 0) return TimeToStr(dt);
            return DateTimeToStr(dt);
        }
        case TVarType::String: return v.AsString();
    }
    return String();
}
