#include "gridkit/editors/GkeSpinEdit.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/SystemMetrics.h"
#include "gridkit/grid/GkFunctions.h"

namespace {
// The order of the day, month and year fields in the short date format.
char DateFieldAt(int index) {
    String order;
    for (char c : FormatSettings().ShortDateFormat) {
        const char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if ((l == 'd' || l == 'm' || l == 'y') && order.find(l) == String::npos) order += l;
    }
    if (order.size() < 3) order = "mdy";
    return order[static_cast<size_t>(std::clamp(index, 0, 2))];
}

int SeparatorsBefore(const String& text, int caret, char separator) {
    const size_t end = std::min<size_t>(static_cast<size_t>(std::max(caret, 0)), text.size());
    return static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(end), separator));
}

TDateTime ShiftMonths(TDateTime date, int months) {
    int y, m, d;
    DecodeDate(date, y, m, d);
    int total = y * 12 + (m - 1) + months;
    y = total / 12;
    m = total % 12 + 1;
    d = std::min(d, DaysInMonth(y, m));
    TDateTime result;
    if (!TryEncodeDate(y, m, d, result)) return date;
    return result + (date - std::floor(date));
}
}  // namespace

TGkeSpinEdit::TGkeSpinEdit(TComponent* owner) : TEdit(owner) {
    FButton = new TGkeSpinButton(this);
    FButton->SetParent(this);
    FButton->SetBounds(0, 0, 15, 17);
    FButton->FocusControl = this;
    FButton->OnUpClick = [this](TObject* s) { UpClick(s); };
    FButton->OnDownClick = [this](TObject* s) { DownClick(s); };
    SetText("0");
}

TSpinDirection TGkeSpinEdit::Direction() const { return FButton->Direction(); }
void TGkeSpinEdit::SetDirection(TSpinDirection v) {
    FButton->SetDirection(v);
    Resize();
}

int TGkeSpinEdit::MinHeightFor(int fontHeight, int systemFontHeight, int borderHeight) {
    // A quarter of the smaller font's height of leading, the single border
    // top and bottom twice over, and two pixels of room.
    return fontHeight + std::min(systemFontHeight, fontHeight) / 4 + 4 * borderHeight + 2;
}

int TGkeSpinEdit::MinHeight() const {
    TBitmap probe(1, 1);
    TCanvas* canvas = probe.Canvas();
    TFont systemFont;  // what a control shows when given no font
    canvas->Font()->Assign(&systemFont);
    const int systemHeight = canvas->TextHeight("Wg");
    canvas->Font()->Assign(Font());
    return MinHeightFor(canvas->TextHeight("Wg"), systemHeight, GetSystemMetrics(SM_CYBORDER));
}

void TGkeSpinEdit::Resize() {
    if (const int least = MinHeight(); Height() < least) {
        SetHeight(least);  // comes back here with the height that fits
        return;
    }
    TEdit::Resize();
    const int w = FButton->Direction() == spHorizontal ? 20 : 15;
    FButton->SetBounds(std::max(0, Width() - w - 1), 0, w, std::max(1, Height()));
    // The text ends two pixels short of the button.
    SetTextMargins(0, w + 1 + 2);
}

void TGkeSpinEdit::SetPrecision(int v) {
    if (v == FPrecision) return;
    FPrecision = v;
    if (FSpinType == sptFloat) SetFloatValue(FloatValue());
}

void TGkeSpinEdit::SetSpinType(TGkeSpinType v) {
    if (v == FSpinType) return;
    FSpinType = v;
    switch (v) {
    case sptNormal: SetValue(Value()); break;
    case sptFloat: SetFloatValue(FloatValue()); break;
    case sptDate: SetDateValue(DateValue()); break;
    case sptTime: SetTimeValue(TimeValue()); break;
    }
}

int TGkeSpinEdit::Value() const {
    int v = 0;
    if (TryStrToInt(Trim(Text()), v)) return v;
    return MinValue;
}

void TGkeSpinEdit::SetValue(int v) {
    if (MinValue != MaxValue) v = std::clamp(v, std::min(MinValue, MaxValue), std::max(MinValue, MaxValue));
    SetText(IntToStr(v));
    if (!EditorEnabled) SelectAll();
}

double TGkeSpinEdit::FloatValue() const {
    double v = 0;
    if (TryStrToFloat(Trim(Text()), v)) return v;
    return MinFloatValue;
}

void TGkeSpinEdit::SetFloatValue(double v) {
    if (MinFloatValue != MaxFloatValue)
        v = std::clamp(v, std::min(MinFloatValue, MaxFloatValue), std::max(MinFloatValue, MaxFloatValue));
    SetText(FPrecision != 0 ? FloatToStrF(v, ffFixed, 15, FPrecision) : FloatToStr(v));
}

TDateTime TGkeSpinEdit::DateValue() const {
    const String t = Trim(Text());
    if (t.empty() || t == "0") return Now();
    TDateTime d = 0;
    if (TryStrToDate(t, d)) return d;
    return MinDateValue;
}

void TGkeSpinEdit::SetDateValue(TDateTime v) {
    FDateValue = v;
    if (HasState(csLoading)) return;
    if (MinDateValue != MaxDateValue)
        v = std::clamp(v, std::min(MinDateValue, MaxDateValue), std::max(MinDateValue, MaxDateValue));
    FDateValue = v;
    WriteKeepingCaret(DateToStr(v));
}

TDateTime TGkeSpinEdit::TimeValue() const {
    try {
        return StrToTime(Trim(Text()));
    } catch (const Exception&) {
        return 0;
    }
}

