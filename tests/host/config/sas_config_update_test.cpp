// The SAS configuration step against the in-memory platform: which file it
// edits, when it writes, the new text it hands back, and its descriptions of
// failures.
#include "host/sas_config_update.h"

#include <gtest/gtest.h>

#include <utility>

#include "tests/host/config/crlf_text.h"
#include "editions/current_edition.h"
#include "editions/legacy_edition.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/step_error.h"

namespace kelvarion::testing {
namespace {

const std::string kSas8Cfg = R"(C:\SAS\V8\SASV8.CFG)";
const std::string kSas91Folder = R"(C:\SAS\9.1\nls\en)";
const std::string kSas91Cfg = R"(C:\SAS\9.1\nls\en\SASV9.CFG)";
const std::string kSas92Cfg = R"(C:\Program Files\SAS\9.2\nls\en\SASV9.CFG)";

// The fake's install root is C:\Apps\Kelvarion.
const std::string kList = crlf_lines({"-SET SASAUTOS (", R"(  "!SASROOT\core\sasmacro")", ")"});
const std::string kListEdited = crlf_lines({
    "-SET SASAUTOS (",
    R"(                "C:\Apps\Kelvarion\saspgm")",
    R"(  "!SASROOT\core\sasmacro")",
    ")",
});

// Each configuration file begins with a line that tells it from the others.
std::string tagged(const std::string& version, const std::string& body) {
    return crlf_lines({"/* SAS " + version + " */"}) + body;
}

// Three installed SAS versions, SAS 9.1 chosen.
struct Machine {
    Machine() {
        context.sas_roots = {R"(C:\SAS\V8)", R"(C:\SAS\9.1)", R"(C:\Program Files\SAS\9.2)"};
        platform.add_file(kSas8Cfg, tagged("8", kList));
        platform.add_file(kSas91Cfg, tagged("9.1", kList));
        platform.add_file(kSas92Cfg, tagged("9.2", kList));
    }

    // The folder holds the configuration file and nothing else.
    void expect_only_the_original(const std::string& bytes) const {
        EXPECT_EQ(platform.file(kSas91Cfg), bytes);
        EXPECT_EQ(platform.files_under(kSas91Folder),
                  std::vector<std::string>{FakePlatform::key(kSas91Cfg)});
        EXPECT_EQ(platform.open_files, 0);
    }

    bool wrote_anything() const {
        for (const std::string& entry : platform.log)
            if (entry.rfind("create", 0) == 0 || entry.rfind("replace", 0) == 0) return true;
        return false;
    }

    StepOutcome run(const EditionProfile& edition) {
        new_text.reset();
        return run_step([&](std::string* err) {
            return update_sas_config(edition, context, chosen, platform, &new_text, err);
        });
    }

    InstallContext context;
    std::optional<SasVersion> chosen = SasVersion::V91;
    FakePlatform platform;
    std::optional<std::string> new_text;
};

TEST(SasConfigUpdate, EditsTheFileOfTheSelectedVersionOnly) {
    const struct {
        const EditionProfile& edition;
        SasVersion version;
        const std::string& path;
    } cases[] = {
        {kCurrentEdition, SasVersion::V8, kSas8Cfg},
        {kCurrentEdition, SasVersion::V91, kSas91Cfg},
        {kCurrentEdition, SasVersion::V92, kSas92Cfg},
        {kLegacyEdition, SasVersion::V8, kSas8Cfg},
        {kLegacyEdition, SasVersion::V91, kSas91Cfg},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path + " " + c.edition.name);
        Machine machine;
        machine.chosen = c.version;
        EXPECT_TRUE(machine.run(c.edition));
        const std::pair<const std::string&, const char*> files[] = {
            {kSas8Cfg, "8"}, {kSas91Cfg, "9.1"}, {kSas92Cfg, "9.2"}};
        for (const auto& [path, version] : files) {
            const std::string& expected = path == c.path ? kListEdited : kList;
            EXPECT_EQ(machine.platform.file(path), tagged(version, expected)) << path;
            if (path == c.path) {
                EXPECT_EQ(machine.new_text, tagged(version, expected));
            }
        }
        EXPECT_TRUE(machine.platform.message_boxes.empty());
        EXPECT_EQ(machine.platform.open_files, 0);
    }
}

TEST(SasConfigUpdate, WithoutAChosenVersionTheStepFailsLikeAMissingFile) {
    // The legacy edition has no SAS 9.2.
    Machine machine;
    machine.chosen = SasVersion::V92;
    expect_failed_without_box(machine.run(kLegacyEdition), machine.platform,
                              kFileNotFound);  // no path to name
    machine.chosen.reset();                    // no option button selected
    expect_failed_without_box(machine.run(kCurrentEdition), machine.platform, kFileNotFound);
    EXPECT_FALSE(machine.wrote_anything());

    // A version that was not found has an empty root: "\SASV8.CFG" on the
    // current drive is not its file.
    Machine not_found;
    not_found.context = InstallContext{};
    not_found.chosen = SasVersion::V8;
    not_found.platform.add_file(R"(\SASV8.CFG)", kList);
    expect_failed_without_box(not_found.run(kCurrentEdition), not_found.platform, kFileNotFound);
    EXPECT_EQ(not_found.platform.file(R"(\SASV8.CFG)"), kList);
    EXPECT_FALSE(not_found.wrote_anything());
}

TEST(SasConfigUpdate, MissingFileOrFolderIsReportedWithThePlatformsText) {
    Machine no_file;
    no_file.platform.entries.erase(FakePlatform::key(kSas91Cfg));
    expect_failed_without_box(no_file.run(kCurrentEdition), no_file.platform,
                              failure_on(kSas91Cfg, kFileNotFound));
    EXPECT_FALSE(no_file.wrote_anything());

    Machine no_folder;
    no_folder.context.sas_root(SasVersion::V91) = R"(C:\SAS\Gone)";
    expect_failed_without_box(no_folder.run(kLegacyEdition), no_folder.platform,
                              failure_on(R"(C:\SAS\Gone\nls\en\SASV9.CFG)", kPathNotFound));
    EXPECT_FALSE(no_folder.wrote_anything());
}

TEST(SasConfigUpdate, FolderAlreadyNamedLeavesEvenAReadOnlyFileUntouched) {
    Machine machine;
    machine.platform.add_file(kSas91Cfg, kListEdited, /*read_only=*/true);
    EXPECT_TRUE(machine.run(kCurrentEdition));
    EXPECT_FALSE(machine.wrote_anything());
    machine.expect_only_the_original(kListEdited);
    EXPECT_EQ(machine.new_text, kListEdited);
    EXPECT_TRUE(machine.platform.message_boxes.empty());
}

TEST(SasConfigUpdate, FileWithoutListIsNotRewrittenInEitherEdition) {
    const std::string plain = "-MEMSIZE 2G\r\n-SORTSIZE 1G";  // no line end at the end
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        Machine machine;
        machine.platform.add_file(kSas91Cfg, plain);
        EXPECT_TRUE(machine.run(*edition));
        machine.expect_only_the_original(plain);
        EXPECT_FALSE(machine.wrote_anything());
    }
}

