#pragma once
#include "toolbars/TbTypes.h"

class TTbFrameController;

// What a control offers a frame controller: only controls that implement
// it (and have UseFrameController on) take the controller's settings.
class TTbFrameControllable {
public:
    virtual ~TTbFrameControllable() = default;
    virtual bool UseFrameController() const = 0;
    // Takes one setting (numbered as TTbFrameController's) from the
    // controller.
    virtual void ApplyFrameSetting(int setting, const TTbFrameController& controller) = 0;
};
