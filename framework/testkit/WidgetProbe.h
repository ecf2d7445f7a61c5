#pragma once
// A control's widget held past the control's life. The toolkit may keep a
// widget a while after its control is freed (its deletion waits until the
// event being delivered is over), and what the window system queued for it
// can still arrive then. A probe sends such input straight to the widget
// and to every widget inside it, shown or not, as no person could, so that
// tests can show it reaches no freed control.
#include <memory>

#include "framework/rtl/Types.h"

class TControl;

class TWidgetProbe {
public:
    explicit TWidgetProbe(TControl* control);  // the control's widget, as it is now
    ~TWidgetProbe();
    TWidgetProbe(const TWidgetProbe&) = delete;
    TWidgetProbe& operator=(const TWidgetProbe&) = delete;

    // Whether the widget has not been deleted yet.
    bool Exists() const;
    // A left click at the middle of each widget; then, to each, presses and
    // releases of Return, Space, Up, Down and a letter; then a wheel turn.
    // Does nothing once the widget is gone.
    void Poke();

private:
    struct TImpl;
    std::unique_ptr<TImpl> F;
};
