// Putting a new file in place of a target over each outcome that Windows
// documents for ReplaceFileW, and over holds by other programs, on the fake
// platform, whose files end up as Windows leaves them after each. Whatever
// happens, the target is under its own name with its old or new bytes, and no
// temporary or backup file stays unless it is named.
#include "platform/file_replace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/held_file_wait.h"

#include "tests/fakes/fake_platform.h"

namespace kelvarion::testing {
namespace {

const std::string kFolder = R"(C:\SAS\9.1\nls\en)";
const std::string kTarget = kFolder + R"(\SASV9.CFG)";
const std::string kNew = kFolder + R"(\~kv9.tmp)";
const std::string kBackup = kFolder + R"(\~kv9.bak)";

// The earlier file and the new one beside it, with ReplaceFileW failing.
void lay_down_old_and_new(FakePlatform& platform, const char* replace_fails) {
    platform.add_file(kTarget, "old");
    platform.add_file(kNew, "new");
    platform.fail(FakeOp::Replace, "", replace_fails);
}

struct Outcome {
    const char* name;
    bool target_before;         // an earlier file to replace
    const char* replace_fails;  // ReplaceFileW's failure, nullptr: it succeeds
    int replace_times;          // how often it fails, -1: for good
    const char* move_refused;   // the files whose rename fails ("" all), nullptr: none
    const char* rewrite_fails;  // the write in place's failure, nullptr: it succeeds
    int rewrite_times;
    const char* bytes_after;    // in the target afterwards, nullptr: no target
    const char* reported;       // the failure's description, nullptr on success
    bool backup_kept;           // the backup holds the original and is named
};

constexpr int kForGood = -1;

const Outcome kOutcomes[] = {
    {"success", true, nullptr, 0, nullptr, nullptr, 0, "new", nullptr, false},
    {"no earlier file: a rename", false, nullptr, 0, nullptr, nullptr, 0, "new", nullptr, false},
    {"no earlier file, the rename refused", false, nullptr, 0, "", nullptr, 0, nullptr,
     kAccessDenied, false},
    {"1175: nothing moved", true, kUnableToRemoveReplaced, kForGood, nullptr, nullptr, 0, "old",
     kUnableToRemoveReplaced, false},
    {"1176 with a backup name: both keep their names", true, kUnableToMoveReplacement, kForGood,
     nullptr, nullptr, 0, "old", kUnableToMoveReplacement, false},
    {"1177: the original at the backup name goes back", true, kUnableToMoveReplacement2, kForGood,
     nullptr, nullptr, 0, "old", kUnableToMoveReplacement2, false},
    {"1177, the backup cannot move back: the new bytes go in", true, kUnableToMoveReplacement2,
     kForGood, ".bak", nullptr, 0, "new", kUnableToMoveReplacement2, false},
    {"access denied, waited for, then reported", true, kAccessDenied, kForGood, nullptr, nullptr, 0,
     "old", kAccessDenied, false},
    {"held for a moment: waited out", true, kSharingViolation, 3, nullptr, nullptr, 0, "new",
     nullptr, false},
    {"held for good, others may write: written in place", true, kSharingViolation, kForGood,
     nullptr, nullptr, 0, "new", nullptr, false},
    {"locked for good, others may write: written in place", true, kLockViolation, kForGood,
     nullptr, nullptr, 0, "new", nullptr, false},
    {"held for good, reading shared only", true, kSharingViolation, kForGood, nullptr,
     kSharingViolation, kForGood, "old", kSharingViolation, false},
    {"written in place, stopped part-way: the original goes back", true, kSharingViolation,
     kForGood, nullptr, kDiskFull, 1, "old", kDiskFull, false},
    {"written in place, stopped, the original cannot go back: its copy stays", true,
     kSharingViolation, kForGood, nullptr, kDiskFull, kForGood, "", kDiskFull, true},
    {"not supported (a network share): a rename over it", true, kNotSupported, kForGood, nullptr,
     nullptr, 0, "new", nullptr, false},
    {"incorrect function: a rename over it", true, kInvalidFunction, kForGood, nullptr, nullptr, 0,
     "new", nullptr, false},
    {"not implemented: a rename over it", true, kCallNotImplemented, kForGood, nullptr, nullptr, 0,
     "new", nullptr, false},
};

TEST(PutInPlace, EveryDocumentedOutcomeLeavesTheTargetWholeAndNoOtherFile) {
    for (const Outcome& outcome : kOutcomes) {
        SCOPED_TRACE(outcome.name);
        FakePlatform platform;
        if (outcome.target_before) platform.add_file(kTarget, "old");
        platform.add_file(kNew, "new");
        if (outcome.replace_fails)
            platform.fail(FakeOp::Replace, "", outcome.replace_fails, 0, outcome.replace_times);
        if (outcome.move_refused)
            platform.fail(FakeOp::Move, outcome.move_refused, kAccessDenied);
        if (outcome.rewrite_fails)
            platform.fail(FakeOp::Rewrite, "", outcome.rewrite_fails, 0, outcome.rewrite_times);

        std::string err;
        EXPECT_EQ(platform.replace_file(kNew, kTarget, &err), outcome.reported == nullptr);
        if (outcome.reported) {
            EXPECT_EQ(err, failure_on(kTarget, outcome.reported) +
                               (outcome.backup_kept
                                    ? " Its contents were kept in \"" + kBackup + "\"."
                                    : ""));
        }
        std::vector<std::string> left;
        if (outcome.bytes_after) {
            EXPECT_EQ(platform.file(kTarget), outcome.bytes_after);
            left.push_back(FakePlatform::key(kTarget));
        }
        if (outcome.backup_kept) {
            EXPECT_EQ(platform.file(kBackup), "old");
            left.push_back(FakePlatform::key(kBackup));
        }
        std::sort(left.begin(), left.end());
        EXPECT_EQ(platform.files_under(kFolder), left);
        // Two waits at most, the replace's and the write in place's.
        EXPECT_LE(std::accumulate(platform.waits.begin(), platform.waits.end(), 0),
                  2 * kHeldFileWaitMilliseconds);
    }
}

TEST(PutInPlace, TheFakeRefusesAFailureItHasNoCodeFor) {
    // Otherwise the injection would pass as success and a row would test
    // nothing.
    FakePlatform platform;
    EXPECT_THROW(platform.fail(FakeOp::Replace, "", "Something odd happened."),
                 std::invalid_argument);
}

TEST(PutInPlace, AfterAHalfWayStopTheBackupGoesOnlyOnceTheTargetIsSeen) {
    // ReplaceFileW moved the original to the backup name, then the target's
    // state cannot be read (a share dropped, a filter driver): the backup
    // may hold the only copy, so it stays and is named.
    FakePlatform platform;
    lay_down_old_and_new(platform, kUnableToMoveReplacement2);
    platform.fail(FakeOp::Attributes, "SASV9", kAccessDenied, /*skip=*/1);

    std::string err;
    EXPECT_FALSE(platform.replace_file(kNew, kTarget, &err));
    EXPECT_EQ(err, failure_on(kTarget, kUnableToMoveReplacement2) +
                       " Its contents were kept in \"" + kBackup + "\".");
    EXPECT_EQ(platform.file(kBackup), "old");
    EXPECT_FALSE(platform.file(kNew));
}

TEST(PutInPlace, WhenNothingCanBeMovedBackTheOriginalIsKeptAndNamed) {
    FakePlatform platform;
    lay_down_old_and_new(platform, kUnableToMoveReplacement2);
    platform.fail(FakeOp::Move, "", kAccessDenied);

    std::string err;
    EXPECT_FALSE(platform.replace_file(kNew, kTarget, &err));
    EXPECT_EQ(err, failure_on(kTarget, kUnableToMoveReplacement2) +
                       " Its contents were kept in \"" + kBackup + "\".");
    EXPECT_EQ(platform.file(kBackup), "old");
    EXPECT_EQ(platform.file(kNew), "new");
}

TEST(PutInPlace, AnUnreadableStateIsTakenForPresentNotGone) {
    // Attributes refused for the target: it may be there, so neither the
    // backup nor the new file is moved over it.
    FakePlatform platform;
    lay_down_old_and_new(platform, kUnableToMoveReplacement);
    platform.fail(FakeOp::Attributes, "SASV9", kAccessDenied);

    std::string err;
    EXPECT_FALSE(platform.replace_file(kNew, kTarget, &err));
    EXPECT_EQ(platform.file(kTarget), "old");
    EXPECT_EQ(platform.files_under(kFolder), std::vector<std::string>{FakePlatform::key(kTarget)});
}

TEST(PutInPlace, TheBackupNameIsOneNoFileHas) {
    FakePlatform platform;
    platform.add_file(kBackup, "someone's");
    FakeFileOperations files(platform);
    EXPECT_EQ(free_backup_name(files, kNew), kFolder + R"(\~kv9-2.bak)");
    platform.add_file(kFolder + R"(\~kv9-2.bak)", "");
    EXPECT_EQ(free_backup_name(files, kNew), kFolder + R"(\~kv9-3.bak)");
}

}  // namespace
}  // namespace kelvarion::testing
