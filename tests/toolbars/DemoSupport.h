#pragma once
// What the demo windows share: glyphs for their buttons, and screenshots
// taken when there is a display (xvfb-run), into VELMOR_SCREENSHOT_DIR or
// beside the program.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "framework/controls/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/FileUtils.h"
#include "framework/testkit/PictureCheck.h"

// Lets the windows settle, then saves what the screen shows in `area`.
inline void PhotographArea(const TRect& area, const char* name) {
    PumpMessagesUntil([] { return false; }, 400);
    const char* dir = std::getenv("VELMOR_SCREENSHOT_DIR");
    const String file = PathJoin(dir && *dir ? String(dir) : String(VELMOR_BIN_DIR), name);
    ASSERT_TRUE(Screen->CaptureToFile(area, file));
    EXPECT_EQ(PictureColours(file), 2) << file << " holds one colour: the window did not show";
    std::printf("screenshot: %s\n", file.c_str());
}

// A 32 x 16 strip: a coloured square with a dark outline, then its grey
// disabled twin. The corner pixel is the see-through colour.
inline std::unique_ptr<TBitmap> Glyph(TColor colour) {
    auto b = std::make_unique<TBitmap>(32, 16);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clFuchsia);
    c->FillRect(Rect(0, 0, 32, 16));
    c->Brush()->SetColor(colour);
    c->FillRect(Rect(2, 2, 14, 14));
    c->Brush()->SetColor(clGray);
    c->FillRect(Rect(18, 2, 30, 14));
    c->Brush()->SetColor(clBlack);
    c->FrameRect(Rect(2, 2, 14, 14));
    c->FrameRect(Rect(18, 2, 30, 14));
    return b;
}
