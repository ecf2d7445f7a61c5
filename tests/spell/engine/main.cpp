// The engine shows its dialogs and waits in the message loop, which needs
// the toolkit.
#include "support/ApplicationMain.h"

int main(int argc, char** argv) { return RunTestsInApplication(argc, argv, {"Velmor spell tests"}); }
