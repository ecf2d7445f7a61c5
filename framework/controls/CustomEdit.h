#pragma once
#include <vector>

#include "framework/controls/EditMessages.h"
#include "framework/controls/StdCtrlsTypes.h"
#include "framework/controls/WinControl.h"

class TCanvas;

// What edits, memos and rich edits share: the text with its selection, the
// modified flag, a one-step undo, the clipboard commands and the
// edit-control messages (EditMessages.h).
//
// The control keeps the text and the selection itself; the widget mirrors
// them, and what the user types comes back into them. Positions count the
// bytes of the UTF-8 Text, where a line break counts two (CR LF), the way
// the classic controls count characters.
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);
    ~TCustomEdit() override;
    String ClassName() const override { return "TCustomEdit"; }

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    int MaxLength() const { return FMaxLength; }  // 0: no limit
    void SetMaxLength(int v);
    bool Modified() const { return FModified; }
    void SetModified(bool v) { FModified = v; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool v);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase v);
    bool AutoSelect = true;
    // Where the text sits across the box.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    // Pixels kept free of text inside the border, left and right: room for
    // a button or a picture drawn over the edit. Negative values count as 0.
    int TextMarginLeft() const { return FTextMarginLeft; }
    int TextMarginRight() const { return FTextMarginRight; }
    void SetTextMargins(int left, int right);

    int SelStart() const { return FSelStart; }
    void SetSelStart(int v);  // also empties the selection
    int SelLength() const { return FSelLength; }
    void SetSelLength(int v);
    String SelText() const;
    void SetSelText(const String& v);  // replaces the selection, undoable
    void SelectAll();
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    bool CanUndo() const { return FCanUndo; }
    void Undo();
    void ClearUndo() { FCanUndo = false; }
    // The text length (what WM_GETTEXTLENGTH answers).
    int GetTextLen() const { return static_cast<int>(FText.size()); }

    // Lines of the text as the messages see them.
    int LineCount() const;
    int LineIndex(int line) const;      // -1 past the last line
    int LineFromChar(int pos) const;
    int LineLength(int line) const;
    String Line(int line) const;

    // The position of `search` within [start, start + length) (length -1:
    // to the end), or -1. Backwards from start when not `down`.
    int FindText(const String& search, int start, int length, bool matchCase, bool wholeWord,
                 bool down = true) const;

    TNotifyEvent OnChange;

    // Framework-internal: batch changes (a line list being filled) reach
    // the widget once, at the end.
    void BeginWidgetUpdate() { ++FWidgetLock; }
    void EndWidgetUpdate();
    // Framework-internal, what a line list writes with: replaces a range
    // without an undo step and leaves the caret after the new text. Text
    // added at the end reaches the widget once per turn of the event loop,
    // however many lines come in that turn.
    void ReplaceText(int start, int length, const String& text) { ReplaceRange(start, length, text, false, false); }

protected:
    void WndProc(TMessage& message) override;
    void TextChanged() override;
    void ApplyText() override;
    void KeyPress(char& key) override;
    virtual void Change();

    virtual bool Multiline() const { return false; }

    // A border the control draws itself round the text area: NonClientWidth
    // pixels on each side are kept free of text and the widget's own frame
    // is left out; PaintNonClient then paints on a canvas of the control's
    // size, over what the widget painted. Call NonClientChanged when the
    // width changes.
    virtual int NonClientWidth() const { return 0; }
    virtual void PaintNonClient(TCanvas* canvas) { (void)canvas; }
    void NonClientChanged();
    void InitWidget() override;
    void WMPaint(TMessage& message) override;
    // The widget side of the border: margins (the text margins added on
    // top) and frame.
    virtual void ApplyNonClient(int width) { (void)width; }
    virtual void ApplyAlignment() {}
    // Replaces the whole text or a part of it, keeping selection, undo and
    // the modified flag right and mirroring it into the widget.
    void ReplaceRange(int start, int length, const String& text, bool undoable, bool byUser);
    void SetSelection(int start, int length, bool caretAtStart = false);
    String PrepareText(const String& text) const;  // line breaks, case, one line
    int Clamp(int pos) const;

    // The widget side, implemented by each kind of edit.
    virtual void PushTextToWidget() = 0;
    // Adds `tail` (model text) at the end of the widget's text; false when
    // this kind of edit cannot, and the whole text is pushed instead.
    virtual bool AppendToWidget(const String& tail) {
        (void)tail;
        return false;
    }
    // Hands the widget what was appended since the last turn of the event
    // loop; whatever reads or writes the widget calls this first.
    void FlushAppended();
    virtual void PushSelectionToWidget() = 0;
    virtual void PushReadOnlyToWidget() {}
    virtual int FirstVisibleLine() const { return 0; }
    virtual void ScrollLines(int lines) { (void)lines; }
    virtual void ScrollCaret() {}
    virtual TPoint PosFromChar(int pos) const;
    // The widget changed its text or selection (typing, its own undo).
    void WidgetTextChanged(const String& text, int selStart, int selLength, bool caretAtStart);
    void WidgetSelectionChanged(int selStart, int selLength, bool caretAtStart);

    bool FReadOnly = false;
    int FMaxLength = 0;
    bool FModified = false;
    bool FHideSelection = true;
    TEditCharCase FCharCase = ecNormal;
    TAlignment FAlignment = taLeftJustify;
    int FTextMarginLeft = 0;
    int FTextMarginRight = 0;
    int FSelStart = 0;
    int FSelLength = 0;
    bool FCaretAtStart = false;
    bool FPushing = false;      // the control is writing into the widget
    bool FTextFromWidget = false;
    bool FTextFromEdit = false;  // ReplaceRange's own change
    bool FCanUndo = false;
    int FWidgetLock = 0;
    bool FWidgetStale = false;
    String FUndoText;
    int FUndoSelStart = 0;
    int FUndoSelLength = 0;

private:
    // The text from this offset on has changed: line starts past it are
    // found again when next asked for.
    void TextEditedFrom(size_t pos) const;
    void FindLineStarts() const;
    // Starts of lines 1, 2, ... found so far (line 0 starts at 0), and how
    // far the text has been searched: every CR LF whose CR lies before
    // FLinesSearched is in FLineStarts.
    mutable std::vector<int> FLineStarts;
    mutable size_t FLinesSearched = 0;
    // Where the widget's text ends in the model text, while appended text
    // waits for the next turn of the event loop (-1: nothing waits).
    int FAppendFrom = -1;
};
