#include "generate/text_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/fakes/fake_platform.h"

namespace kelvarion::testing {
namespace {

const std::string kRoot = "C:\\Apps\\Kelvarion";

bool logged(const FakePlatform& fake, const std::string& entry) {
    return std::find(fake.log.begin(), fake.log.end(), entry) != fake.log.end();
}

TEST(WriteTextFile, WritesEveryLineWithCrLfInTheAnsiCodePage) {
    FakePlatform fake;
    std::string err;
    ASSERT_TRUE(write_text_file(fake, "C:\\Apps\\Kelvarion\\a.txt",
                                {"first", "", "caf\xC3\xA9 \xE2\x82\xAC"}, kRoot, &err))
        << err;
    // é is 0xE9 and € is 0x80 in Windows-1252; the empty line keeps its CR LF.
    EXPECT_EQ(fake.file("C:\\Apps\\Kelvarion\\a.txt"), "first\r\n\r\ncaf\xE9 \x80\r\n");
    EXPECT_EQ(fake.open_files, 0);
}

TEST(WriteTextFile, TruncatesAnExistingFileThatKeepsItsHiddenAndSystemAttributes) {
    FakePlatform fake;
    fake.add_file("C:\\Apps\\Kelvarion\\a.txt", std::string(500, 'x'));
    fake.entries[FakePlatform::key("C:\\Apps\\Kelvarion\\a.txt")].hidden_or_system = true;
    std::string err;
    ASSERT_TRUE(write_text_file(fake, "C:\\Apps\\Kelvarion\\a.txt", {"new"}, kRoot, &err)) << err;
    EXPECT_EQ(fake.file("C:\\Apps\\Kelvarion\\a.txt"), "new\r\n");
    // Overwritten in place, not deleted and made anew.
    EXPECT_TRUE(fake.entries[FakePlatform::key("C:\\Apps\\Kelvarion\\a.txt")].hidden_or_system);
}

TEST(WriteTextFile, UnmappableCharacterInAFolderNameWritesNothingAndNamesTheFolder) {
    FakePlatform fake;
    const std::string folder =
        "C:\\\xC5\x81\xC3\xB3"
        "d\xC5\xBA";  // C:\Łódź
    const std::string path = folder + "\\Kelvarion\\saspgm\\autoexec.sas";
    fake.add_file(path, "old");
    std::string err;
    EXPECT_FALSE(write_text_file(fake, path, {"ok", "libname x '" + folder + "\\Kelvarion';"},
                                 folder + "\\Kelvarion", &err));
    EXPECT_EQ(err, "Cannot write \"" + path + "\": the folder name \"" + folder +
                       "\" contains the character \"\xC5\x81\" (U+0141), which the system code "
                       "page cannot hold. The file would name the folder wrongly, so nothing "
                       "was written.");
    EXPECT_FALSE(logged(fake, "create " + path));
    EXPECT_EQ(fake.file(path), "old");
}

TEST(WriteTextFile, FixedTextTheCodePageLacksGetsTheDefaultCharacterAndIsWritten) {
    // Only the folder must be exact; product text takes the system's
    // conversion ("?" in 1252 for a character it lacks), as on a code page
    // without the trade-mark sign.
    FakePlatform fake;
    fake.add_file("C:\\Apps\\a.txt", "old");
    std::string err;
    ASSERT_TRUE(write_text_file(fake, "C:\\Apps\\a.txt",
                                {"smile \xF0\x9F\x98\x80 \xC5\x91", "'C:\\Apps'"}, "C:\\Apps",
                                &err))
        << err;
    EXPECT_EQ(fake.file("C:\\Apps\\a.txt"), "smile ? ?\r\n'C:\\Apps'\r\n");
}

TEST(WriteTextFile, UnmappableFolderIsRefusedEvenWhenTheLinesDoNotShowIt) {
    // The check is made on the folder itself, not on what the lines happen
    // to hold, and names the outermost folder with the character.
    FakePlatform fake;
    const std::string root = "D:\\\xCE\xB1\\b\xCE\xB2\\Kelvarion";  // D:\α\bβ\Kelvarion
    std::string err;
    EXPECT_FALSE(write_text_file(fake, root + "\\kelvarion.cfg", {"plain"}, root, &err));
    EXPECT_NE(err.find("the folder name \"D:\\\xCE\xB1\" contains the character \"\xCE\xB1\" "
                       "(U+03B1)"),
              std::string::npos)
        << err;
    EXPECT_FALSE(fake.exists(root + "\\kelvarion.cfg"));
}

TEST(WriteTextFile, PassesOnThePlatformsDescriptionOfAFailedCreate) {
    FakePlatform fake;
    std::string err;
    EXPECT_FALSE(write_text_file(fake, "C:\\Apps\\Kelvarion\\missing\\a.txt", {"x"}, kRoot, &err));
    EXPECT_EQ(err, failure_on("C:\\Apps\\Kelvarion\\missing\\a.txt", kPathNotFound));
}

TEST(WriteTextFile, AFailedWriteKeepsTheLinesBeforeItAndClosesTheFile) {
    FakePlatform fake;
    fake.fail(FakeOp::Write, "a.txt", kDiskFull, 2);
    std::string err;
    EXPECT_FALSE(
        write_text_file(fake, "C:\\Apps\\a.txt", {"one", "two", "three", "four"}, kRoot, &err));
    EXPECT_EQ(err, failure_on("C:\\Apps\\a.txt", kDiskFull));
    EXPECT_EQ(fake.file("C:\\Apps\\a.txt"), "one\r\ntwo\r\n");
    EXPECT_EQ(fake.open_files, 0);
}

TEST(WriteTextFile, AFailedCloseIsAFailure) {
    FakePlatform fake;
    fake.fail(FakeOp::Close, "a.txt", kDiskFull);
    std::string err;
    EXPECT_FALSE(write_text_file(fake, "C:\\Apps\\a.txt", {"one"}, kRoot, &err));
    EXPECT_EQ(err, failure_on("C:\\Apps\\a.txt", kDiskFull));
}

}  // namespace
}  // namespace kelvarion::testing
