#pragma once
// Enumerations shared by the styled library's base, dialogs and controls.

// Where a file name without folder is placed: the user's settings folder
// (what the classic platform called its Windows folder), the system-wide
// settings folder, the program's folder, or nowhere (the name is kept as
// given).
enum TStyPathPrefix { ppWindows, ppSystem, ppProgram, ppFixed };

// What a dialog is placed relative to.
enum TStyDlgPosRel { brScreen, brScreenWorkArea, brMainForm, brActiveWindow };

// Where in that reference a dialog goes.
enum TStyDlgPosition {
    bpCustom,
    bpTopLeft,
    bpTopCenter,
    bpTopRight,
    bpCenterLeft,
    bpCenter,
    bpCenterRight,
    bpBottomLeft,
    bpBottomCenter,
    bpBottomRight,
};
