#include "toolbars/TbCursors.h"


#include "framework/controls/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace {

// A 32 x 32 cursor drawn from rows of text: '#' black, '.' white, the
// rest see-through (fuchsia).
void Register(TCursor index, const char* const* rows, int count, int hotX, int hotY) {
    TBitmap bmp(32, 32);
    bmp.Canvas()->Brush()->SetColor(clFuchsia);
    bmp.Canvas()->FillRect(Rect(0, 0, 32, 32));
    for (int y = 0; y < count; ++y)
        for (int x = 0; rows[y][x]; ++x) {
            if (rows[y][x] == '#') bmp.Canvas()->SetPixels(x, y, clBlack);
            if (rows[y][x] == '.') bmp.Canvas()->SetPixels(x, y, clWhite);
        }
    bmp.SetTransparentColor(clFuchsia);
    bmp.SetTransparent(true);
    Screen->SetCursorImage(index, &bmp, hotX, hotY);
}

// Two bars with arrows pointing away from them.
const char* const kSplitHorz[] = {
    "      ..##..      ",
    "      .#..#.      ",
    "      .#..#.      ",
    "   .  .#..#.  .   ",
    "  .#  .#..#.  #.  ",
    " .##...#..#...##. ",
    ".################.",
    " .##...#..#...##. ",
    "  .#  .#..#.  #.  ",
    "   .  .#..#.  .   ",
    "      .#..#.      ",
    "      .#..#.      ",
    "      ..##..      ",
};

const char* const kSplitVert[] = {
    "      .#.      ",
    "     .###.     ",
    "    .#####.    ",
    "      .#.      ",
    "...............",
    "###############",
    "...............",
    "...............",
    "###############",
    "...............",
    "      .#.      ",
    "    .#####.    ",
    "     .###.     ",
    "      .#.      ",
};

const char* const kHand[] = {
    "     ##         ",
    "    #..#        ",
    "    #..#        ",
    "    #..#        ",
    "    #..###      ",
    "    #..#..###   ",
    "    #..#..#..## ",
    " ## #..#..#..#.#",
    "#..##........#.#",
    "#...#..........#",
    " #.............#",
    "  #............#",
    "  #...........# ",
    "   #..........# ",
    "    #........#  ",
    "    ##########  ",
};

template <size_t N>
TCursor Ensure(TCursor index, const char* const (&rows)[N], int hotX, int hotY, TCursor fallback) {
    if (!Screen) return fallback;
    if (!Screen->HasCursor(index)) Register(index, rows, static_cast<int>(N), hotX, hotY);
    return index;
}

}  // namespace

TCursor TbHandCursor() { return Ensure(crTbHandCursor, kHand, 5, 0, crHandPoint); }
TCursor TbSplitHorzCursor() { return Ensure(crTbSplitHorz, kSplitHorz, 8, 6, crHSplit); }
TCursor TbSplitVertCursor() { return Ensure(crTbSplitVert, kSplitVert, 7, 7, crVSplit); }
