#include "toolbars/TbProgressBar.h"

TTbProgressBar::TTbProgressBar(TComponent* owner) : TTbCustomProgressBar(owner) {}
