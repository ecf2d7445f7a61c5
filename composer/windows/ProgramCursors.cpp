#include "composer/windows/ProgramCursors.h"

#include <iterator>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BitmapResources.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "styled/base/StyApplication.h"

namespace {

// A closed hand, drawn from rows of text: '#' black, '.' white, the rest
// see-through.
const char* const kGrip[] = {
    "                ",
    "                ",
    "                ",
    "                ",
    "    ## ## ##    ",
    "   #..#..#..##  ",
    "   #..#..#..#.# ",
    "  ##.........#.#",
    " #.#...........#",
    " #.............#",
    "  #............#",
    "  #...........# ",
    "   #..........# ",
    "    #........#  ",
    "    #........#  ",
    "    ##########  ",
};

}  // namespace

void RegisterProgramCursors() {
    TBitmap bmp(32, 32);
    bmp.Canvas()->Brush()->SetColor(clFuchsia);
    bmp.Canvas()->FillRect(Rect(0, 0, 32, 32));
    for (int y = 0; y < static_cast<int>(std::size(kGrip)); ++y)
        for (int x = 0; kGrip[y][x]; ++x) {
            if (kGrip[y][x] == '#') bmp.Canvas()->SetPixels(x, y, clBlack);
            if (kGrip[y][x] == '.') bmp.Canvas()->SetPixels(x, y, clWhite);
        }
    bmp.SetTransparentColor(clFuchsia);
    bmp.SetTransparent(true);
    RegisterCursorResource(StyCursorResource, &bmp, 8, 8);
}
