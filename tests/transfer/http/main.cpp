// The transfers wait by running the message loop, so these tests need the
// application object. Run with "--fetch URL FILE" the program is instead
// the helper of the test that kills a download midway.
#include <cstring>

#include "support/ApplicationMain.h"

int FetchUntilKilled(const String& url, const String& file);

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--fetch") == 0) {
        TApplication app(nullptr);
        app.Initialize(argc, argv);
        return FetchUntilKilled(argv[2], argv[3]);
    }
    return RunTestsInApplication(argc, argv);
}
