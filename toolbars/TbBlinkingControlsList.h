#pragma once
#include <memory>
#include <vector>

#include "framework/messages/Messages.h"
#include "framework/rtl/Types.h"

class TControl;
class TTimer;

// Asked of every member on each tick: Result 1 to take part.
inline constexpr UINT TBM_BLINKQUERY = 0xB064;
// Sent to those that answered 1: WParam 1 for the blink phase, 0 for the
// normal one.
inline constexpr UINT TBM_BLINK = 0xB065;

// The one list, process-wide, whose timer makes every blinking label
// blink in step. The first label creates it and the last one to leave
// frees it.
class TTbBlinkingControlsList {
public:
    virtual ~TTbBlinkingControlsList();

    // The list while any control is registered, else nullptr.
    static TTbBlinkingControlsList* Instance();
    // Registers a control, creating the list when needed.
    static void Register(TControl* control);
    // Unregisters it; the list goes when it is empty.
    static void Unregister(TControl* control);

    virtual int Count() const { return static_cast<int>(FControls.size()); }
    Word BlinkIntervalOn() const { return FIntervalOn; }
    void SetBlinkIntervalOn(Word v);
    Word BlinkIntervalOff() const { return FIntervalOff; }
    void SetBlinkIntervalOff(Word v);
    // True while the blink colour shows.
    bool BlinkPhase() const { return FPhaseOn; }
    TTimer* Timer() const { return FTimer.get(); }

    // One timer tick; tests call it directly.
    void Tick();

private:
    TTbBlinkingControlsList();
    std::vector<TControl*> FControls;
    std::unique_ptr<TTimer> FTimer;
    bool FPhaseOn = true;  // on: the blink colour shows
    Word FIntervalOn = 500;
    Word FIntervalOff = 500;
};
