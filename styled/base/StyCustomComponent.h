#pragma once
#include "framework/classes/Component.h"
#include "styled/base/StyChangeReporting.h"

// The non-visual base of the styled components, with the same change
// reporting as TStyObject.
class TStyCustomComponent : public TStyChangeReporting<TComponent> {
public:
    explicit TStyCustomComponent(TComponent* AOwner);
    String ClassName() const override { return "TStyCustomComponent"; }

    // Stored with the component, never read. At most 10 characters.
    const String& About() const { return FAbout; }
    void SetAbout(const String& Value);

private:
    String FAbout;
};
