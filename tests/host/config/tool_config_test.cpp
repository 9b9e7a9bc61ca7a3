// kelvarion.cfg, byte for byte, against the in-memory platform (Windows-1252).
#include "host/tool_config.h"

#include <gtest/gtest.h>

#include "tests/expected/expected_files.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/step_error.h"

namespace kelvarion::testing {
namespace {

// The file as it must be, in tests/expected/.
constexpr const char* kExpectedFile = "current/kelvarion.cfg";

// The step, keeping its description of a failure.
StepOutcome create_tool_config(FakePlatform& platform) {
    return run_step([&](std::string* err) { return kelvarion::create_tool_config(platform, err); });
}

TEST(ToolConfig, FourLinesInWindows1252WithTheTradeMarkAs0x99) {
    FakePlatform platform;
    platform.root = R"(D:\Apps\Kelvarion)";
    platform.add_folder(platform.root);
    ASSERT_TRUE(create_tool_config(platform));
    const std::string expected = expected_bytes(kExpectedFile, R"(D:\Apps\Kelvarion)");
    EXPECT_EQ(platform.file(R"(D:\Apps\Kelvarion\kelvarion.cfg)"), expected);
    // The sign is the one byte outside ASCII, in Windows-1252's place for it.
    EXPECT_NE(expected.find('\x99'), std::string::npos) << expected;
    EXPECT_TRUE(platform.message_boxes.empty());
    EXPECT_EQ(platform.open_files, 0);
}

TEST(ToolConfig, LinesHoldTheRootWithApostrophesDoubledAndTheTradeMarkAsUtf8) {
    const std::vector<std::string> lines = tool_config_lines(R"(C:\Ann O'Hara\Kel (x86))");
    EXPECT_EQ(lines, expected_lines(kExpectedFile, R"(C:\Ann O''Hara\Kel (x86))"));
}

TEST(ToolConfig, ReplacesAnEarlierFileWholeAndWritesAccentsInTheCodePage) {
    FakePlatform platform;
    platform.root =
        "C:\\Donn\xC3\xA9"
        "es\\Kelvarion";
    platform.add_folder(platform.root);
    platform.add_file(platform.root + "\\kelvarion.cfg", std::string(4096, 'z'));
    ASSERT_TRUE(create_tool_config(platform));
    const std::string ansi_root =
        "C:\\Donn\xE9"
        "es\\Kelvarion";
    EXPECT_EQ(platform.file(platform.root + "\\kelvarion.cfg"),
              expected_bytes(kExpectedFile, ansi_root));
}

TEST(ToolConfig, ReadOnlyFileIsReportedAndKept) {
    FakePlatform platform;
    const std::string path = platform.root + "\\kelvarion.cfg";
    platform.add_file(path, "old\r\n", /*read_only=*/true);
    expect_failed_without_box(create_tool_config(platform), platform,
                              failure_on(path, kAccessDenied));
    EXPECT_EQ(platform.file(path), "old\r\n");
}

TEST(ToolConfig, WriteFailureIsReportedOnceAndTheFileClosed) {
    FakePlatform platform;
    platform.fail(FakeOp::Write, "kelvarion.cfg", kDiskFull, /*skip=*/2);
    expect_failed_without_box(create_tool_config(platform), platform,
                              failure_on(platform.root + "\\kelvarion.cfg", kDiskFull));
    EXPECT_EQ(platform.open_files, 0);
}

TEST(ToolConfig, RootTheCodePageCannotHoldWritesNothing) {
    FakePlatform platform;
    platform.root = "C:\\Gy\xC5\x91z\xC5\x91\\Kelvarion";
    platform.add_folder(platform.root);
    const StepOutcome outcome = create_tool_config(platform);
    EXPECT_FALSE(outcome);
    EXPECT_TRUE(platform.message_boxes.empty());
    EXPECT_NE(outcome.err.find("U+0151"), std::string::npos) << outcome.err;
    EXPECT_FALSE(platform.exists(platform.root + "\\kelvarion.cfg"));
}

}  // namespace
}  // namespace kelvarion::testing
