// The update window waits for its transfers by running the message loop,
// so these tests need the application object.
#include "support/ApplicationMain.h"

int main(int argc, char** argv) { return RunTestsInApplication(argc, argv, {"Velmor"}); }
