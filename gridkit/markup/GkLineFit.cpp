#include "gridkit/markup/GkLineFit.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"

namespace {

// Bytes measured at a time while looking for the cut.
constexpr size_t Step = 16;
// Cuts remembered; a grid shows far fewer long cells than this at once.
constexpr size_t Remembered = 64;

bool Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Moves a byte offset forward (or back) to the start of a character.
size_t Forward(std::string_view s, size_t at) {
    while (at < s.size() && Continuation(s[at])) ++at;
    return at;
}
size_t Back(std::string_view s, size_t at) {
    while (at > 0 && at < s.size() && Continuation(s[at])) --at;
    return at;
}

int Width(TCanvas* canvas, std::string_view s) { return canvas->TextWidth(String(s)); }

// Where pieces measured apart meet, kerning may take a pixel or two off the
// whole: each piece adds that much to the width still to cover.
bool Covered(int covered, int width, int pieces) { return covered >= width + 2 * pieces + 4; }

// From `from`, forward, the end of a piece at least `width` wide.
size_t HeadEnd(TCanvas* canvas, std::string_view s, size_t from, int width) {
    size_t end = from;
    int covered = 0, pieces = 0;
    while (end < s.size() && !Covered(covered, width, pieces)) {
        const size_t next = Forward(s, std::min(s.size(), end + Step));
        covered += Width(canvas, s.substr(end, next - end));
        end = next;
        ++pieces;
    }
    return end;
}

// The same backwards from `to`: the start of the piece.
size_t TailStart(TCanvas* canvas, std::string_view s, size_t to, int width) {
    size_t start = to;
    int covered = 0, pieces = 0;
    while (start > 0 && !Covered(covered, width, pieces)) {
        const size_t prev = Back(s, start > Step ? start - Step : 0);
        covered += Width(canvas, s.substr(prev, start - prev));
        start = prev;
        ++pieces;
    }
    return start;
}

struct Cut {
    size_t hash = 0, size = 0;
    String font;
    int width = 0;
    TLineSide side = lsHead;
    size_t from = 0, to = 0;
};

String FontKey(TCanvas* canvas) {
    const TFont* f = canvas->Font();
    return f->Name() + '/' + std::to_string(f->Height()) + '/' + std::to_string(f->Style()) + '/' +
           std::to_string(static_cast<int>(f->Pitch())) + '/' + std::to_string(static_cast<int>(f->Charset()));
}

// The cuts most recently used first.
std::vector<Cut>& Cuts() {
    static std::vector<Cut> cuts;
    return cuts;
}

}  // namespace

String VisibleLinePart(TCanvas* canvas, const String& line, int width, TLineSide side) {
    if (line.size() <= GkLongLine) return line;
    const std::string_view s(line);
    width = std::max(width, 1);
    Cut key;
    key.hash = std::hash<std::string_view>()(s);
    key.size = s.size();
    key.font = FontKey(canvas);
    key.width = width;
    key.side = side;
    std::vector<Cut>& cuts = Cuts();
    const auto known = std::find_if(cuts.begin(), cuts.end(), [&](const Cut& c) {
        return c.hash == key.hash && c.size == key.size && c.width == key.width && c.side == key.side &&
               c.font == key.font;
    });
    if (known != cuts.end()) {
        std::rotate(cuts.begin(), known, known + 1);
        return line.substr(cuts.front().from, cuts.front().to - cuts.front().from);
    }
    switch (side) {
    case lsHead:
        key.to = HeadEnd(canvas, s, 0, width);
        break;
    case lsTail:
        key.from = TailStart(canvas, s, s.size(), width);
        key.to = s.size();
        break;
    case lsMiddle: {
        // A centred line wider than its cell shows the characters round
        // its middle one, half the width on either side.
        const size_t mid = Forward(s, s.size() / 2);
        key.from = TailStart(canvas, s, mid, width / 2 + 1);
        key.to = HeadEnd(canvas, s, mid, width / 2 + 1);
        break;
    }
    }
    cuts.insert(cuts.begin(), key);
    if (cuts.size() > Remembered) cuts.pop_back();
    return line.substr(key.from, key.to - key.from);
}
