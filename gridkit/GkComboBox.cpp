#include "gridkit/GkComboBox.h"
