#pragma once
#include "styled/base/StyComponent.h"

enum TStyOneInstanceMode { oiActivateOnly, oiDefaultMessage, oiCustom };

// Dropped on the main form, it ends a second copy of the program: when the
// form has been loaded and StyApplication found another copy running, it
// acts by Mode and then asks the application to terminate, so the main
// form never shows. Only one may exist in the program.
class TStyOneInstance : public TStyComponent {
public:
    // Raises StyEOneInstError (kind 1) when one exists already; the refused
    // component is never counted nor left with its owner.
    explicit TStyOneInstance(TComponent* AOwner);
    ~TStyOneInstance() override;
    String ClassName() const override { return "TStyOneInstance"; }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    TStyOneInstanceMode Mode() const { return FMode; }
    void SetMode(TStyOneInstanceMode Value) { FMode = Value; }
    // Called in mode oiCustom instead of bringing the other copy forward.
    TNotifyEvent OnCustom;

    static int InstanceCount();
    // The text of oiDefaultMessage for a title.
    static String DefaultMessage(const String& Title);

protected:
    void Loaded() override;

private:
    bool FEnabled = true;
    TStyOneInstanceMode FMode = oiActivateOnly;
};
