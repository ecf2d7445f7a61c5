#include "gridkit/grid/ArrowWindow.h"

#include "framework/controls/Form.h"
#include "framework/graphics/Region.h"

TArrowWindow::TArrowWindow(TComponent* owner, unsigned char direction)
    : TPanel(owner), FDirection(direction) {
    SetColor(static_cast<TColor>(65280));
    SetVisible(false);
}

std::vector<TPoint> TArrowWindow::Outline(unsigned char direction) {
    switch (direction) {
    case 0: return {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}};
    case 1: return {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}};
    case 2: return {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}};
    default: return {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}};
    }
}

void TArrowWindow::WidgetCreated() {
    TPanel::WidgetCreated();
    const TRegion region = TRegion::CreatePolygon(Outline(FDirection), WINDING);
    SetWindowRgn(Handle(), &region, true);
}
