#include "framework/rtl/Pieces.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Helper threads kept for the program's lifetime once first needed:
// starting threads costs about as much as the work they would share. A
// job's pieces are taken through one counter; the caller waits only for
// the helpers that joined the job, so a helper the system has not woken
// when the pieces are all done is not waited for.
class TPiecePool {
public:
    ~TPiecePool() {
        {
            std::lock_guard<std::mutex> lock(FLock);
            FStop = true;
        }
        FWake.notify_all();
        for (std::thread& t : FThreads) t.join();
    }

    // False when the pool is busy with another caller's job (or the caller
    // is one of its pieces): the caller then does the work alone.
    bool Run(size_t count, const std::function<void(size_t)>& task) {
        bool idle = false;
        if (!FBusy.compare_exchange_strong(idle, true)) return false;
        struct TRelease {
            std::atomic<bool>& Busy;
            ~TRelease() { Busy = false; }
        } release{FBusy};
        {
            std::lock_guard<std::mutex> lock(FLock);
            Start();
            if (FThreads.empty()) return false;
            FTask = &task;
            FCount = count;
            FNext = 0;
            FError = nullptr;
            FFailed = false;
            FOpen = true;
            ++FGeneration;
        }
        FWake.notify_all();
        Work(task, count);
        std::exception_ptr error;
        {
            std::unique_lock<std::mutex> lock(FLock);
            FOpen = false;  // helpers not yet awake stay out
            FDone.wait(lock, [&] { return FInside == 0; });
            FTask = nullptr;
            error = FError;
        }
        if (error) std::rethrow_exception(error);
        return true;
    }

private:
    void Start() {
        if (FStarted) return;
        FStarted = true;
        const unsigned processors = std::max(1u, std::thread::hardware_concurrency());
        const unsigned helpers = std::min(processors - 1, 7u);
        try {
            for (unsigned t = 0; t < helpers; ++t) FThreads.emplace_back([this] { Helper(); });
        } catch (const std::system_error&) {
            // No more threads to be had: those started do the helping.
        }
    }

    void Helper() {
        unsigned long long seen = 0;
        std::unique_lock<std::mutex> lock(FLock);
        for (;;) {
            FWake.wait(lock, [&] { return FStop || (FOpen && FGeneration != seen); });
            if (FStop) return;
            seen = FGeneration;
            const std::function<void(size_t)>& task = *FTask;
            const size_t count = FCount;
            ++FInside;
            lock.unlock();
            Work(task, count);
            lock.lock();
            if (--FInside == 0) FDone.notify_all();
        }
    }

    void Work(const std::function<void(size_t)>& task, size_t count) {
        for (size_t i; !FFailed.load(std::memory_order_relaxed) && (i = FNext.fetch_add(1)) < count;) {
            try {
                task(i);
            } catch (...) {
                std::lock_guard<std::mutex> lock(FLock);
                if (!FError) FError = std::current_exception();
                FFailed = true;
            }
        }
    }

    std::atomic<bool> FBusy{false};  // one job at a time
    std::mutex FLock;                // everything below
    std::condition_variable FWake, FDone;
    std::vector<std::thread> FThreads;
    bool FStarted = false, FStop = false, FOpen = false;
    unsigned long long FGeneration = 0;
    const std::function<void(size_t)>* FTask = nullptr;
    size_t FCount = 0, FInside = 0;
    std::atomic<size_t> FNext{0};
    std::atomic<bool> FFailed{false};
    std::exception_ptr FError;
};

TPiecePool& Pool() {
    static TPiecePool pool;
    return pool;
}

}  // namespace

void RunPieces(size_t count, const std::function<void(size_t)>& task) {
    if (count == 0) return;
    if (count > 1 && Pool().Run(count, task)) return;
    for (size_t i = 0; i < count; ++i) task(i);
}
