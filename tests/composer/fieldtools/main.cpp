// The field tools open windows and wait in the message loop, which needs
// the toolkit, made by the application object as the program makes it.
#include "support/ApplicationMain.h"

int main(int argc, char** argv) { return RunTestsInApplication(argc, argv, {"Velmor"}); }
