// The thesaurus window needs the toolkit.
#include "support/ApplicationMain.h"

int main(int argc, char** argv) { return RunTestsInApplication(argc, argv, {"Velmor thesaurus tests"}); }
