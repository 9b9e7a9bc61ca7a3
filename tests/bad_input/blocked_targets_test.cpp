// Bad input: targets that cannot be written because a folder stands where a
// file belongs, a file where a folder belongs, or the folder is read-only,
// through a whole installation on the in-memory platform. Each row: the step
// that meets the obstacle shows the platform's description in one failure
// box and the sequence stops with that step's caption (or, for a folder that
// nothing writes into, the installation completes); the obstacle itself and
// the SAS configuration are as they were, and no temporary file is left.
// (Read-only files of each step are rows of the steps' own tests.)

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editions/current_edition.h"
#include "editions/legacy_edition.h"
#include "tests/fakes/program_under_test.h"

namespace kelvarion::testing {
namespace {

const std::string kRoot = R"(C:\Apps\Kelvarion)";  // FakePlatform's install root
const std::string kDesktop = R"(C:\Users\ann\Desktop)";
const std::string kPrograms =
    R"(C:\Users\ann\AppData\Roaming\Microsoft\Windows\Start Menu\Programs)";
constexpr const char* kInPlaceOfTheFolder = "a file where a folder belongs\r\n";

enum class Obstacle { FolderForFile, FileForFolder, ReadOnlyFolder };

struct BlockedRow {
    const char* name;
    Obstacle obstacle;
    std::string path;
    const char* failure_caption;  // null: the installation completes
    std::string box;              // the platform's description: the file it names, its text
    // The first generated file (in sequence order) not written; null: all are.
    const char* unwritten;
    bool sas_config_edited;
};

void PrintTo(const BlockedRow& row, std::ostream* os) { *os << row.name; }

constexpr const char* kAutoexec = "\\saspgm\\autoexec.sas";
constexpr const char* kToolConfig = "\\kelvarion.cfg";  // written by the last step

std::vector<BlockedRow> blocked_rows() {
    const std::string autoexec = kRoot + "\\saspgm\\autoexec.sas";
    const std::string menu_link = kPrograms + "\\Corvantis\\KELVARION\\Kelvarion.lnk";
    return {
        {"AutoexecIsAFolder", Obstacle::FolderForFile, autoexec, "Error creating autoexec.sas ...",
         failure_on(autoexec, kAccessDenied), kAutoexec, false},
        {"JoinMacroIsAFolder", Obstacle::FolderForFile, kRoot + "\\saspgm\\join.sas",
         "Error creating join.sas ...", failure_on(kRoot + "\\saspgm\\join.sas", kAccessDenied),
         "\\saspgm\\join.sas", false},
        {"SaspgmIsAFile", Obstacle::FileForFolder, kRoot + "\\saspgm",
         "Error creating autoexec.sas ...", failure_on(autoexec, kPathNotFound), kAutoexec, false},
        // Nothing writes into data: its folders fail silently and SAS will
        // say so when it assigns the libraries.
        {"DataIsAFile", Obstacle::FileForFolder, kRoot + "\\data", nullptr, "", nullptr, true},
        {"DesktopShortcutIsAFolder", Obstacle::FolderForFile, kDesktop + "\\Kelvarion.lnk",
         "Error creating desktop shortcut ...",
         failure_on(kDesktop + "\\Kelvarion.lnk", kAccessDenied), kToolConfig, false},
        {"StartMenuShortcutIsAFolder", Obstacle::FolderForFile, menu_link,
         "Error creating desktop shortcut ...", failure_on(menu_link, kAccessDenied), kToolConfig,
         false},
        // The folder fails silently; the save into it names the shortcut.
        {"StartMenuMakerFolderIsAFile", Obstacle::FileForFolder, kPrograms + "\\Corvantis",
         "Error creating desktop shortcut ...", failure_on(menu_link, kPathNotFound), kToolConfig,
         false},
        {"SasConfigurationIsAFolder", Obstacle::FolderForFile, kSas91Config,
         "Error configing SAS System ...", failure_on(kSas91Config, kAccessDenied), kToolConfig,
         false},
        // The temporary file that the new text goes to first is refused; the
        // box names the file the user knows.
        {"SasConfigurationFolderIsReadOnly", Obstacle::ReadOnlyFolder, kSas91ConfigFolder,
         "Error configing SAS System ...", failure_on(kSas91Config, kAccessDenied), kToolConfig,
         false},
        // The legacy edition writes no kelvarion.cfg and completes.
        {"StartUpOptionsFileIsAFolder", Obstacle::FolderForFile, kRoot + "\\kelvarion.cfg",
         "Error configing SAS System ...", failure_on(kRoot + "\\kelvarion.cfg", kAccessDenied),
         kToolConfig, true},
    };
}

void place(ProgramUnderTest& run, const BlockedRow& row) {
    FakePlatform& platform = run.platform;
    switch (row.obstacle) {
        case Obstacle::FolderForFile:
            platform.entries.erase(FakePlatform::key(row.path));
            platform.add_folder(row.path);
            break;
        case Obstacle::FileForFolder: platform.add_file(row.path, kInPlaceOfTheFolder); break;
        case Obstacle::ReadOnlyFolder:
            platform.add_folder(row.path);
            platform.entries[FakePlatform::key(row.path)].read_only = true;
            break;
    }
}

bool still_in_place(const ProgramUnderTest& run, const BlockedRow& row) {
    const FakePlatform& platform = run.platform;
    switch (row.obstacle) {
        case Obstacle::FolderForFile: return platform.is_folder(row.path);
        case Obstacle::FileForFolder: return platform.file(row.path) == kInPlaceOfTheFolder;
        case Obstacle::ReadOnlyFolder:
            return platform.is_folder(row.path) &&
                   platform.entries.at(FakePlatform::key(row.path)).read_only;
    }
    return false;
}

std::vector<std::string> present(const ProgramUnderTest& run) {
    std::vector<std::string> names;
    for (const std::string& name : generated_file_names())
        if (run.generated(name)) names.push_back(name);
    return names;
}

class BlockedTarget : public ::testing::TestWithParam<BlockedRow> {};

TEST_P(BlockedTarget, OneClearBoxAndNothingLost) {
    const BlockedRow& row = GetParam();
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        SCOPED_TRACE(edition->name);
        ProgramUnderTest run(*edition);
        place(run, row);
        ASSERT_TRUE(run.start());
        run.install();

        const bool options_file_row = row.path == kRoot + "\\kelvarion.cfg";
        if (row.failure_caption && !(options_file_row && !edition->writes_tool_config)) {
            EXPECT_EQ(run.failure_text(), row.box);
            EXPECT_EQ(run.caption(), row.failure_caption);
            EXPECT_FALSE(run.view.unloaded);
            EXPECT_TRUE(run.view.enabled(Control::InstallButton));  // ready to try again
        } else {
            EXPECT_TRUE(run.completed()) << run.boxes();
        }
        EXPECT_TRUE(still_in_place(run, row));

        std::vector<std::string> expected;
        for (const std::string& name : generated_file_names()) {
            if (row.unwritten && name == row.unwritten) break;
            expected.push_back(name);
        }
        if (!edition->writes_tool_config && !expected.empty() &&
            expected.back() == "\\kelvarion.cfg")
            expected.pop_back();
        EXPECT_EQ(present(run), expected);

        const std::string edited = "-SET SASAUTOS (\r\n                \"" + kRoot +
                                   "\\saspgm\"\r\n" + std::string(kShippedConfig).substr(17);
        if (row.obstacle != Obstacle::FolderForFile || row.path != kSas91Config) {
            EXPECT_EQ(run.platform.file(kSas91Config),
                      row.sas_config_edited ? edited : kShippedConfig);
            EXPECT_EQ(run.files_under(kSas91ConfigFolder),
                      std::vector<std::string>{FakePlatform::key(kSas91Config)});
        } else {
            EXPECT_TRUE(run.files_under(kSas91ConfigFolder).empty());
        }
        EXPECT_EQ(run.platform.open_files, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, BlockedTarget, ::testing::ValuesIn(blocked_rows()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvarion::testing
