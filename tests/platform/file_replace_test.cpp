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

enum class Kept { Nothing, Backup, Copy };  // the file named as holding the original

struct Outcome {
    const char* name;
    bool target_before;         // an earlier file to replace
    const char* replace_fails;  // ReplaceFileW's failure, nullptr: it succeeds
    const char* replace_path;   // the file its failure is about ("" the target)
    int replace_times;          // how often it fails, -1: for good
    const char* move_refused;   // the files whose rename fails ("" all), nullptr: none
    const char* rewrite_fails;  // the write in place's failure, nullptr: it succeeds
    int rewrite_times;
    const char* bytes_after;    // in the target afterwards, nullptr: no target
    const char* reported;       // the failure's description, nullptr on success
    Kept kept;
    bool in_place;              // the target was written in place
};

constexpr int kForGood = -1;
const char* const kOurNewFile = "~kv9.tmp";

// Windows answers a target that another program holds without sharing delete
// with 1175 (ReplaceFileW opens it for delete), Wine with 32; our own new file
// held (a scanner reading what we just closed) gives a sharing violation.
const Outcome kOutcomes[] = {
    {"success", true, nullptr, "", 0, nullptr, nullptr, 0, "new", nullptr, Kept::Nothing, false},
    {"no earlier file: a rename", false, nullptr, "", 0, nullptr, nullptr, 0, "new", nullptr,
     Kept::Nothing, false},
    {"no earlier file, the rename refused", false, nullptr, "", 0, "", nullptr, 0, nullptr,
     kAccessDenied, Kept::Nothing, false},
    {"1176 with a backup name: both keep their names", true, kUnableToMoveReplacement, "",
     kForGood, nullptr, nullptr, 0, "old", kUnableToMoveReplacement, Kept::Nothing, false},
    {"1177: the original at the backup name goes back", true, kUnableToMoveReplacement2, "",
     kForGood, nullptr, nullptr, 0, "old", kUnableToMoveReplacement2, Kept::Nothing, false},
    {"1177, the backup cannot move back: the new bytes go in", true, kUnableToMoveReplacement2,
     "", kForGood, ".bak", nullptr, 0, "new", kUnableToMoveReplacement2, Kept::Nothing, false},
    {"access denied, waited for, then reported", true, kAccessDenied, "", kForGood, nullptr,
     nullptr, 0, "old", kAccessDenied, Kept::Nothing, false},
    {"held for a moment: waited out", true, kUnableToRemoveReplaced, "", 3, nullptr, nullptr, 0,
     "new", nullptr, Kept::Nothing, false},
    // About 0.75 s (50 + 100 + 200 + 400 ms), a holder that lets others only
    // read: only the wait itself gets the file in place.
    {"held half a second, reading shared only: waited out", true, kUnableToRemoveReplaced, "", 4,
     nullptr, kSharingViolation, kForGood, "new", nullptr, Kept::Nothing, false},
    {"held for good, others may write: written in place", true, kUnableToRemoveReplaced, "",
     kForGood, nullptr, nullptr, 0, "new", nullptr, Kept::Nothing, true},
    {"held for good as Wine answers (32): written in place", true, kSharingViolation, "",
     kForGood, nullptr, nullptr, 0, "new", nullptr, Kept::Nothing, true},
    {"locked for good, others may write: written in place", true, kLockViolation, "", kForGood,
     nullptr, nullptr, 0, "new", nullptr, Kept::Nothing, true},
    {"held for good, reading shared only", true, kUnableToRemoveReplaced, "", kForGood, nullptr,
     kSharingViolation, kForGood, "old", kSharingViolation, Kept::Nothing, true},
    {"our new file held for a moment: replaced after it", true, kSharingViolation, kOurNewFile, 3,
     nullptr, nullptr, 0, "new", nullptr, Kept::Nothing, false},
    {"our new file held for good, the target free: written in place", true, kSharingViolation,
     kOurNewFile, kForGood, nullptr, nullptr, 0, "new", nullptr, Kept::Nothing, true},
    {"a view mapped for a moment: written in place after it", true, kUnableToRemoveReplaced, "",
     kForGood, nullptr, kUserMappedFile, 2, "new", nullptr, Kept::Nothing, true},
    {"a view mapped for good: untouched, nothing kept", true, kUnableToRemoveReplaced, "",
     kForGood, nullptr, kUserMappedFile, kForGood, "old", kUserMappedFile, Kept::Nothing, true},
    {"written in place, stopped part-way: the original goes back", true, kUnableToRemoveReplaced,
     "", kForGood, nullptr, kDiskFull, 1, "old", kDiskFull, Kept::Nothing, true},
    {"written in place, stopped, the original cannot go back: its copy stays", true,
     kUnableToRemoveReplaced, "", kForGood, nullptr, kDiskFull, kForGood, "", kDiskFull, Kept::Copy,
     true},
    {"not supported (a network share): a rename over it", true, kNotSupported, "", kForGood,
     nullptr, nullptr, 0, "new", nullptr, Kept::Nothing, false},
    {"incorrect function: a rename over it", true, kInvalidFunction, "", kForGood, nullptr, nullptr,
     0, "new", nullptr, Kept::Nothing, false},
    {"not implemented: a rename over it", true, kCallNotImplemented, "", kForGood, nullptr,
     nullptr, 0, "new", nullptr, Kept::Nothing, false},
};

