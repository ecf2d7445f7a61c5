#pragma once
#include "framework/controls/BasicAction.h"

class TActionList;

// An action that sits in an action list: the list may handle its execution
// and update first (its own OnExecute/OnUpdate with Handled).
class TContainedAction : public TBasicAction {
public:
    explicit TContainedAction(TComponent* owner) : TBasicAction(owner) {}
    ~TContainedAction() override;
    String ClassName() const override { return "TContainedAction"; }

    TActionList* ActionList() const { return FActionList; }
    void SetActionList(TActionList* v);
    // The position in the list, -1 outside one.
    int Index() const;
    String Category;

    bool Execute() override;
    bool Update() override;

private:
    TActionList* FActionList = nullptr;
};

// The action controls show: caption, checked state (one per GroupIndex
// within its list), enabled state, help context, hint, image, shortcut and
// visibility. Each setter passes the new value to the links first (each
// takes it only while its control still shows the old one) and then
// reports the change.
class TCustomAction : public TContainedAction {
public:
    explicit TCustomAction(TComponent* owner) : TContainedAction(owner) {}
    String ClassName() const override { return "TCustomAction"; }

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v);
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v);
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int v);
    const String& Hint() const { return FHint; }
    void SetHint(const String& v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    int ShortCut() const { return FShortCut; }
    void SetShortCut(int v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    // Executing toggles Checked first.
    bool AutoCheck = false;
    // Without an OnExecute the action disables itself on update.
    bool DisableIfNoHandler = true;

    bool Execute() override;
    bool Update() override;

private:
    String FCaption, FHint;
    bool FChecked = false, FEnabled = true, FVisible = true;
    int FGroupIndex = 0, FHelpContext = 0, FImageIndex = -1, FShortCut = 0;
};

class TAction : public TCustomAction {
public:
    explicit TAction(TComponent* owner) : TCustomAction(owner) {}
    String ClassName() const override { return "TAction"; }
};
