#include "spell/store/User.h"
