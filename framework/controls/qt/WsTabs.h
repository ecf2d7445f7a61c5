#pragma once
#include <functional>
#include <vector>

#include "framework/rtl/Types.h"

class QWidget;

// The toolkit side of pages with tabs: a plain surface with a tab bar
// along its top; the pages are the framework's own controls on it.
namespace velmor_ws {

// `onTabChanged(i)` when the bar's current tab changes (the caller
// guards it), `onGone` when the surface is destroyed.
QWidget* CreatePageSurface(QWidget* parent, int tabHeight, std::function<void(int)> onTabChanged,
                           std::function<void()> onGone);
// From now on the surface reports nothing: it may outlive its control.
void DetachPageSurface(QWidget* surface);
// Shows these tabs, the one at `current` selected, and the bar on top.
void SetPageTabs(QWidget* surface, const std::vector<String>& captions, int current);
void PlaceTabBar(QWidget* surface, int width, int height);

}  // namespace velmor_ws
