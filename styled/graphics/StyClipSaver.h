#pragma once
#include <optional>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Region.h"

// Narrows the clip for one drawing and gives the canvas back the clip it
// had (or none), also when the drawing raises. The routines were written
// to reset the clip afterwards, which would drop a clip the caller had set.
class TStyClipSaver {
public:
    explicit TStyClipSaver(TCanvas* canvas) : FCanvas(canvas) {
        if (FCanvas->HasClip()) FSaved = FCanvas->ClipRegion();
    }
    ~TStyClipSaver() { FCanvas->SelectClipRgn(FSaved ? &*FSaved : nullptr); }
    TStyClipSaver(const TStyClipSaver&) = delete;
    TStyClipSaver& operator=(const TStyClipSaver&) = delete;

    // Narrows the clip to r; a clip the caller set is never widened.
    void Select(const TRect& r) { FCanvas->IntersectClipRect(r); }

private:
    TCanvas* FCanvas;
    std::optional<TRegion> FSaved;
};