TEST(SasConfigUpdate, RunTwiceTheCurrentEditionWritesOnceTheLegacyEditionTwice) {
    Machine current;
    EXPECT_TRUE(current.run(kCurrentEdition));
    const size_t log_after_first = current.platform.log.size();
    EXPECT_TRUE(current.run(kCurrentEdition));
    current.expect_only_the_original(tagged("9.1", kListEdited));
    for (size_t k = log_after_first; k < current.platform.log.size(); ++k)
        EXPECT_EQ(current.platform.log[k].rfind("read ", 0), 0u) << current.platform.log[k];

    Machine legacy;
    EXPECT_TRUE(legacy.run(kLegacyEdition));
    EXPECT_TRUE(legacy.run(kLegacyEdition));
    legacy.expect_only_the_original(
        tagged("9.1", crlf_lines({
                          "-SET SASAUTOS (",
                          R"(                "C:\Apps\Kelvarion\saspgm")",
                          R"(                "C:\Apps\Kelvarion\saspgm")",
                          R"(  "!SASROOT\core\sasmacro")",
                          ")",
                      })));
}

TEST(SasConfigUpdate, FailureAtEachPointLeavesTheOriginalAndReportsOnce) {
    // The description names the configuration file, even where the failure
    // happened on the temporary file beside it.
    for (FakeOp op : {FakeOp::ReadFile, FakeOp::CreateTemp, FakeOp::Write, FakeOp::Flush,
                      FakeOp::Close, FakeOp::Replace}) {
        for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(op)) + " " + edition->name);
            Machine machine;
            machine.platform.fail(op, "", kDiskFull);
            expect_failed_without_box(machine.run(*edition), machine.platform,
                                      failure_on(kSas91Cfg, kDiskFull));
            machine.expect_only_the_original(tagged("9.1", kList));
        }
    }
}

TEST(SasConfigUpdate, ReadOnlyFileThatNeedsTheFolderIsReportedAndKept) {
    Machine machine;
    machine.platform.add_file(kSas91Cfg, kList, /*read_only=*/true);
    expect_failed_without_box(machine.run(kLegacyEdition), machine.platform,
                              failure_on(kSas91Cfg, kAccessDenied));
    machine.expect_only_the_original(kList);
}

TEST(SasConfigUpdate, InstallRootTheCodePageCannotHoldIsRefusedBeforeWriting) {
    Machine machine;
    machine.platform.root = "C:\\Gy\xC5\x91z\xC5\x91\\Kelvarion";
    expect_failed_without_box(
        machine.run(kCurrentEdition), machine.platform,
        "Cannot update \"C:\\SAS\\9.1\\nls\\en\\SASV9.CFG\": the folder name "
        "\"C:\\Gy\xC5\x91z\xC5\x91"
        "\" contains the character \"\xC5\x91\" (U+0151), which the system code page cannot hold. "
        "The SAS autocall list would name the folder wrongly, so nothing was written.");
    EXPECT_FALSE(machine.wrote_anything());
    machine.expect_only_the_original(tagged("9.1", kList));
}

TEST(SasConfigUpdate, TheOriginalLeftByAStoppedWriteStopsTheStepInEitherEdition) {
    // An earlier run was ended while writing SASV9.CFG in place: the file may
    // be partial (here, empty), and its original is in the copy beside it.
    const std::string copy = kSas91Cfg + ".kelvarion-original";
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        Machine machine;
        machine.platform.add_file(kSas91Cfg, "");
        machine.platform.add_file(copy, tagged("9.1", kList));
        expect_failed_without_box(
            machine.run(*edition), machine.platform,
            kSas91Cfg + ": an earlier run of this setup stopped while it was writing this file. "
                        "Its original contents are in \"" + copy + "\". Nothing was changed: put "
                        "that copy back in place of this file, or delete it if this file is "
                        "whole, then run the setup again.");
        EXPECT_FALSE(machine.wrote_anything());
        EXPECT_EQ(machine.platform.file(kSas91Cfg), "");
        EXPECT_EQ(machine.platform.file(copy), tagged("9.1", kList));
    }
}

}  // namespace
}  // namespace kelvarion::testing
