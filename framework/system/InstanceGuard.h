#pragma once
#include "framework/rtl/Types.h"

// Tells whether another copy of the program is running, the way a named
// mutex did: a lock file named after the program's file name, in
// $XDG_RUNTIME_DIR (else /tmp, with the user id in the name so users do not
// meet), locked exclusively for the life of this object. The kernel drops
// the lock when the holder ends, however it ends, so a crashed copy never
// blocks the next one. The file itself stays; only the lock matters.
//
// A lock that cannot be set up at all (no writable folder, a file of
// another user in the way) is no reason to keep the program from starting:
// the guard then holds nothing and reports no other copy.
class TInstanceGuard : public TObject {
public:
    // An empty name means the running program's file name.
    explicit TInstanceGuard(const String& name = String());
    ~TInstanceGuard() override;  // releases the lock
    TInstanceGuard(const TInstanceGuard&) = delete;
    TInstanceGuard& operator=(const TInstanceGuard&) = delete;

    // True when another process (or another guard of this name in this
    // process) held the lock when this guard was made.
    bool PrevInstance() const { return FPrevInstance; }
    // True while this guard holds the lock.
    bool Held() const { return FHandle >= 0; }
    const String& LockFileName() const { return FLockFileName; }
    void Release();

private:
    String FLockFileName;
    int FHandle = -1;
    bool FPrevInstance = false;
};
