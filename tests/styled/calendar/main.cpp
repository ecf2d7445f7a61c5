#include "support/StyledApplicationMain.h"

int main(int argc, char** argv) { return RunStyledTests(argc, argv, "calendar"); }
