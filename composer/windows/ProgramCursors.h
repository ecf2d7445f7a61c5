#pragma once

// Registers the cursor resources the program carries (the styled
// library's 16548, a hand that grips). Called first thing in main, before
// the styled application object looks for them.
void RegisterProgramCursors();
