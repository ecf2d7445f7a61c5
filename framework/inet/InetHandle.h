#pragma once
// The base of the internet library's handles. Handles form a tree (session
// -> connection -> request, file or search); closing one, from any thread,
// makes every call blocked in it or below it return at once with
// ERROR_INTERNET_OPERATION_CANCELLED, and every later call fail with
// ERROR_INVALID_HANDLE. That is how a transfer running on a worker is
// stopped from the thread that waits for it.
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "framework/rtl/Types.h"

class TInetHandle : public std::enable_shared_from_this<TInetHandle> {
public:
    TInetHandle(const TInetHandle&) = delete;
    TInetHandle& operator=(const TInetHandle&) = delete;
    virtual ~TInetHandle();

    // Safe from any thread, any number of times.
    void Close();
    // This handle or one it was opened from has been closed.
    bool Closed() const;

protected:
    TInetHandle() = default;
    // Registers this handle under `parent`, so closing the parent closes it.
    // False (the handle then counts as closed) when the parent is closed.
    bool Attach(const std::shared_ptr<TInetHandle>& parent);
    // Wakes a call blocked in this handle; runs under Lock().
    virtual void Wake() {}
    // ERROR_INVALID_HANDLE as the thread's last error when closed.
    bool CheckOpen() const;
    std::mutex& Lock() const { return FLock; }

    std::shared_ptr<TInetHandle> FParent;

private:
    mutable std::mutex FLock;
    std::vector<std::weak_ptr<TInetHandle>> FChildren;
    std::atomic<bool> FClosed{false};
};
