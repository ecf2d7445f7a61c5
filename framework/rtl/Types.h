#pragma once
// Basic types shared by every layer: the string type, fixed-width integers,
// points and rectangles, and the root object class.
#include <cstdint>
#include <functional>
#include <string>

using String = std::string;
using Byte = std::uint8_t;
using Word = std::uint16_t;
using Cardinal = std::uint32_t;
using DWORD = std::uint32_t;
using Integer = std::int32_t;
using Int64 = std::int64_t;
using LongInt = std::int32_t;
using TDateTime = double;  // days since 1899-12-30, time as the fraction

class TObject {
public:
    virtual ~TObject() = default;
};

// The first step of a property setter: stores `value` in `field` when it
// differs and says whether it did, so the setter repaints or reports only
// a real change.
template <class T, class V>
bool SetIfChanged(T& field, const V& value) {
    if (field == value) return false;
    field = value;
    return true;
}

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const TSize&) const = default;
};

// Right and Bottom are exclusive, as everywhere in the framework.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(const TPoint& p) const {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    bool operator==(const TRect&) const = default;
};

inline TPoint Point(int x, int y) { return TPoint{x, y}; }
inline TRect Rect(int l, int t, int r, int b) { return TRect{l, t, r, b}; }
inline TRect Bounds(int l, int t, int w, int h) { return TRect{l, t, l + w, t + h}; }
// a * b / c rounded half away from zero, without overflow on the way; -1
// when c is 0 (as the platform's MulDiv).
inline int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const long long p = static_cast<long long>(a) * b;
    const long long d = c < 0 ? -static_cast<long long>(c) : c;
    const long long mag = ((p < 0 ? -p : p) + d / 2) / d;
    return static_cast<int>(((p < 0) != (c < 0)) ? -mag : mag);
}

using TNotifyEvent = std::function<void(TObject* Sender)>;
