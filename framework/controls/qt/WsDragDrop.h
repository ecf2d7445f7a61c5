#pragma once
// The toolkit side of drag and drop between programs: what the toolkit
// carries (text as text/plain, rich text as text/rtf, files as local file
// addresses) becomes a data object, and a drag of our own is run by the
// toolkit's drag loop.
#include <functional>
#include <memory>
#include <string>

#include "framework/controls/DragDrop.h"

class QWidget;

namespace velmor_ws {

enum class TDropStage { Enter, Over, Leave, Drop };

// A drag over a watched widget. `data` is what is dragged (Enter and Drop
// only), `keyState` the mouse message key bits, `screenPoint` where the
// mouse is; `effect` comes in as the effects the source allows and goes
// out as the one taken (DROPEFFECT_NONE refuses). Answers false to let the
// widget handle the event as usual.
using TDropHandler = std::function<bool(TDropStage stage, const std::shared_ptr<IDataObject>& data, DWORD keyState,
                                        const TPoint& screenPoint, DWORD& effect)>;
// Makes the widget take drops and hands them to `handler`; nothing when it
// already does.
void WatchDrops(QWidget* widget, TDropHandler handler);
bool WatchesDrops(QWidget* widget);
// The widget takes no more drops.
void StopWatchingDrops(QWidget* widget);

// The window a drag of ours starts from (the active one), or nullptr.
QWidget* DragOrigin();
// Runs the toolkit's drag loop with the text and rich text given (either
// may be nullptr) and answers the effect the drop took, or DROPEFFECT_NONE
// when it was cancelled.
DWORD RunDrag(QWidget* origin, const String* text, const String* rtf, DWORD okEffects);

// The UTF-16 form of UTF-8 text, as the toolkit reads it.
std::u16string ToUtf16(const String& text);

}  // namespace velmor_ws
