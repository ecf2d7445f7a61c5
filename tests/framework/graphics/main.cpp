// Text measuring and drawing need the toolkit's font machinery, so the
// tests run inside the application object, on the offscreen platform
// unless the environment names another.
#include "support/ApplicationMain.h"

int main(int argc, char** argv) { return RunTestsInApplication(argc, argv, {nullptr, true}); }
