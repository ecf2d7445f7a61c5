#pragma once
// What every benchmark here shares: timing ours and the peer's side by side
// (a warm-up of each, then rounds of one turn each, the first turn of a
// round alternating between the two, so a busy machine or a warm cache
// favours neither) and the one summary line a benchmark prints last.
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
    // The spread of the round-by-round ratios.
    double ratioMin = 0;
    double ratioMax = 0;
};

// One warm-up of each, then `rounds` rounds of one turn of each: ours goes
// first in even rounds, the peer in odd ones. Each call returns the seconds
// it counts for (a turn may time only part of what it does).
template <class A, class B>
Pair SideBySideTimed(int rounds, A&& ours, B&& peer) {
    ours();
    peer();
    std::vector<double> a, b, r;
    for (int i = 0; i < rounds; ++i) {
        double ta = 0, tb = 0;
        if (i % 2 == 0) {
            ta = ours();
            tb = peer();
        } else {
            tb = peer();
            ta = ours();
        }
        a.push_back(ta);
        b.push_back(tb);
        r.push_back(tb > 0 ? ta / tb : 0);
    }
    Pair p{Median(a), Median(b), Median(r)};
    if (!r.empty()) {
        p.ratioMin = *std::min_element(r.begin(), r.end());
        p.ratioMax = *std::max_element(r.begin(), r.end());
    }
    return p;
}

// The same, timing the whole of each call.
template <class A, class B>
Pair SideBySide(int rounds, A&& ours, B&& peer) {
    return SideBySideTimed(rounds, [&] { return TimeOnce(ours); }, [&] { return TimeOnce(peer); });
}

// A log line with a ratio's spread over the rounds: min, median, max. With
// `speed` the ratio is printed the other way up (the peer's time over
// ours), as the speed ratios of the summaries are.
inline void PrintSpread(const char* name, const Pair& p, bool speed = false) {
    if (speed)
        std::printf("%s min=%.3f median=%.3f max=%.3f\n", name, p.ratioMax > 0 ? 1 / p.ratioMax : 0,
                    p.ratio > 0 ? 1 / p.ratio : 0, p.ratioMin > 0 ? 1 / p.ratioMin : 0);
    else
        std::printf("%s min=%.3f median=%.3f max=%.3f\n", name, p.ratioMin, p.ratio, p.ratioMax);
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