TEST(PutInPlace, EveryDocumentedOutcomeLeavesTheTargetWholeAndNoOtherFile) {
    const std::string copy = kTarget + ".kelvarion-original";
    for (const Outcome& outcome : kOutcomes) {
        SCOPED_TRACE(outcome.name);
        FakePlatform platform;
        if (outcome.target_before) platform.add_file(kTarget, "old");
        platform.add_file(kNew, "new");
        if (outcome.replace_fails)
            platform.fail(FakeOp::Replace, outcome.replace_path, outcome.replace_fails, 0,
                          outcome.replace_times);
        if (outcome.move_refused)
            platform.fail(FakeOp::Move, outcome.move_refused, kAccessDenied);
        if (outcome.rewrite_fails)
            platform.fail(FakeOp::Rewrite, "", outcome.rewrite_fails, 0, outcome.rewrite_times);

        std::string err;
        EXPECT_EQ(platform.replace_file(kNew, kTarget, &err), outcome.reported == nullptr);
        const std::string kept = outcome.kept == Kept::Copy     ? copy
                                 : outcome.kept == Kept::Backup ? kBackup
                                                                : "";
        if (outcome.reported) {
            EXPECT_EQ(err, failure_on(kTarget, outcome.reported) +
                               (kept.empty() ? "" : " Its contents were kept in \"" + kept + "\"."));
        }
        std::vector<std::string> left;
        if (outcome.bytes_after) {
            EXPECT_EQ(platform.file(kTarget), outcome.bytes_after);
            left.push_back(FakePlatform::key(kTarget));
        }
        if (!kept.empty()) {
            EXPECT_EQ(platform.file(kept), "old");
            left.push_back(FakePlatform::key(kept));
        }
        std::sort(left.begin(), left.end());
        EXPECT_EQ(platform.files_under(kFolder), left);
        EXPECT_EQ(std::count(platform.log.begin(), platform.log.end(), "rewrite " + kTarget) > 0,
                  outcome.in_place);
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
    // may hold the only copy, so it stays and is named; as kept where it is
    // seen, as perhaps kept where its state cannot be read either.
    for (const bool backup_seen : {true, false}) {
        SCOPED_TRACE(backup_seen);
        FakePlatform platform;
        lay_down_old_and_new(platform, kUnableToMoveReplacement2);
        platform.fail(FakeOp::Attributes, backup_seen ? "SASV9" : "", kAccessDenied, /*skip=*/1);

        std::string err;
        EXPECT_FALSE(platform.replace_file(kNew, kTarget, &err));
        EXPECT_EQ(err, failure_on(kTarget, kUnableToMoveReplacement2) +
                           (backup_seen ? " Its contents were kept in \""
                                        : " Its contents may have been kept in \"") +
                           kBackup + "\".");
        EXPECT_EQ(platform.file(kBackup), "old");
    }
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
