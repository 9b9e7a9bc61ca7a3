// Splitting Windows paths into folder and file name.

#include <gtest/gtest.h>

#include "platform/win32/path_win.h"

namespace kelvarion {
namespace {

TEST(PathSplitting, FolderAndStemOfWindowsPaths) {
    EXPECT_EQ(folder_of("C:\\Apps\\Kelvarion\\setup.exe"), "C:\\Apps\\Kelvarion");
    EXPECT_EQ(folder_of("D:\\setup.exe"), "D:\\");
    EXPECT_EQ(folder_of("\\\\server\\share\\setup.exe"), "\\\\server\\share");
    EXPECT_EQ(folder_of("setup.exe"), "");
    EXPECT_EQ(file_stem_of("C:\\Apps\\Kelvarion_Post_Installation_setup.exe"),
              "Kelvarion_Post_Installation_setup");
    EXPECT_EQ(file_stem_of("C:\\a.b\\setup.v2.exe"), "setup.v2");
    EXPECT_EQ(file_stem_of("C:\\a.b\\setup"), "setup");
    EXPECT_EQ(file_stem_of("D:setup.exe"), "setup");
}

}  // namespace
}  // namespace kelvarion
