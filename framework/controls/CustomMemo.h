#pragma once
#include <memory>

#include "framework/controls/CustomEdit.h"

class TStrings;

// A text box of many lines: what the memo and the rich edit share. Lines
// is a live view of Text: reading it reads the text, changing it changes
// the text (and fires OnChange).
class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;
    String ClassName() const override { return "TCustomMemo"; }

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* v);

    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool v);
    bool WantReturns = true;
    // X is the column, Y the line of the caret.
    TPoint CaretPos() const;
    void SetCaretPos(const TPoint& p);

protected:
    bool Multiline() const override { return true; }
    void WndProc(TMessage& message) override;
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget() override;
    void WidgetCreated() override;
    void PushTextToWidget() override;
    bool AppendToWidget(const String& tail) override;
    void PushSelectionToWidget() override;
    void PushReadOnlyToWidget() override;
    void ApplyLayout();
    void ApplyAlignment() override { ApplyLayout(); }
    void ApplyNonClient(int width) override;
    int FirstVisibleLine() const override;
    void ScrollLines(int lines) override;
    void ScrollCaret() override;
    TPoint PosFromChar(int pos) const override;

    bool FWordWrap = true;
    TScrollStyle FScrollBars = ssNone;
    bool FWantTabs = false;
    int FTopLine = 0;  // kept while there is no widget

private:
    std::unique_ptr<TStrings> FLines;
};
