// Damaged files fail before the reader allocates what their counts claim:
// each is opened under a cap of a few times its own size, and must fail
// with the error naming it, never run into the cap.
#include <gtest/gtest.h>

#define VELMOR_ALLOCATION_METER
#include "support/AllocationMeter.h"

#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"
#include "spell/store/Dictionary.h"
#include "SpellTestUtil.h"

namespace {
String Fixture(const char* name) { return PathJoin(VELMOR_FIXTURES, name); }

// What a reader may hold at once for a file of `size` bytes.
std::size_t Allowance(Int64 size) { return 64 * 1024 + 8 * static_cast<std::size_t>(size); }
}  // namespace

TEST(DamagedDictionary, FailsBeforeAllocatingWhatItsCountsClaim) {
    // A small real dictionary whose child-list size says four gigabytes.
    const String path = Fixture("child-lists-too-large.dct");
    ASSERT_EQ(FileSize(path), 334);
    TDictionary dict(path);
    String error;
    std::size_t peak = 0;
    bool refused = false;
    {
        TAllocationScope scope(Allowance(FileSize(path)));
        try {
            dict.Open();
        } catch (const EReadError& e) {
            error = e.what();
        } catch (const std::bad_alloc&) {
        }
        peak = scope.PeakBytes();
        refused = scope.Refused();
    }
    EXPECT_FALSE(refused) << "the reader asked for more than the file can hold";
    EXPECT_NE(error.find(path), String::npos) << error;
    EXPECT_LE(peak, Allowance(FileSize(path)));
    EXPECT_FALSE(dict.Opened);
}
