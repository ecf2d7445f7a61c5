// The test kit drives real windows: the application object comes first.
#include "support/ApplicationMain.h"

int main(int argc, char** argv) {
    TTestApplicationOptions options;
    options.OffscreenByDefault = true;
    return RunTestsInApplication(argc, argv, options);
}
