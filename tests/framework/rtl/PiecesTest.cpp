#include "framework/rtl/Pieces.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

// Every piece runs once, whatever the count, also when pieces start pieces
// of their own and when two callers run jobs at the same time.
TEST(RunPieces, EveryPieceRunsOnce) {
    for (size_t count : {0u, 1u, 2u, 7u, 64u, 1000u}) {
        std::vector<std::atomic<int>> runs(count);
        RunPieces(count, [&](size_t i) { ++runs[i]; });
        for (size_t i = 0; i < count; ++i) ASSERT_EQ(runs[i], 1) << count << " pieces, piece " << i;
    }

    std::vector<std::atomic<int>> inner(8 * 16);
    RunPieces(8, [&](size_t i) { RunPieces(16, [&](size_t j) { ++inner[i * 16 + j]; }); });
    for (const auto& r : inner) ASSERT_EQ(r, 1);

    std::vector<std::atomic<int>> a(500), b(500);
    std::thread other([&] {
        for (int round = 0; round < 20; ++round) RunPieces(25, [&](size_t i) { ++b[(round * 25 + i) % 500]; });
    });
    for (int round = 0; round < 20; ++round) RunPieces(25, [&](size_t i) { ++a[(round * 25 + i) % 500]; });
    other.join();
    for (size_t i = 0; i < 500; ++i) ASSERT_EQ(std::make_pair(a[i].load(), b[i].load()), std::make_pair(1, 1));
}

// A piece's exception reaches the caller after every running piece has
// stopped; the next job runs normally.
TEST(RunPieces, AnExceptionReachesTheCaller) {
    std::atomic<int> running{0}, after{0};
    EXPECT_THROW(RunPieces(200,
                           [&](size_t i) {
                               ++running;
                               if (i == 3) throw std::runtime_error("piece 3");
                               --running;
                           }),
                 std::runtime_error);
    EXPECT_EQ(running, 1);  // only the piece that threw is left counted
    RunPieces(50, [&](size_t) { ++after; });
    EXPECT_EQ(after, 50);
}
