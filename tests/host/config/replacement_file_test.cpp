#include "host/replacement_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <utility>

#include "platform/held_file_wait.h"
#include "tests/fakes/fake_platform.h"

namespace kelvarion::testing {
namespace {

const std::string kFolder = R"(C:\SAS\9.1\nls\en)";
const std::string kPath = R"(C:\SAS\9.1\nls\en\SASV9.CFG)";
const std::string kOld = "-MEMSIZE 2G\r\n";
const std::string kNew = "-MEMSIZE 4G\r\n-SORTSIZE 1G\r\n";

class ReplaceFileContents : public ::testing::Test {
protected:
    void SetUp() override { platform.add_file(kPath, kOld); }

    // Position of the first log entry that begins with `prefix`.
    long log_position(const std::string& prefix) const {
        const auto it = std::find_if(platform.log.begin(), platform.log.end(),
                                     [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
        return it == platform.log.end() ? -1 : it - platform.log.begin();
    }

    FakePlatform platform;
};

TEST_F(ReplaceFileContents, WritesFlushesAndClosesTheTempFileBeforeItReplacesTheTarget) {
    std::string err;
    ASSERT_TRUE(replace_file_contents(platform, kPath, kNew, &err)) << err;
    EXPECT_EQ(platform.file(kPath), kNew);
    EXPECT_EQ(platform.files_under(kFolder), std::vector<std::string>{FakePlatform::key(kPath)});
    EXPECT_EQ(platform.open_files, 0);

    const long write = log_position("write ");
    const long flush = log_position("flush ");
    const long close = log_position("close ");
    const long replace = log_position("replace ");
    ASSERT_GE(write, 0);
    EXPECT_LT(write, flush);
    EXPECT_LT(flush, close);
    EXPECT_LT(close, replace);
    // The temporary file lies beside the target, on the same volume.
    EXPECT_EQ(platform.log[replace].rfind("replace " + kFolder + "\\", 0), 0u)
        << platform.log[replace];
}

TEST_F(ReplaceFileContents, FailureAtAnyPointLeavesTheTargetAndNoTempFile) {
    // Each failure is told as one on the target, the file the user knows,
    // even where it happened on the temporary file; a replace that Windows
    // stops half-way is put right.
    const std::pair<FakeOp, const char*> failures[] = {
        {FakeOp::CreateTemp, kDiskFull}, {FakeOp::Write, kDiskFull},
        {FakeOp::Flush, kDiskFull},      {FakeOp::Close, kDiskFull},
        {FakeOp::Replace, kDiskFull},    {FakeOp::Replace, kUnableToMoveReplacement2},
    };
    for (const auto& [op, failure] : failures) {
        SCOPED_TRACE(failure);
        SCOPED_TRACE(static_cast<int>(op));
        FakePlatform failing;
        failing.add_file(kPath, kOld);
        failing.fail(op, "", failure);
        std::string err;
        EXPECT_FALSE(replace_file_contents(failing, kPath, kNew, &err));
        EXPECT_EQ(err, failure_on(kPath, failure));
        EXPECT_EQ(failing.file(kPath), kOld);
        EXPECT_EQ(failing.files_under(kFolder), std::vector<std::string>{FakePlatform::key(kPath)});
        EXPECT_EQ(failing.open_files, 0);
    }
}

TEST_F(ReplaceFileContents, ReportsTheFirstFailureWhenTheTempFileCannotBeDeletedEither) {
    platform.fail(FakeOp::Write, "", kDiskFull);
    platform.fail(FakeOp::DeleteFile, "", kAccessDenied);
    std::string err;
    EXPECT_FALSE(replace_file_contents(platform, kPath, kNew, &err));
    EXPECT_EQ(err, failure_on(kPath, kDiskFull));
    EXPECT_EQ(platform.file(kPath), kOld);
    EXPECT_EQ(platform.open_files, 0);
    // A delete refused with "Access is denied." on a file that can be
    // written may be a scanner's hold: waited out in full, as a rename is.
    EXPECT_EQ(std::accumulate(platform.waits.begin(), platform.waits.end(), 0),
              kHeldFileWaitMilliseconds);
}

TEST_F(ReplaceFileContents, ReadOnlyTargetStaysAsItWas) {
    platform.add_file(kPath, kOld, /*read_only=*/true);
    std::string err;
    EXPECT_FALSE(replace_file_contents(platform, kPath, kNew, &err));
    EXPECT_EQ(err, failure_on(kPath, kAccessDenied));
    EXPECT_EQ(platform.file(kPath), kOld);
    EXPECT_EQ(platform.files_under(kFolder), std::vector<std::string>{FakePlatform::key(kPath)});
}

TEST_F(ReplaceFileContents, BriefHoldsByAnotherProgramAreWaitedOut) {
    // A scanner holds the folder's new file, then the target, for a moment.
    platform.fail(FakeOp::CreateTemp, "", kSharingViolation, 0, /*times=*/2);
    platform.fail(FakeOp::Replace, "", kSharingViolation, 0, /*times=*/3);
    std::string err;
    ASSERT_TRUE(replace_file_contents(platform, kPath, kNew, &err)) << err;
    EXPECT_EQ(platform.file(kPath), kNew);
    EXPECT_EQ(platform.files_under(kFolder), std::vector<std::string>{FakePlatform::key(kPath)});
    // One wait after each refused try, on the platform's clock; none of the
    // installation's pauses.
    EXPECT_EQ(platform.waits.size(), 5u);
    EXPECT_TRUE(platform.pauses.empty());
}

TEST_F(ReplaceFileContents, TheFileNamedAsKeptIsStillThereAfterwards) {
    // The target seems gone after a failed replace and the new file cannot
    // take its name: the box names the temporary file, which must outlive
    // the replacement's clean-up.
    platform.fail(FakeOp::Attributes, "SASV9", kFileNotFound, /*skip=*/1);
    platform.fail(FakeOp::Replace, "", kUnableToMoveReplacement);
    platform.fail(FakeOp::Move, "~kv", kDiskFull);
    std::string err;
    EXPECT_FALSE(replace_file_contents(platform, kPath, kNew, &err));
    const std::string mark = " Its contents were kept in \"";
    const size_t at = err.find(mark);
    ASSERT_NE(at, std::string::npos) << err;
    const std::string kept = err.substr(at + mark.size(), err.size() - at - mark.size() - 2);
    EXPECT_EQ(platform.file(kept), kNew) << kept;
}

}  // namespace
}  // namespace kelvarion::testing
