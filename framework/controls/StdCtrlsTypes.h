#pragma once
// Value types the standard controls share.
#include "framework/controls/Controls.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
// A control's frame: none or a single sunken line (the form's bsNone and
// bsSingle, which this enumeration shares).
enum TControlBorderStyle { bsNoneBorder = 0, bsSingleBorder = 1 };
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
