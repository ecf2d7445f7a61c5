// Widget tests need the toolkit's event loop, made by the application
// object as the program makes it.
#include "support/ApplicationMain.h"

int main(int argc, char** argv) { return RunTestsInApplication(argc, argv, {"Velmor tests"}); }
