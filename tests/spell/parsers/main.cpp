// The control parsers read edits, memos and windows, which need the toolkit.
#include "support/ApplicationMain.h"

int main(int argc, char** argv) { return RunTestsInApplication(argc, argv, {"Velmor parser tests"}); }
