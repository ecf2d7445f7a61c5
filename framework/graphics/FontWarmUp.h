#pragma once
// The system's font configuration, which the toolkit reads before it shows
// its first text (some sixty files, several milliseconds), is read on
// another processor while the toolkit starts (on an X server that takes
// longer than the reading) and the first window is built. The first text
// waits for that reading instead of doing it again.

// Starts the reading; the toolkit's start calls it. Does nothing when it
// has run already or the font configuration library is not loaded.
void StartFontWarmUp();
// Returns once the reading is over (at once when none was started).
// Whatever measures or draws text calls it first, and the toolkit's end.
void WaitForFontWarmUp();
