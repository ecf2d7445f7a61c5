#pragma once
#include "framework/rtl/Types.h"

// An object that can copy another's state. Assign asks the source's
// AssignTo when it does not know the source; an unknown pair raises
// EConvertError "Cannot assign a %s to a %s".
class TPersistent : public TObject {
public:
    virtual void Assign(TPersistent* source);
    virtual String ClassName() const { return "TPersistent"; }

protected:
    virtual void AssignTo(TPersistent* dest);
};
