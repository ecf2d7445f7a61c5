#pragma once
#include "framework/classes/Component.h"

// The non-visual base of the styled components, with the same change
// reporting as TStyObject.
class TStyCustomComponent : public TComponent {
public:
    explicit TStyCustomComponent(TComponent* AOwner);
    String ClassName() const override { return "TStyCustomComponent"; }

    // Stored with the component, never read. At most 10 characters.
    const String& About() const { return FAbout; }
    void SetAbout(const String& Value);

    TNotifyEvent OnChange;
    bool Updating() const { return FUpdating; }

    virtual void Change();
    virtual void GetChange(TObject* Sender);
    void BeginUpdate();
    void EndUpdate(bool DoChange);

protected:
    bool FUpdating = false;

private:
    String FAbout;
};
