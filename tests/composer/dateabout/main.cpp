// The date pickers and the About window are modal windows, which need the
// toolkit, made by the application object as the program makes it.
#include "support/ApplicationMain.h"

int main(int argc, char** argv) { return RunTestsInApplication(argc, argv, {"Velmor"}); }
