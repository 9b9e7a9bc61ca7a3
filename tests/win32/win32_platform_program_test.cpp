// Where the running program is and what it is called, as the program reads
// its install root and its name.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_platform.h"
#include "tests/win32/temp_folder_win.h"

namespace kelvarion {
namespace {

using testing::file_exists;

TEST(RunningProgram, InstallRootAndNameDescribeThisProgram) {
    Win32Platform platform;
    const std::string root = platform.install_root();
    const std::string name = platform.program_name();
    EXPECT_EQ(name, KELVARION_TEST_PROGRAM);
    ASSERT_FALSE(root.empty());
    EXPECT_NE(root.back(), '\\');
    EXPECT_TRUE(file_exists(root + "\\" + name + ".exe")) << root;
}

TEST(RunningProgram, ShortBuffersGrowUntilThePathFits) {
    // Wine cannot start a program deeper than MAX_PATH, so the growth is
    // checked with deliberately small first buffers instead.
    const std::string full = Win32Platform::module_path();
    ASSERT_GT(full.size(), 8u);
    for (unsigned first :
         {1u, 2u, 7u, static_cast<unsigned>(full.size()), static_cast<unsigned>(full.size() + 1)}) {
        EXPECT_EQ(Win32Platform::module_path(first), full) << first;
    }
}

}  // namespace
}  // namespace kelvarion
