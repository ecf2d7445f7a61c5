#pragma once
// Rectangle and number arithmetic of the styled drawing and dialogs.
#include <initializer_list>
#include <vector>

#include "framework/rtl/Types.h"

void MoveEdges(TRect& R, int dLeft, int dTop, int dBottom, int dRight);
void RectSize(const TRect& R, int& Width, int& Height);
// Both corners of Inner lie in Outer, the right and bottom edges of Outer
// counting as outside.
bool RectInRect(const TRect& Inner, const TRect& Outer);
// Source scaled to fit Dest, aspect kept, at Dest's top-left corner. An
// empty source or destination gives an empty rectangle there.
TRect FitRect(const TRect& Source, const TRect& Dest);
// The bounding box of R turned by Angle degrees about its centre, moved to
// (0, 0); R is left alone for an angle of 0.
void RotatedBounds(TRect& R, int Angle);
// Of an empty list: 0.
int MaxOf(const std::vector<int>& Values);
int MinOf(const std::vector<int>& Values);
double MinOf(const std::vector<double>& Values);
