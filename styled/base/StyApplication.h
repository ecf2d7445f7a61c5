#pragma once
#include <array>
#include <functional>
#include <memory>

#include "framework/classes/Component.h"
#include "framework/graphics/Color.h"
#include "styled/base/StyTypes.h"

class TBitmap;
class TInstanceGuard;

// The program's cursor resource that the application object makes screen
// cursor crStyCursor when it is created (the program supplies the image).
inline constexpr int StyCursorResource = 16548;
inline constexpr int crStyCursor = -255;
class TLocalChannelServer;
class TStyIniCtrl;
class TStyTimerPool;
class TStyTimerItem;

// The styled library's process-wide object: it tells whether another copy
// of the program runs, owns the shared timer pool through which controls
// get their timers, and keeps a few drawing settings and caches.
//
// The program makes it first thing in main, before the framework's
// application and before any window, and keeps it until the end:
//
//     TStyApplication styApp;          // sets StyApplication
//     TApplication app(nullptr);
//
// So whether this copy is a second one is known before anything shows.
// The first copy also listens for later copies asking it to come forward.
class TStyApplication : public TComponent {
public:
    static constexpr Word FirstTimerId = 0xFD01;
    static constexpr int TimerSlotCount = 250;

    // The owner is ignored: the object belongs to nobody. An empty
    // InstanceName means the program's own file name; copies started from
    // program files of other names do not see each other.
    explicit TStyApplication(TComponent* AOwner = nullptr, const String& InstanceName = String());
    ~TStyApplication() override;
    String ClassName() const override { return "TStyApplication"; }

    // Member 0 keeps the drawing routines from asking for palette use on
    // displays of 8 bits or fewer; the other members are read nowhere.
    Byte Options = 0x36;
    Byte Flags2 = 0x01;
    // The per-step delay factor of the zoom effects.
    Byte AnimationDelay = 3;
    TStyPathPrefix LogPrefix = ppProgram;

    TStyIniCtrl* IniCtrl() const { return FIniCtrl; }
    TStyTimerPool* TimerPool() const { return FTimerPool; }
    const String& InstanceName() const { return FInstanceName; }
    // Decided once, at creation.
    bool PrevInstance() const { return FPrevInstance; }
    Int64 PerformanceFrequency() const { return FPerformanceFrequency; }
    const String& LogFile() const { return FLogFile; }
    // An empty name means the program's path with ".LOG"; a name without
    // extension gets ".LOG"; unless LogPrefix is ppFixed the file goes to
    // the folder LogPrefix names.
    void SetLogFile(const String& Name);

    // A timer of the shared pool with the lowest free identifier of
    // 0xFD01..0xFDFA; 0 when all 250 are taken. The pool's errors (an
    // interval that is no multiple of 50 ms) reach the caller, and the
    // identifier stays free then.
    Word AddTimer(Word Interval, TNotifyEvent Event);
    // Identifiers outside 0xFD01..0xFDFA are not ours and are ignored.
    void RemoveTimer(Word ID);
    TStyTimerItem* GetTimer(Word ID) const;
    bool TimerSlotUsed(Word ID) const;

    // An 8 x 8 white bitmap with Color on the pixels whose x and y differ
    // in parity. Rebuilt only for another colour; owned here.
    TBitmap* GetPatternBitmap(TColor Color);
    TColor PatternColor() const { return FPatternColor; }

    // Asks the first copy to come forward (only when PrevInstance). True
    // when the request was delivered.
    bool ActivatePrevInstance();
    // What the first copy does when asked: restore its main form when
    // minimised, otherwise raise it.
    static void BringThisCopyForward();
    // Whether this copy listens for the requests of later copies, and how
    // many it has received.
    bool ListeningForCopies() const;
    int ActivationRequests() const { return FActivationRequests; }

private:
    String FInstanceName;
    TStyIniCtrl* FIniCtrl = nullptr;
    TStyTimerPool* FTimerPool = nullptr;
    std::unique_ptr<TBitmap> FPatternBitmap;
    TColor FPatternColor = static_cast<TColor>(0x1FFFFFFF);
    String FLogFile;
    Int64 FPerformanceFrequency = 0;
    bool FPrevInstance = false;
    int FActivationRequests = 0;
    std::unique_ptr<TInstanceGuard> FGuard;
    std::unique_ptr<TLocalChannelServer> FChannel;
    std::array<bool, TimerSlotCount> FTimerSlots{};
};

// The one application object of the styled library (nullptr before it is
// made and after it is gone).
extern TStyApplication* StyApplication;

// Brings the first copy forward when StyApplication found one.
bool ActivatePrevInstance();

// The check of the one-per-form components: true (refuse) when Owner is no
// form (with AllowDataModule: nor a non-visual container) or already holds
// more than one component that IsOfClass accepts. An empty IsOfClass only
// checks the owner.
bool CheckOwnerInstance(TComponent* Owner, const std::function<bool(TComponent*)>& IsOfClass,
                        bool AllowDataModule);
template <class T>
bool CheckOwnerInstance(TComponent* Owner, bool AllowDataModule) {
    return CheckOwnerInstance(
        Owner, [](TComponent* c) { return dynamic_cast<T*>(c) != nullptr; }, AllowDataModule);
}

// The same check for a component not yet inserted into Owner (one already
// there is one too many). Raises StyEOneInstError kind 0 with ClassName,
// else returns Owner. One-per-form components call it in their base's
// initialiser, so a refused one is never inserted nor counted anywhere:
//     TStyFormShape(TComponent* AOwner)
//         : TStyWndProcComponent(RequireOnePerForm<TStyFormShape>(AOwner, "TStyFormShape")) {}
TComponent* RequireOnePerForm(TComponent* Owner, const std::function<bool(TComponent*)>& IsOfClass,
                              const String& ClassName, bool AllowDataModule = false);
template <class T>
TComponent* RequireOnePerForm(TComponent* Owner, const String& ClassName, bool AllowDataModule = false) {
    return RequireOnePerForm(
        Owner, [](TComponent* c) { return dynamic_cast<T*>(c) != nullptr; }, ClassName, AllowDataModule);
}
