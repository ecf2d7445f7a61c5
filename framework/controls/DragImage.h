#pragma once
// A picture that follows the mouse while something is dragged (a grid's
// column or row being moved): a borderless window above the others, half
// see-through, that never takes the focus or the mouse.
#include <memory>

#include "framework/rtl/Types.h"

class TBitmap;

class TDragImage {
public:
    TDragImage();
    ~TDragImage();
    TDragImage(const TDragImage&) = delete;
    TDragImage& operator=(const TDragImage&) = delete;

    // The picture shown (copied).
    void SetImage(TBitmap* bitmap);
    // Shows the picture, or moves it, with its top-left corner at a screen
    // point.
    void Show(const TPoint& screenTopLeft);
    void Hide();
    bool Showing() const { return FShowing; }
    TPoint Position() const { return FPosition; }
    TSize Size() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
    bool FShowing = false;
    TPoint FPosition{};
};
