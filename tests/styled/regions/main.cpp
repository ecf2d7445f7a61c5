// Shaped forms need the toolkit and the framework's application object.
#include "support/ApplicationMain.h"

int main(int argc, char** argv) { return RunTestsInApplication(argc, argv, {nullptr, true}); }
