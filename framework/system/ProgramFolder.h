#pragma once
#include "framework/rtl/Types.h"

// The full path of the running executable, and its folder with a trailing
// '/'. Files the program keeps beside itself are found from here.
String ProgramFile();
String ProgramFolder();
// Tests point the program folder elsewhere; an empty path restores it.
void SetProgramFolderOverride(const String& folder);
