// Text measuring and drawing need the toolkit's font machinery, so the
// drawing tests run inside the application object.
#include "support/ApplicationMain.h"

int main(int argc, char** argv) { return RunTestsInApplication(argc, argv, {nullptr, true}); }