void TGkeSpinEdit::SetTimeValue(TDateTime v) {
    FTimeValue = v;
    if (HasState(csLoading)) return;
    WriteKeepingCaret(FormatDateTime(FormatSettings().LongTimeFormat, v));
}

void TGkeSpinEdit::WriteKeepingCaret(const String& text) {
    const int caret = SelStart();
    SetText(text);
    SetSelStart(std::min(caret, GetTextLen()));
}

TDateTime TGkeSpinEdit::StepDate(TDateTime date, const String& text, int caret, int delta) {
    switch (DateFieldAt(SeparatorsBefore(text, caret, FormatSettings().DateSeparator))) {
    case 'd': return date + delta;
    case 'm': return ShiftMonths(date, delta);
    default: return ShiftMonths(date, 12 * delta);
    }
}

TDateTime TGkeSpinEdit::StepTime(TDateTime time, const String& text, int caret, int delta) {
    switch (SeparatorsBefore(text, caret, FormatSettings().TimeSeparator)) {
    case 0: return time + delta / 24.0;
    case 1: return time + delta / 1440.0;
    default: return time + delta / 86400.0;
    }
}

void TGkeSpinEdit::UpClick(TObject*) {
    if (ReadOnly()) {
        GkMessageBeep();
        return;
    }
    switch (FSpinType) {
    case sptNormal: SetValue(Value() + Increment); break;
    case sptFloat: SetFloatValue(FloatValue() + IncrementFloat); break;
    case sptDate: SetDateValue(StepDate(DateValue(), Text(), SelStart(), 1)); break;
    case sptTime: SetTimeValue(StepTime(TimeValue(), Text(), SelStart(), 1)); break;
    }
}

void TGkeSpinEdit::DownClick(TObject*) {
    if (ReadOnly()) {
        GkMessageBeep();
        return;
    }
    switch (FSpinType) {
    case sptNormal: SetValue(Value() - Increment); break;
    case sptFloat: SetFloatValue(FloatValue() - IncrementFloat); break;
    case sptDate: SetDateValue(StepDate(DateValue(), Text(), SelStart(), -1)); break;
    case sptTime: SetTimeValue(StepTime(TimeValue(), Text(), SelStart(), -1)); break;
    }
}

bool TGkeSpinEdit::IsValidChar(char key) {
    const auto u = static_cast<unsigned char>(key);
    if (!EditorEnabled) return u < 32 && key != '\b';
    if (u < 32) return key != '\r';
    const TFormatSettings& fs = FormatSettings();
    const String text = Text();
    const String selected = SelText();
    if (key == '+' || key == '-' || (key >= '0' && key <= '9')) {
        if (FSpinType == sptFloat && FPrecision >= 1 && SelLength() == 0 && key != '+' && key != '-') {
            const size_t dot = text.find(fs.DecimalSeparator);
            if (dot != String::npos && static_cast<size_t>(SelStart()) > dot &&
                static_cast<int>(text.size() - dot - 1) >= FPrecision)
                return false;
        }
        return true;
    }
    if (key == fs.DecimalSeparator) {
        if (FSpinType == sptFloat && text.find(key) != String::npos && selected.find(key) == String::npos)
            return false;
        return true;
    }
    if (FSpinType == sptTime && key == fs.TimeSeparator)
        // A time has at most hours, minutes and seconds.
        return std::count(text.begin(), text.end(), key) - std::count(selected.begin(), selected.end(), key) < 2;
    if (FSpinType == sptDate && key == fs.DateSeparator) return true;
    return false;
}

void TGkeSpinEdit::Loaded() {
    TEdit::Loaded();
    // A stored date or time spin edit shows its stored value.
    if (FSpinType == sptDate) SetDateValue(FDateValue);
    if (FSpinType == sptTime) SetTimeValue(FTimeValue);
    const TGkeSpinType type = FSpinType;
    FSpinType = type == sptNormal ? sptFloat : sptNormal;
    SetSpinType(type);
}

void TGkeSpinEdit::KeyDown(Word& key, TShiftState shift) {
    TEdit::KeyDown(key, shift);
    switch (key) {
    case VK_UP: UpClick(this); key = 0; break;
    case VK_DOWN: DownClick(this); key = 0; break;
    case VK_DELETE:
        if (!EditorEnabled) key = 0;
        break;
    default: break;
    }
}

void TGkeSpinEdit::KeyPress(char& key) {
    if (key == '\r' && ReturnIsTab) key = '\t';
    if (!IsValidChar(key)) {
        if (key != '\r') GkMessageBeep();
        key = 0;
        return;
    }
    TEdit::KeyPress(key);
}

void TGkeSpinEdit::DoExit() {
    switch (FSpinType) {
    case sptNormal:
        if (MinValue != MaxValue && (Value() < MinValue || Value() > MaxValue)) SetValue(Value());
        break;
    case sptFloat:
        if (MinFloatValue != MaxFloatValue && (FloatValue() < MinFloatValue || FloatValue() > MaxFloatValue))
            SetFloatValue(FloatValue());
        break;
    case sptDate:
        if (MinDateValue != MaxDateValue && (DateValue() < MinDateValue || DateValue() > MaxDateValue))
            SetDateValue(DateValue());
        break;
    case sptTime: break;
    }
    TEdit::DoExit();
}

void TGkeSpinEdit::WndProc(TMessage& m) {
    if ((m.Msg == WM_PASTE || m.Msg == WM_CUT) && (!EditorEnabled || ReadOnly())) return;
    TEdit::WndProc(m);
}
