// Which refusals are waited out, and for how long: the codes Windows gives
// when another program holds a file, over the whole wait.
#include "platform/held_file_wait.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "platform/win32_codes.h"

namespace kelvarion {
namespace {

using namespace win32_code;

// The waits made for a failure that never goes away.
std::vector<int> waits_for(FileCall call, std::uint32_t code, bool read_only) {
    std::vector<int> waits;
    int tries = 0;
    const std::uint32_t last = retry_while_held(
        call,
        [&] {
            ++tries;
            return code;
        },
        [&](int milliseconds) { waits.push_back(milliseconds); }, [&] { return read_only; });
    EXPECT_EQ(last, code);
    EXPECT_EQ(tries, static_cast<int>(waits.size()) + 1);
    return waits;
}

TEST(HeldFileWait, OnlyAHoldIsWaitedOutAndForAboutTwoSecondsInAll) {
    struct Row {
        FileCall call;
        std::uint32_t code;
        bool read_only;
        bool waited;
    };
    const Row rows[] = {
        {FileCall::Open, kSharingViolation, false, true},
        {FileCall::Open, kLockViolation, false, true},
        {FileCall::Rename, kSharingViolation, true, true},
        {FileCall::Rename, kLockViolation, false, true},
        // ReplaceFileW's word for a target held without sharing delete.
        {FileCall::Rename, kUnableToRemoveReplaced, false, true},
        // A mapped view refuses the truncation of a write in place.
        {FileCall::Open, kUserMappedFile, false, true},
        // A file being scanned or deleted refuses a rename with access denied.
        {FileCall::Rename, kAccessDenied, false, true},
        // A read-only file or a folder refuses for good; so does an open.
        {FileCall::Rename, kAccessDenied, true, false},
        {FileCall::Open, kAccessDenied, false, false},
        {FileCall::Open, kFileNotFound, false, false},
        {FileCall::Rename, kPathNotFound, false, false},
        {FileCall::Open, 112, false, false},  // disk full
        {FileCall::Rename, kUnableToMoveReplacement2, false, false},
        {FileCall::Rename, kNotSupported, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        SCOPED_TRACE(static_cast<int>(row.call));
        const std::vector<int> waits = waits_for(row.call, row.code, row.read_only);
        if (!row.waited) {
            EXPECT_TRUE(waits.empty());
            continue;
        }
        // The figures themselves, not the constants: 2 s in all, short steps
        // first, growing, none long enough to feel like a hang.
        EXPECT_EQ(std::accumulate(waits.begin(), waits.end(), 0), 2000);
        ASSERT_FALSE(waits.empty());
        EXPECT_EQ(waits.front(), 50);
        EXPECT_EQ(*std::max_element(waits.begin(), waits.end()), 500);
        for (size_t i = 1; i + 1 < waits.size(); ++i) EXPECT_GE(waits[i], waits[i - 1]);
        EXPECT_LE(waits.size(), 10u);
    }
}

}  // namespace
}  // namespace kelvarion
