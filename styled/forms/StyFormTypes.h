#pragma once
#include <functional>

#include "framework/rtl/Types.h"

class TCanvas;

// Who paints: nobody, the component, or the program's OnPaint.
enum TStyPaintMode { pcNone, pcControl, pcOwnerDraw };

using TStyPaintEvent = std::function<void(TObject* Sender, TCanvas* aCanvas, const TRect& Dest)>;
