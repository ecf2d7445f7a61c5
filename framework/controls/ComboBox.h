#pragma once
#include <algorithm>
#include <memory>

#include "framework/controls/WinControl.h"

class TStrings;
class TCanvas;

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

// A combo box. OnChange fires on every change of the text by the user (a
// pick from the list or each typed character); OnClick on a pick. Changes
// made by code fire neither.
// csSimple keeps the list open below the edit (the box's height holds
// both) instead of dropping it down.
class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;
    String ClassName() const override { return "TComboBox"; }

    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle v);
    TStrings* Items() const;
    void SetItems(TStrings* v);
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int v);
    bool Sorted() const;
    void SetSorted(bool v);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    // The width of the opened list: never narrower than the box; 0 (the
    // start) makes it the box's width.
    int DroppedWidth() const { return std::max(FDroppedWidth, FWidth); }
    void SetDroppedWidth(int v);
    bool DroppedDown() const { return FDroppedDown; }
    // Opens the list below the box, or above it where the screen has no
    // room below.
    void SetDroppedDown(bool v);
    // The open list's frame in screen coordinates; empty while closed.
    TRect DroppedListRect() const;
    void Clear();
    void SelectAll();
    // The selection in the edit of an editable box (CB_GETEDITSEL and
    // CB_SETEDITSEL); a list box has none (0). SetSelStart drops the
    // selection, SetSelLength selects from SelStart on.
    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int v);
    void SetSelLength(int v);
    // The mouse is over the box (its edit included).
    bool MouseInside() const { return FMouseInside; }

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnSelect;

    // Framework-internal: the list opens and closes.
    void DoDropDown();
    void DoCloseUp();
    // Framework-internal: what the widget asks of an own face (below).
    bool OwnFaceShown() const { return PaintsOwnFace(); }
    TRect OwnFaceTextArea() const { return OwnFaceTextRect(); }

protected:
    // A face the control paints itself in place of the widget's frame and
    // drop-down button (the flat look of a kit's combo box). While
    // PaintsOwnFace answers true the widget keeps to the text, which lies
    // in OwnFaceTextRect (the edit of an editable box; in the list style
    // the picked line, which the box then draws itself, highlighted while
    // it has the focus and the list is closed), and a click outside the
    // text area drops the list. Each paint runs PaintFace (the background,
    // under the text) and then PaintFrame (border and button, over it), on
    // a canvas of the box's own band (EditBand) with the box's colour as
    // brush and its font. The face is repainted when the focus comes or
    // goes, the mouse enters or leaves, and the list opens or closes; call
    // OwnFaceChanged when the answer or the text area changes otherwise.
    virtual bool PaintsOwnFace() const { return false; }
    virtual TRect OwnFaceTextRect() const { return EditBand(); }
    virtual void PaintFace(TCanvas* canvas) { (void)canvas; }
    virtual void PaintFrame(TCanvas* canvas) { (void)canvas; }
    void OwnFaceChanged();
    // The box without the open list of the simple style: the whole
    // control for the other styles.
    TRect EditBand() const;
    void WMPaint(TMessage& message) override;
    void WndProc(TMessage& message) override;
    void DoEnter() override;
    void DoExit() override;

    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget() override;
    void ApplyText() override;
    void TextChanged() override;
    void SyncIndexToText();
    void KeyPress(char& key) override;
    virtual void Change();
    void ItemsChanged();
    void PushItems();
    void PushIndex();
    void UserPicked(int index);
    void UserTyped(const String& text);

private:
    TComboBoxStyle FStyle = csDropDown;
    std::unique_ptr<TStrings> FItems;
    int FItemIndex = -1;
    int FDropDownCount = 8;
    int FMaxLength = 0;
    int FDroppedWidth = 0;
    bool FDroppedDown = false;
    bool FPushing = false;
    bool FUserText = false;
    bool FMouseInside = false;
};
