#include "styled/base/RectHelpers.h"

#include <algorithm>
#include <cmath>

void MoveEdges(TRect& R, int dLeft, int dTop, int dBottom, int dRight) {
    R.Left += dLeft;
    R.Top += dTop;
    R.Bottom += dBottom;
    R.Right += dRight;
}

void RectSize(const TRect& R, int& Width, int& Height) {
    Width = R.Width();
    Height = R.Height();
}

bool RectInRect(const TRect& Inner, const TRect& Outer) {
    return Outer.Contains(Point(Inner.Left, Inner.Top)) && Outer.Contains(Point(Inner.Right, Inner.Bottom));
}

TRect FitRect(const TRect& Source, const TRect& Dest) {
    const int sw = Source.Width(), sh = Source.Height();
    if (sw <= 0 || sh <= 0 || Dest.Width() <= 0 || Dest.Height() <= 0)
        return Rect(Dest.Left, Dest.Top, Dest.Left, Dest.Top);
    const double scale = std::min(static_cast<double>(Dest.Width()) / sw, static_cast<double>(Dest.Height()) / sh);
    return Bounds(Dest.Left, Dest.Top, static_cast<int>(std::lround(sw * scale)),
                  static_cast<int>(std::lround(sh * scale)));
}

void RotatedBounds(TRect& R, int Angle) {
    if (Angle == 0) return;
    const double a = Angle * M_PI / 180.0;
    const double c = std::fabs(std::cos(a)), s = std::fabs(std::sin(a));
    const double w = R.Width(), h = R.Height();
    // Rounded, so that a quarter turn swaps width and height exactly.
    const int nw = static_cast<int>(std::lround(w * c + h * s));
    const int nh = static_cast<int>(std::lround(w * s + h * c));
    R = Rect(0, 0, nw, nh);
}

int MaxOf(const std::vector<int>& Values) {
    return Values.empty() ? 0 : *std::max_element(Values.begin(), Values.end());
}

int MinOf(const std::vector<int>& Values) {
    return Values.empty() ? 0 : *std::min_element(Values.begin(), Values.end());
}

double MinOf(const std::vector<double>& Values) {
    return Values.empty() ? 0.0 : *std::min_element(Values.begin(), Values.end());
}
