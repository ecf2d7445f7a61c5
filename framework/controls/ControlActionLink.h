#pragma once
#include "framework/controls/BasicAction.h"

class TControl;

// The link of a control: the control takes a property of its action only
// while that property is "linked", that is while the control still shows
// the action's current value (so a caption the program changed on the
// control itself is not overwritten).
class TActionLink : public TBasicActionLink {
public:
    virtual bool IsCaptionLinked() const;
    virtual bool IsCheckedLinked() const;
    virtual bool IsEnabledLinked() const;
    virtual bool IsGroupIndexLinked() const;
    virtual bool IsHelpContextLinked() const;
    virtual bool IsHintLinked() const;
    virtual bool IsImageIndexLinked() const;
    virtual bool IsShortCutLinked() const;
    virtual bool IsVisibleLinked() const;
    virtual bool IsOnExecuteLinked() const;

    virtual void SetCaption(const String&) {}
    virtual void SetChecked(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetGroupIndex(int) {}
    virtual void SetHelpContext(int) {}
    virtual void SetHint(const String&) {}
    virtual void SetImageIndex(int) {}
    virtual void SetShortCut(int) {}
    virtual void SetVisible(bool) {}

protected:
    // The action as a custom action, or nullptr.
    class TCustomAction* CustomAction() const;
};

class TControlActionLink : public TActionLink {
public:
    explicit TControlActionLink(TControl* client) : FClient(client) {}
    TControl* Client() const { return FClient; }

    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHelpContextLinked() const override;
    bool IsHintLinked() const override;
    bool IsVisibleLinked() const override;
    // A control with an OnClick of its own runs that instead.
    bool IsOnExecuteLinked() const override;

    void SetCaption(const String& v) override;
    void SetEnabled(bool v) override;
    void SetHelpContext(int v) override;
    void SetHint(const String& v) override;
    void SetVisible(bool v) override;

protected:
    void Change() override;
    TControl* FClient;
};
