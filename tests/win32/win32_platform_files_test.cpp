// The Win32 file operations against Wine's real file system, through the
// Platform interface as the rest of the program uses them.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/win32/error_text_win.h"
#include "platform/win32/file_operations_win.h"
#include "platform/win32/path_win.h"
#include "platform/win32/strconv_win.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"
#include "tests/support/held_files_win.h"
#include "tests/win32/temp_folder_win.h"

namespace kelvarion {
namespace {

using testing::file_attributes;
using testing::file_exists;
using testing::folder_exists;
using testing::names_in;
using testing::read_whole_file;
using testing::set_file_attributes;
using testing::TempFolder;
using testing::write_whole_file;

// Every byte value, CR LF pairs and a NUL: nothing may be translated.
std::string all_bytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes + "\r\n\n\r" + std::string(1, '\0');
}

// The text a failure on `path` must carry: the path, then the system's words.
std::string failure_on(const std::string& path, DWORD code) {
    return path + ": " + win32_error_text(code);
}

bool write_file(Platform& platform, const std::string& path, const std::string& bytes,
                std::string* err) {
    auto file = platform.create_file(path, err);
    return file && file->write(bytes, err) && file->flush(err) && file->close(err);
}

class FilesWin : public ::testing::Test {
protected:
    Win32Platform platform;
    TempFolder temp;
    std::string err;
};

TEST_F(FilesWin, CreateWritesBytesAsGivenAndTruncatesAnExistingFile) {
    const std::string path = temp / "autoexec.sas";
    ASSERT_TRUE(write_file(platform, path, all_bytes(), &err)) << err;
    EXPECT_EQ(read_whole_file(path), all_bytes());

    ASSERT_TRUE(write_file(platform, path, "x\r\n", &err)) << err;
    EXPECT_EQ(read_whole_file(path), "x\r\n");

    std::string bytes;
    ASSERT_TRUE(platform.read_file(path, &bytes, &err)) << err;
    EXPECT_EQ(bytes, "x\r\n");

    ASSERT_TRUE(write_file(platform, path, "", &err)) << err;
    ASSERT_TRUE(platform.read_file(path, &bytes, &err)) << err;
    EXPECT_EQ(bytes, "");
}

TEST_F(FilesWin, LargeFilesGoThroughWholeInBothDirections) {
    // Larger than one write slice and many read slices, with a pattern that
    // shows any lost, doubled or reordered block.
    std::string big;
    for (int i = 0; big.size() < 3 * 1024 * 1024 + 17; ++i) big += std::to_string(i) + ";";
    const std::string path = temp / "big.cfg";
    ASSERT_TRUE(write_file(platform, path, big, &err)) << err;
    std::string back;
    ASSERT_TRUE(platform.read_file(path, &back, &err)) << err;
    EXPECT_EQ(back.size(), big.size());
    EXPECT_TRUE(back == big);
}

TEST_F(FilesWin, NonAsciiPathsReachTheFileSystem) {
    const std::string folder = temp / "Überprüfung ő ™";
    ASSERT_TRUE(platform.make_folder(folder, &err)) << err;
    const std::string path = folder + "\\Dénes.sas";
    ASSERT_TRUE(write_file(platform, path, "ok", &err)) << err;
    EXPECT_EQ(names_in(folder), std::vector<std::string>{"Dénes.sas"});
}

TEST_F(FilesWin, FailuresNameThePathThenTheSystemsDescription) {
    EXPECT_EQ(platform.create_file(temp / "missing\\x.sas", &err), nullptr);
    EXPECT_EQ(err, failure_on(temp / "missing\\x.sas", ERROR_PATH_NOT_FOUND));

    std::string bytes = "unchanged";
    EXPECT_FALSE(platform.read_file(temp / "nothing.cfg", &bytes, &err));
    EXPECT_EQ(err, failure_on(temp / "nothing.cfg", ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(bytes, "unchanged");

    const std::string locked = temp / "SASV9.CFG";
    ASSERT_TRUE(write_whole_file(locked, "original"));
    ASSERT_TRUE(set_file_attributes(locked, FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(platform.create_file(locked, &err), nullptr);
    EXPECT_EQ(err, failure_on(locked, ERROR_ACCESS_DENIED));
    EXPECT_EQ(read_whole_file(locked), "original");
    EXPECT_EQ(platform.create_file(temp.path(), &err), nullptr);  // a folder
    EXPECT_EQ(err, failure_on(temp.path(), ERROR_ACCESS_DENIED));

    EXPECT_FALSE(platform.make_folder(temp.path(), &err));
    EXPECT_EQ(err, failure_on(temp.path(), ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(platform.make_folder(temp / "a\\b", &err));
    EXPECT_EQ(err, failure_on(temp / "a\\b", ERROR_PATH_NOT_FOUND));

    // A folder name the code page cannot hold is named as given, in UTF-8.
    const std::string wide = temp / "Εργαλεία\\x.sas";
    EXPECT_EQ(platform.create_file(wide, &err), nullptr);
    EXPECT_EQ(err, failure_on(wide, ERROR_PATH_NOT_FOUND));
}

TEST_F(FilesWin, MakeFolderMakesOneLevel) {
    ASSERT_TRUE(platform.make_folder(temp / "saspgm", &err)) << err;
    EXPECT_TRUE(folder_exists(temp / "saspgm"));
    ASSERT_TRUE(platform.make_folder(temp / "saspgm\\data", &err)) << err;
    EXPECT_TRUE(folder_exists(temp / "saspgm\\data"));
}

TEST_F(FilesWin, DeleteTellsNotFoundFromFailed) {
    const std::string present = temp / "Kelvarion.lnk";
    ASSERT_TRUE(write_whole_file(present, "lnk"));
    EXPECT_EQ(platform.delete_file(present, &err), DeleteResult::Deleted);
    EXPECT_FALSE(file_exists(present));

    EXPECT_EQ(platform.delete_file(present, &err), DeleteResult::NotFound);
    EXPECT_EQ(err, failure_on(present, ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(platform.delete_file(temp / "no folder\\Kelvarion.lnk", &err),
              DeleteResult::NotFound);
    EXPECT_EQ(err, failure_on(temp / "no folder\\Kelvarion.lnk", ERROR_PATH_NOT_FOUND));

    const std::string read_only = temp / "ro.lnk";
    ASSERT_TRUE(write_whole_file(read_only, "lnk"));
    ASSERT_TRUE(set_file_attributes(read_only, FILE_ATTRIBUTE_READONLY));
    err.clear();
    EXPECT_EQ(platform.delete_file(read_only, &err), DeleteResult::Failed);
    EXPECT_EQ(err, failure_on(read_only, ERROR_ACCESS_DENIED));
    EXPECT_TRUE(file_exists(read_only));

    ASSERT_TRUE(platform.make_folder(temp / "sub", &err));
    EXPECT_EQ(platform.delete_file(temp / "sub", &err), DeleteResult::Failed);
    EXPECT_EQ(err.rfind(temp / "sub" + ": ", 0), 0u) << err;
    EXPECT_TRUE(folder_exists(temp / "sub"));
}

TEST_F(FilesWin, OutputFileIsClosedWhenDroppedAndRefusesUseAfterClose) {
    const std::string path = temp / "open.sas";
    auto file = platform.create_file(path, &err);
    ASSERT_NE(file, nullptr) << err;
    ASSERT_TRUE(file->write("abc", &err)) << err;
    // Open without delete sharing: the file cannot go while we hold it.
    EXPECT_EQ(platform.delete_file(path, &err), DeleteResult::Failed);
    file.reset();
    EXPECT_EQ(read_whole_file(path), "abc");
    EXPECT_EQ(platform.delete_file(path, &err), DeleteResult::Deleted) << err;

    auto second = platform.create_file(path, &err);
    ASSERT_NE(second, nullptr) << err;
    ASSERT_TRUE(second->close(&err)) << err;
    err.clear();
    EXPECT_FALSE(second->write("late", &err));
    EXPECT_EQ(err, failure_on(path, ERROR_INVALID_HANDLE));
    err.clear();
    EXPECT_FALSE(second->flush(&err));
    EXPECT_EQ(err, failure_on(path, ERROR_INVALID_HANDLE));
    err.clear();
    EXPECT_FALSE(second->close(&err));
    EXPECT_EQ(err, failure_on(path, ERROR_INVALID_HANDLE));
}

TEST_F(FilesWin, TempFilesAreNewAndUniqueInTheTargetsFolderAndTheirFailuresNameTheTarget) {
    const std::string target = temp / "SASV9.CFG";
    auto first = platform.create_temp_file_beside(target, &err);
    ASSERT_NE(first, nullptr) << err;
    auto second = platform.create_temp_file_beside(target, &err);
    ASSERT_NE(second, nullptr) << err;
    EXPECT_NE(first->path(), second->path());
    for (const std::string& p : {first->path(), second->path()}) {
        EXPECT_EQ(folder_of(p), temp.path());
        EXPECT_EQ(file_stem_of(p).rfind("~kelvarion", 0), 0u) << p;
        EXPECT_EQ(p.substr(p.size() - 4), ".tmp");
        EXPECT_TRUE(file_exists(p));
    }
    EXPECT_FALSE(file_exists(target));

    // The user knows the target, not the file beside it.
    ASSERT_TRUE(first->close(&err)) << err;
    EXPECT_FALSE(first->write("late", &err));
    EXPECT_EQ(err, failure_on(target, ERROR_INVALID_HANDLE));
    EXPECT_EQ(platform.create_temp_file_beside(temp / "gone\\SASV9.CFG", &err), nullptr);
    EXPECT_EQ(err, failure_on(temp / "gone\\SASV9.CFG", ERROR_PATH_NOT_FOUND));
}

TEST_F(FilesWin, ReplacePutsTheNewTextInPlaceAndLeavesNoTemporaryOrBackupFile) {
    const std::string target = temp / "SASV9.CFG";
    ASSERT_TRUE(write_whole_file(target, "-SET SASAUTOS (\r\n)\r\n"));
    ASSERT_TRUE(set_file_attributes(target, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));

    auto file = platform.create_temp_file_beside(target, &err);
    ASSERT_NE(file, nullptr) << err;
    ASSERT_TRUE(file->write("-SET SASAUTOS (\r\n  \"C:\\K\\saspgm\"\r\n)\r\n", &err));
    ASSERT_TRUE(file->flush(&err) && file->close(&err)) << err;

    ASSERT_TRUE(platform.replace_file(file->path(), target, &err)) << err;
    EXPECT_EQ(read_whole_file(target), "-SET SASAUTOS (\r\n  \"C:\\K\\saspgm\"\r\n)\r\n");
    EXPECT_EQ(names_in(temp.path()), std::vector<std::string>{"SASV9.CFG"});
    // ReplaceFileW keeps the target's attributes on Windows; Wine's does not,
    // so the platform carries them over itself.
    EXPECT_EQ(file_attributes(target) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE),
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE))
        << std::hex << file_attributes(target);
}

TEST_F(FilesWin, ReplaceOntoAMissingTargetMovesTheFile) {
    const std::string target = temp / "kelvarion.cfg";
    const std::string source = temp / "~kelvarion1.tmp";
    ASSERT_TRUE(write_whole_file(source, "new"));
    ASSERT_TRUE(platform.replace_file(source, target, &err)) << err;
    EXPECT_EQ(read_whole_file(target), "new");
    EXPECT_EQ(names_in(temp.path()), std::vector<std::string>{"kelvarion.cfg"});
}

TEST_F(FilesWin, TheRenameThatStandsInForReplaceFileWReplacesAnExistingFile) {
    // Where ReplaceFileW is not supported (some network shares) there is
    // always an earlier SASV9.CFG or Kelvarion.lnk to go over.
    const std::string target = temp / "Kelvarion.lnk";
    const std::string source = temp / "~kelvarion4.tmp";
    ASSERT_TRUE(write_whole_file(target, "old"));
    ASSERT_TRUE(write_whole_file(source, "new"));
    Win32FileOperations files;
    EXPECT_EQ(files.move(source, target), 0u);
    EXPECT_EQ(read_whole_file(target), "new");
    EXPECT_EQ(names_in(temp.path()), std::vector<std::string>{"Kelvarion.lnk"});
}

TEST_F(FilesWin, FailedReplaceKeepsTheTargetAndRemovesTheNewFile) {
    const std::string target = temp / "SASV9.CFG";
    const std::string source = temp / "~kelvarion2.tmp";
    ASSERT_TRUE(write_whole_file(target, "original"));

    // Read-only: refused, where a plain rename under Wine run as root would
    // have gone through.
    ASSERT_TRUE(write_whole_file(source, "new"));
    ASSERT_TRUE(set_file_attributes(target, FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(platform.replace_file(source, target, &err));
    EXPECT_EQ(err, failure_on(target, ERROR_ACCESS_DENIED));
    EXPECT_EQ(read_whole_file(target), "original");
    EXPECT_EQ(names_in(temp.path()), std::vector<std::string>{"SASV9.CFG"});
    ASSERT_TRUE(set_file_attributes(target, FILE_ATTRIBUTE_NORMAL));

    // No new file to put in place: still the target is the one named.
    EXPECT_FALSE(platform.replace_file(temp / "~kelvarion3.tmp", target, &err));
    EXPECT_EQ(err.rfind(target + ": ", 0), 0u) << err;
    EXPECT_EQ(read_whole_file(target), "original");
}

TEST_F(FilesWin, AFileAnotherProgramHoldsIsWaitedForOrWrittenInPlace) {
    struct Row {
        const char* name;
        DWORD share;          // what the other program lets others do
        DWORD milliseconds;   // how long it holds the file, 0: throughout
        bool replaced;
    };
    const DWORD read_write = FILE_SHARE_READ | FILE_SHARE_WRITE;
    const Row rows[] = {
        {"held for half a second: the replace goes through after it", read_write, 500, true},
        {"held throughout, writing shared: written in place", read_write, 0, true},
        {"held throughout, reading shared only: refused, nothing changed", FILE_SHARE_READ, 0,
         false},
        {"held throughout, nothing shared: refused, nothing changed", 0, 0, false},
    };
    const std::string target = temp / "SASV9.CFG";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(write_whole_file(target, "original"));
        auto file = platform.create_temp_file_beside(target, &err);
        ASSERT_NE(file, nullptr) << err;
        ASSERT_TRUE(file->write("new", &err) && file->flush(&err) && file->close(&err)) << err;
        const DWORD start = GetTickCount();
        bool replaced = false;
        {
            // Another program reading the file, as a scanner or indexer
            // does, on a thread of its own.
            testing::HeldFiles holder;
            ASSERT_TRUE(holder.hold(target, row.share, row.milliseconds, &err)) << err;
            replaced = platform.replace_file(file->path(), target, &err);
        }
        const DWORD took = GetTickCount() - start;
        EXPECT_EQ(replaced, row.replaced) << err;
        EXPECT_EQ(read_whole_file(target), row.replaced ? "new" : "original");
        if (!row.replaced) {
            EXPECT_EQ(err, failure_on(target, ERROR_SHARING_VIOLATION));
            EXPECT_LT(took, 5000u);
        }
        EXPECT_EQ(names_in(temp.path()), std::vector<std::string>{"SASV9.CFG"});
    }
}

TEST_F(FilesWin, ReadReplaceAndDeleteEachWaitOutAHalfSecondHold) {
    // Each hold refuses the call itself (nothing shared refuses a read,
    // reading shared only refuses the write in place too, no delete shared
    // refuses a delete): only the wait gets it through.
    const std::string target = temp / "SASV9.CFG";
    const auto held_half_a_second = [&](DWORD share) {
        auto holder = std::make_unique<testing::HeldFiles>();
        EXPECT_TRUE(holder->hold(target, share, 500, &err)) << err;
        return holder;
    };
    ASSERT_TRUE(write_whole_file(target, "original"));
    {
        const auto holder = held_half_a_second(0);
        std::string bytes;
        EXPECT_TRUE(platform.read_file(target, &bytes, &err)) << err;
        EXPECT_EQ(bytes, "original");
    }
    {
        auto file = platform.create_temp_file_beside(target, &err);
        ASSERT_NE(file, nullptr) << err;
        ASSERT_TRUE(file->write("new", &err) && file->flush(&err) && file->close(&err)) << err;
        const auto holder = held_half_a_second(FILE_SHARE_READ);
        EXPECT_TRUE(platform.replace_file(file->path(), target, &err)) << err;
    }
    EXPECT_EQ(read_whole_file(target), "new");
    {
        const auto holder = held_half_a_second(FILE_SHARE_READ | FILE_SHARE_WRITE);
        EXPECT_EQ(platform.delete_file(target, &err), DeleteResult::Deleted) << err;
    }
    EXPECT_TRUE(names_in(temp.path()).empty());
}

TEST_F(FilesWin, AWriteInPlaceThatAMappedViewRefusesHasChangedNothing) {
    // An editor or viewer that maps the file into its memory refuses the
    // truncation, before any byte of the file changes.
    const std::string target = temp / "SASV9.CFG";
    ASSERT_TRUE(write_whole_file(target, "original"));
    UniqueFileHandle file(CreateFileW(widen(target).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    UniqueKernelHandle mapping(
        CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    ASSERT_TRUE(mapping);
    const void* view = MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0);
    ASSERT_NE(view, nullptr);

    const RewriteResult result = Win32FileOperations().rewrite(target, "new");
    UnmapViewOfFile(view);
    EXPECT_EQ(result.code, static_cast<std::uint32_t>(ERROR_USER_MAPPED_FILE));
    EXPECT_FALSE(result.changed);
    file.reset();
    EXPECT_EQ(read_whole_file(target), "original");
}

TEST_F(FilesWin, OverwritingAHiddenOrSystemFileKeepsItsAttributes) {
    // Windows refuses CREATE_ALWAYS on such a file unless the call carries the
    // same attributes; Wine does not, so the attributes asked for are checked
    // as well as the file written.
    struct Case {
        DWORD existing, asked;
    };
    const DWORD hidden = FILE_ATTRIBUTE_HIDDEN, system = FILE_ATTRIBUTE_SYSTEM;
    for (const Case c :
         {Case{FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_NORMAL},
          Case{hidden | FILE_ATTRIBUTE_ARCHIVE, hidden}, Case{system, system},
          Case{hidden | system | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, hidden | system}}) {
        SCOPED_TRACE(c.existing);
        EXPECT_EQ(Win32Platform::attributes_to_overwrite(c.existing), c.asked);
        const std::string path = temp / "autoexec.sas";
        ASSERT_TRUE(write_whole_file(path, "old"));
        ASSERT_TRUE(set_file_attributes(path, c.existing));
        ASSERT_TRUE(write_file(platform, path, "new", &err)) << err;
        EXPECT_EQ(read_whole_file(path), "new");
        EXPECT_EQ(file_attributes(path) & (hidden | system), c.existing & (hidden | system));
        ASSERT_TRUE(set_file_attributes(path, FILE_ATTRIBUTE_NORMAL));
    }
}

}  // namespace
}  // namespace kelvarion
