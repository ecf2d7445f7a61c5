#pragma once

enum TStyRegionShape {
    rsRect,
    rsRoundRect,
    rsBitmap,
    rsNoseRect,
    rsRoundNoseRect,
    rsElliptic,
    rsStar,
    rsRoundShield,
    rsSharpShield,
    rsDiamond,
    rsOctagon,
    rsComb,
    rsHalfRound,
    rsUserRegion,
    rsThinkBubble,
    rsRoundThinkBubble,
    rsEllipticThinkBubble,
};

// The corner a nose or a thought-bubble trail points to; the first word
// names the edge the nose leaves from.
enum TStyExtPos {
    epLeftTop,
    epTopLeft,
    epTopRight,
    epRightTop,
    epRightBottom,
    epBottomRight,
    epBottomLeft,
    epLeftBottom,
};

enum TStyRegionBorderStyle {
    rbNone,
    rbLowered,
    rbRaised,
    rbSingle,
    rbSingleRaised,
    rbSingleLowered,
    rbRaisedpsb,
    rbLoweredpsb,
};
