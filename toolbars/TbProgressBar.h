#pragma once
#include "toolbars/TbCustomProgressBar.h"

// The progress bar as windows place it.
class TTbProgressBar : public TTbCustomProgressBar {
public:
    explicit TTbProgressBar(TComponent* owner);
    String ClassName() const override { return "TTbProgressBar"; }
};
