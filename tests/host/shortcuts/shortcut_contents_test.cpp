// What the shortcuts hold and where they go, computed without a platform.
#include <gtest/gtest.h>

#include <ostream>

#include "editions/current_edition.h"
#include "editions/legacy_edition.h"
#include "host/shortcuts.h"

namespace kelvarion {
namespace {

constexpr const char* kProgram = "Kelvarion_Post_Installation_setup";

InstallContext three_versions() {
    InstallContext context;
    context.sas_roots = {"C:\\SAS\\V8", "C:\\SAS\\9.1",
                         "C:\\Program Files\\SAS\\SASFoundation\\9.2"};
    return context;
}

TEST(ShortcutArguments, MatchTheWorkedExamplesByteForByte) {
    const InstallContext context = three_versions();
    EXPECT_EQ(shortcut_properties(kCurrentEdition, context, SasVersion::V91, "D:\\Apps\\Kelvarion",
                                  kProgram)
                  .arguments,
              " -CONFIG \"C:\\SAS\\9.1\\SASV9.CFG\" -CONFIG "
              "\"D:\\Apps\\Kelvarion\\kelvarion.cfg\"");
    EXPECT_EQ(shortcut_properties(kLegacyEdition, context, SasVersion::V91, "D:\\Apps\\Kelvarion",
                                  kProgram)
                  .arguments,
              " -CONFIG \"C:\\SAS\\9.1\\SASV9.CFG\" -autoexec "
              "\"D:\\Apps\\Kelvarion\\saspgm\\autoexec.sas\" -initcmd "
              "\"af cat = pgmlib.kelvarion.trans_manager.frame\" -splashloc "
              "\"D:\\Apps\\Kelvarion\\splsh.bmp\"");
}

struct KeyCase {
    const EditionProfile* edition;
    std::optional<SasVersion> chosen;
    const char* label;
    const char* target;
    const char* working_directory;
    const char* sas_config;  // as it appears in the first -CONFIG
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.edition->name << " " << c.label; }

class ShortcutChosenVersion : public ::testing::TestWithParam<KeyCase> {};

TEST_P(ShortcutChosenVersion, SelectsTargetFolderAndConfiguration) {
    const KeyCase& c = GetParam();
    const ShortcutProperties p =
        shortcut_properties(*c.edition, three_versions(), c.chosen, "D:\\K", kProgram);
    EXPECT_EQ(p.target_path, c.target);
    EXPECT_EQ(p.working_directory, c.working_directory);
    const std::string first_option = std::string(" -CONFIG \"") + c.sas_config + "\"";
    EXPECT_EQ(p.arguments.substr(0, first_option.size()), first_option);
    // The second option follows at once: the edition's text is unchanged by the version.
    const std::string rest = c.edition->shortcut_arguments == ShortcutArguments::TwoConfigFiles
                                 ? " -CONFIG \"D:\\K\\kelvarion.cfg\""
                                 : " -autoexec \"D:\\K\\saspgm\\autoexec.sas\"";
    EXPECT_EQ(p.arguments.substr(first_option.size(), rest.size()), rest);
}

INSTANTIATE_TEST_SUITE_P(
    BothEditions, ShortcutChosenVersion,
    ::testing::Values(KeyCase{&kCurrentEdition, SasVersion::V8, "8", "C:\\SAS\\V8\\sas.exe",
                              "C:\\SAS\\V8", "C:\\SAS\\V8\\SASV8.CFG"},
                      KeyCase{&kCurrentEdition, SasVersion::V91, "9.1", "C:\\SAS\\9.1\\sas.exe",
                              "C:\\SAS\\9.1", "C:\\SAS\\9.1\\SASV9.CFG"},
                      KeyCase{&kCurrentEdition, SasVersion::V92, "9.2",
                              "C:\\Program Files\\SAS\\SASFoundation\\9.2\\sas.exe",
                              "C:\\Program Files\\SAS\\SASFoundation\\9.2",
                              "C:\\Program Files\\SAS\\SASFoundation\\9.2\\SASV9.CFG"},
                      KeyCase{&kLegacyEdition, SasVersion::V8, "8", "C:\\SAS\\V8\\sas.exe",
                              "C:\\SAS\\V8", "C:\\SAS\\V8\\SASV8.CFG"},
                      KeyCase{&kLegacyEdition, SasVersion::V91, "9.1", "C:\\SAS\\9.1\\sas.exe",
                              "C:\\SAS\\9.1", "C:\\SAS\\9.1\\SASV9.CFG"},
                      // A version the edition does not offer, or none, leaves all three empty.
                      KeyCase{&kLegacyEdition, SasVersion::V92, "9.2", "", "", ""},
                      KeyCase{&kCurrentEdition, std::nullopt, "none", "", "", ""},
                      KeyCase{&kLegacyEdition, std::nullopt, "none", "", "", ""}));

TEST(ShortcutProperties, RootsWithSpacesAreQuotedOnlyInTheArguments) {
    InstallContext context;
    context.sas_root(SasVersion::V91) = "C:\\Program Files\\SAS Institute\\9.1";
    const std::string root = "C:\\Program Files (x86)\\Kelvarion Suite";

    const ShortcutProperties current =
        shortcut_properties(kCurrentEdition, context, SasVersion::V91, root, kProgram);
    EXPECT_EQ(current.target_path, "C:\\Program Files\\SAS Institute\\9.1\\sas.exe");
    EXPECT_EQ(current.working_directory, "C:\\Program Files\\SAS Institute\\9.1");
    EXPECT_EQ(current.arguments,
              " -CONFIG \"C:\\Program Files\\SAS Institute\\9.1\\SASV9.CFG\" -CONFIG "
              "\"C:\\Program Files (x86)\\Kelvarion Suite\\kelvarion.cfg\"");
    EXPECT_EQ(current.icon_location, root + "\\" + kProgram + ".icx");

    const ShortcutProperties legacy =
        shortcut_properties(kLegacyEdition, context, SasVersion::V91, root, kProgram);
    EXPECT_EQ(legacy.target_path, current.target_path);
    EXPECT_EQ(legacy.arguments,
              " -CONFIG \"C:\\Program Files\\SAS Institute\\9.1\\SASV9.CFG\" -autoexec "
              "\"C:\\Program Files (x86)\\Kelvarion Suite\\saspgm\\autoexec.sas\" -initcmd "
              "\"af cat = pgmlib.kelvarion.trans_manager.frame\" -splashloc "
              "\"C:\\Program Files (x86)\\Kelvarion Suite\\splsh.bmp\"");
}

struct LocationCase {
    const EditionProfile* edition;
    const char* all_users;
    bool expect_all_users;
};

void PrintTo(const LocationCase& c, std::ostream* os) {
    *os << c.edition->name << " all_users \"" << c.all_users << "\"";
}

class ShortcutLocations : public ::testing::TestWithParam<LocationCase> {};

TEST_P(ShortcutLocations, FollowAllUsersOnlyWhenExactlyOne) {
    const LocationCase& c = GetParam();
    InstallContext context;
    context.all_users = c.all_users;
    const auto locations = shortcut_locations(*c.edition, context);
    EXPECT_EQ(locations[0].base,
              c.expect_all_users ? SpecialFolder::AllUsersDesktop : SpecialFolder::Desktop);
    EXPECT_TRUE(locations[0].subfolders.empty());
    EXPECT_EQ(locations[1].base,
              c.expect_all_users ? SpecialFolder::AllUsersPrograms : SpecialFolder::Programs);
    EXPECT_EQ(locations[1].subfolders, (std::vector<std::string>{"Corvantis", "KELVARION"}));
}

INSTANTIATE_TEST_SUITE_P(BothEditions, ShortcutLocations,
                         ::testing::Values(LocationCase{&kCurrentEdition, "1", true},
                                           LocationCase{&kCurrentEdition, "0", false},
                                           LocationCase{&kCurrentEdition, "", false},
                                           LocationCase{&kCurrentEdition, "1 ", false},
                                           LocationCase{&kCurrentEdition, " 1", false},
                                           LocationCase{&kCurrentEdition, "01", false},
                                           // The legacy edition has no all-users handling at all.
                                           LocationCase{&kLegacyEdition, "1", false},
                                           LocationCase{&kLegacyEdition, "", false}));

}  // namespace
}  // namespace kelvarion
