#pragma once
// The toolkit side of the edits: the one-line edit, the memo (which the
// rich edit shows its text in) and the date and time picker. The controls keep the text and the
// selection in their own form (UTF-8, CR LF breaks, byte positions) and
// hand them down in that form; what the user types comes back the same way.
#include <cstdint>
#include <functional>

#include "framework/controls/StdCtrlsTypes.h"
#include "framework/rtl/DateTime.h"
#include "framework/rtl/Types.h"

class QWidget;
class TCanvas;

namespace velmor_ws {
// A selection in the control's positions.
struct TEditSelection {
    int Start = 0;
    int Length = 0;
    bool CaretAtStart = false;  // the caret at the start of a selection made backwards
};

// ---- the one-line edit ----

// A one-line edit; onChanged reports its text and selection whenever the
// user changes either (also while the control writes into it).
QWidget* CreateLineEdit(QWidget* parent,
                        std::function<void(const String& text, const TEditSelection& selection)> onChanged);
void SetLineEditAlignment(QWidget* edit, TAlignment alignment);
// passwordChar 0 shows the text; any other byte (taken as Latin-1) stands
// for each character. maxLength 0: no limit of the program's own.
void SetLineEditOptions(QWidget* edit, bool readOnly, int maxLength, char passwordChar);

// ---- the memo ----

// A memo; onChanged(memo, textChanged) tells that the user changed the
// text (and perhaps the selection) or only the selection. MemoText and
// MemoSelection read them.
QWidget* CreateMemo(QWidget* parent, std::function<void(QWidget* memo, bool textChanged)> onChanged);
String MemoText(QWidget* memo);
// `model` is the text the widget holds, in the control's form.
TEditSelection MemoSelection(QWidget* memo, const String& model);
void SetMemoLayout(QWidget* memo, bool wordWrap, TScrollStyle scrollBars, bool wantTabs, TAlignment alignment);
void SetMemoReadOnly(QWidget* memo, bool readOnly, bool hideSelection);
// Adds text at the end; no step the widget's own undo takes back.
void AppendMemoText(QWidget* memo, const String& tail);
int MemoFirstVisibleLine(QWidget* memo);
void ScrollMemoLines(QWidget* memo, int lines);
void ScrollMemoToCaret(QWidget* memo);
// Where the character at `pos` of `model` shows, in the memo's coordinates.
TPoint MemoPosFromChar(QWidget* memo, const String& model, int pos);
// The inner widget the text is drawn on, which takes the mouse itself.
QWidget* MemoViewport(QWidget* memo);

// ---- the date and time picker ----

// An editor of a date or a time, with a check box beside it that may show.
// The callbacks report what the user changed (also while the state is
// being set).
QWidget* CreateDateTimePicker(QWidget* parent, std::function<void(TDateTime value)> onChanged,
                              std::function<void(bool checked)> onChecked);
// The editor inside, whose keys and focus are the control's own.
QWidget* DateTimeEditor(QWidget* picker);
struct TDateTimePickerState {
    String Format;  // the framework's picture (FormatDateTime's)
    bool CalendarPopup = false;
    TDateTime Min = 0, Max = 0, Value = 0;
    bool ShowCheckbox = false;
    bool Checked = true;
    bool EditorEnabled = true;
};
void SetDateTimePicker(QWidget* picker, const TDateTimePickerState& state);
// Lays out the check box (when it shows) and the editor in the picker's size.
void PlaceDateTimePicker(QWidget* picker, bool showCheckbox);

// ---- both ----

// Shows `model` unless the widget already does.
void SetEditText(QWidget* edit, const String& model);
void SetEditSelection(QWidget* edit, const String& model, const TEditSelection& selection);
// A border of `width` pixels the control paints itself (0: the widget's
// own frame), with the text margins inside it.
void SetEditBorder(QWidget* edit, int width, int marginLeft, int marginRight);
// Lets the widget handle the paint event `paintEvent` (a WM_PAINT's
// LParam), then runs `paint` on `canvas`, opened on the widget at
// width x height, over what the widget drew.
void PaintOverEdit(QWidget* edit, std::intptr_t paintEvent, TCanvas* canvas, int width, int height,
                   const std::function<void()>& paint);
}  // namespace velmor_ws
