// Putting a new file in place of a target over each outcome that Windows
// documents for ReplaceFileW, on the fake platform, whose files end up as
// Windows leaves them after each. Whatever happens, the target is under its
// own name with its old or new bytes, and no temporary or backup file stays.
#include "platform/file_replace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/fake_platform.h"

namespace kelvarion::testing {
namespace {

const std::string kFolder = R"(C:\SAS\9.1\nls\en)";
const std::string kTarget = kFolder + R"(\SASV9.CFG)";
const std::string kNew = kFolder + R"(\~kv9.tmp)";
const std::string kBackup = kFolder + R"(\~kv9.bak)";

struct Outcome {
    const char* name;
    bool target_before;         // an earlier file to replace
    const char* replace_fails;  // ReplaceFileW's failure, nullptr: it succeeds
    const char* move_refused;   // the files whose rename fails ("" all), nullptr: none
    const char* bytes_after;    // in the target afterwards, nullptr: no target
    const char* reported;       // the failure's description, nullptr on success
};

const Outcome kOutcomes[] = {
    {"success", true, nullptr, nullptr, "new", nullptr},
    {"no earlier file: a rename", false, nullptr, nullptr, "new", nullptr},
    {"no earlier file, the rename refused", false, nullptr, "", nullptr, kAccessDenied},
    {"1175: nothing moved", true, kUnableToRemoveReplaced, nullptr, "old", kUnableToRemoveReplaced},
    {"1176 with a backup name: both keep their names", true, kUnableToMoveReplacement, nullptr,
     "old", kUnableToMoveReplacement},
    {"1177: the original at the backup name goes back", true, kUnableToMoveReplacement2, nullptr,
     "old", kUnableToMoveReplacement2},
    {"1177, the backup cannot move back: the new bytes go in", true, kUnableToMoveReplacement2,
     ".bak", "new", kUnableToMoveReplacement2},
    {"sharing violation (SAS holds the file)", true, kSharingViolation, nullptr, "old",
     kSharingViolation},
    {"access denied", true, kAccessDenied, nullptr, "old", kAccessDenied},
    {"not supported (a network share): a rename over it", true, kNotSupported, nullptr, "new",
     nullptr},
};

TEST(PutInPlace, EveryDocumentedOutcomeLeavesTheTargetWholeAndNoOtherFile) {
    for (const Outcome& outcome : kOutcomes) {
        SCOPED_TRACE(outcome.name);
        FakePlatform platform;
        if (outcome.target_before) platform.add_file(kTarget, "old");
        platform.add_file(kNew, "new");
        if (outcome.replace_fails) platform.fail(FakeOp::Replace, "", outcome.replace_fails);
        if (outcome.move_refused) platform.fail(FakeOp::Move, outcome.move_refused, kAccessDenied);
        // Whether the target is there is told by its attributes, never by a
        // read, which a sharing violation refuses.
        platform.fail(FakeOp::ReadFile, "", kSharingViolation);

        std::string err;
        EXPECT_EQ(platform.replace_file(kNew, kTarget, &err), outcome.reported == nullptr);
        if (outcome.reported) {
            EXPECT_EQ(err, failure_on(kTarget, outcome.reported));
        }
        if (outcome.bytes_after) {
            EXPECT_EQ(platform.file(kTarget), outcome.bytes_after);
            EXPECT_EQ(platform.files_under(kFolder),
                      std::vector<std::string>{FakePlatform::key(kTarget)});
        } else {
            EXPECT_TRUE(platform.files_under(kFolder).empty());
        }
    }
}

// The earlier file and the new one beside it, with ReplaceFileW failing.
void lay_down_old_and_new(FakePlatform& platform, const char* replace_fails) {
    platform.add_file(kTarget, "old");
    platform.add_file(kNew, "new");
    platform.fail(FakeOp::Replace, "", replace_fails);
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
    struct Files : FileMoves {
        FakePlatform& platform;
        explicit Files(FakePlatform& p) : platform(p) {}
        std::uint32_t replace(const std::string&, const std::string&, const std::string&) override {
            return 0;
        }
        std::uint32_t move(const std::string&, const std::string&) override { return 0; }
        std::uint32_t remove(const std::string&) override { return 0; }
        std::uint32_t attributes_error(const std::string& path) override {
            return platform.exists(path) ? 0 : win32_code::kFileNotFound;
        }
    } files(platform);
    EXPECT_EQ(free_backup_name(files, kNew), kFolder + R"(\~kv9-2.bak)");
    platform.add_file(kFolder + R"(\~kv9-2.bak)", "");
    EXPECT_EQ(free_backup_name(files, kNew), kFolder + R"(\~kv9-3.bak)");
}

}  // namespace
}  // namespace kelvarion::testing
