#include "gridkit/editors/GkComboBox.h"
