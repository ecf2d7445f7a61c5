#pragma once
// Rectangle outlines shown over everything on the screen, in the focus
// rectangle's dotted look: what the classic programs drew straight on the
// screen (a zoom effect's growing frames). A desktop does not share its
// surface, so they go into a window of their own above every other, shaped
// to the outlines and letting every click through; it needs no compositing
// window manager. Off screen (no display) the outlines are only kept.
#include <vector>

#include "framework/rtl/Types.h"

class TScreenOutlines {
public:
    TScreenOutlines();
    ~TScreenOutlines();
    TScreenOutlines(const TScreenOutlines&) = delete;
    TScreenOutlines& operator=(const TScreenOutlines&) = delete;

    // Shows the outline of r (screen coordinates), or takes it away when it
    // shows already: a focus rectangle drawn twice vanishes.
    void Toggle(const TRect& r);
    void Clear();
    const std::vector<TRect>& Shown() const { return FShown; }
    // Puts what is shown on the screen now (the window is repainted and the
    // window system has it before this returns).
    void Flush();
    // The window exists and shows (false off screen and while empty).
    bool WindowShowing() const;

private:
    void Update();
    struct Impl;
    Impl* FImpl;
    std::vector<TRect> FShown;
};
