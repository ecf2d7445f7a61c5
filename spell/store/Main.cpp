#include "spell/store/Main.h"
