#pragma once
// What every benchmark here shares: timing ours and the peer's side by side
// (a warm-up of each, then turns A B A B ... so a busy machine slows both
// alike) and the one summary line a benchmark prints last.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace bench {

inline double NowSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Processor time of the whole process (every thread), in seconds.
inline double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

inline double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Seconds of one call of f.
template <class F>
double TimeOnce(F&& f) {
    const double t0 = NowSeconds();
    f();
    return NowSeconds() - t0;
}

struct Pair {
    double ours = 0;  // median seconds of one round
    double peer = 0;
    // The median of the round-by-round ratios ours / peer: steadier than
    // the ratio of the medians when the machine's speed drifts.
    double ratio = 0;
};

// One warm-up of each, then `rounds` turns of ours and the peer's.
template <class A, class B>
Pair SideBySide(int rounds, A&& ours, B&& peer) {
    ours();
    peer();
    std::vector<double> a, b, r;
    for (int i = 0; i < rounds; ++i) {
        a.push_back(TimeOnce(ours));
        b.push_back(TimeOnce(peer));
        r.push_back(b.back() > 0 ? a.back() / b.back() : 0);
    }
    return {Median(a), Median(b), Median(r)};
}

// The last line a benchmark prints: its name, then key=value fields.
class Summary {
public:
    explicit Summary(std::string name) : FLine(std::move(name)) {}
    Summary& Add(const char* key, double value, int decimals = 2) {
        char buf[64];
        std::snprintf(buf, sizeof buf, " %s=%.*f", key, decimals, value);
        FLine += buf;
        return *this;
    }
    Summary& Add(const char* key, long long value) {
        FLine += " " + std::string(key) + "=" + std::to_string(value);
        return *this;
    }
    void Print() const {
        std::fflush(stdout);
        std::printf("%s\n", FLine.c_str());
        std::fflush(stdout);
    }

private:
    std::string FLine;
};

}  // namespace bench
