#include "framework/graphics/FontWarmUp.h"

#include <dlfcn.h>

#include <atomic>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

struct TWarmUp {
    std::mutex Lock;
    std::thread Thread;
    bool Started = false;
    // A program that ends before its first text waits for the reading.
    ~TWarmUp() {
        if (Thread.joinable()) Thread.join();
    }
};

TWarmUp& WarmUp() {
    static TWarmUp w;
    return w;
}

std::atomic<bool> gRunning{false};

}  // namespace

void StartFontWarmUp() {
    TWarmUp& w = WarmUp();
    std::lock_guard<std::mutex> lock(w.Lock);
    if (w.Started) return;
    w.Started = true;
    // The toolkit's graphics library links the font configuration library,
    // so its entry is at hand without a link of our own.
    using TFcInit = int (*)();
    const auto init = reinterpret_cast<TFcInit>(dlsym(RTLD_DEFAULT, "FcInit"));
    if (!init) return;
    try {
        w.Thread = std::thread([init] { init(); });
        gRunning = true;
    } catch (const std::system_error&) {
        // No thread to be had: the toolkit reads the configuration itself.
    }
}

void WaitForFontWarmUp() {
    if (!gRunning.load(std::memory_order_acquire)) return;
    TWarmUp& w = WarmUp();
    std::lock_guard<std::mutex> lock(w.Lock);
    if (w.Thread.joinable()) w.Thread.join();
    gRunning = false;
}
