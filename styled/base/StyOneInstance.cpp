#include "styled/base/StyOneInstance.h"

#include "framework/controls/Application.h"
#include "framework/controls/Dialogs.h"
#include "styled/base/StyApplication.h"
#include "styled/base/StyEOneInstError.h"

namespace {
int gOneInstanceCount = 0;

// Runs before the base is built: a refused component must not be inserted
// into its owner nor counted, since C++ runs no destructor for it.
TComponent* CheckFirstOneInstance(TComponent* owner) {
    if (gOneInstanceCount >= 1) throw StyEOneInstError("TStyOneInstance", 1);
    return owner;
}
}  // namespace

TStyOneInstance::TStyOneInstance(TComponent* AOwner) : TStyComponent(CheckFirstOneInstance(AOwner)) {
    ++gOneInstanceCount;
}

TStyOneInstance::~TStyOneInstance() { --gOneInstanceCount; }

int TStyOneInstance::InstanceCount() { return gOneInstanceCount; }

String TStyOneInstance::DefaultMessage(const String& Title) {
    return "\"" + Title + "\" was already started...";
}

void TStyOneInstance::Loaded() {
    TStyComponent::Loaded();
    if (HasState(csDesigning) || !FEnabled) return;
    if (!StyApplication || !StyApplication->PrevInstance()) return;
    switch (FMode) {
    case oiActivateOnly: StyApplication->ActivatePrevInstance(); break;
    case oiDefaultMessage: {
        MessageDlg(DefaultMessage(Application ? Application->Title() : String()), mtInformation, mbOK, 0);
        StyApplication->ActivatePrevInstance();
        break;
    }
    case oiCustom:
        if (OnCustom)
            OnCustom(this);
        else
            StyApplication->ActivatePrevInstance();
        break;
    }
    if (Application) Application->Terminate();
}
