#pragma once
#include <functional>

#include "framework/rtl/Types.h"

class QWidget;
class TFont;

// The toolkit side of forms and the boxes built on them.
namespace velmor_ws {

// What `text` takes in `font`, broken at words to fit `maxWidth` (and at
// most `maxHeight`), as the toolkit lays it out; LineHeight is one line's.
struct TTextMeasure {
    int Width = 0;
    int Height = 0;
    int LineHeight = 0;
};
TTextMeasure MeasureWrappedText(const TFont* font, const String& text, int maxWidth, int maxHeight);

// The message box's own button: a push button that is the window's
// default, reporting its clicks (guarded) to `onClicked`.
QWidget* CreateBoxButton(QWidget* parent, std::function<void()> onClicked);
void SetBoxButtonText(QWidget* button, const String& text);

}  // namespace velmor_ws
