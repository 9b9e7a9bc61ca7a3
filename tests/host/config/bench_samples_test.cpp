// The benchmark's sample files, at the smallest size, through the edit and
// the check the benchmark makes of what it wrote (wrong_edit_of_sample), so
// that the edit and that check cannot part unnoticed between benchmark runs.

#include <gtest/gtest.h>

#include <string>

#include "bench/sample_configs.h"
#include "fuzz/config_edit_invariants.h"
#include "host/sas_config_edit.h"

namespace kelvarion::testing {
namespace {

using bench::ConfigShape;
using bench::kSampleMacroFolder;
using bench::wrong_edit_of_sample;

constexpr ConfigUpdateRule kRules[] = {ConfigUpdateRule::SkipWhenNamed,
                                       ConfigUpdateRule::InsertEveryRun};

std::string small_sample(ConfigShape shape) {
    return bench::sample_config(shape, bench::kSmallestSample);
}

std::string edited(const std::string& sample, ConfigUpdateRule rule) {
    return edit_sas_config(sample, kSampleMacroFolder, rule, fuzzing::windows_1252()).bytes;
}

TEST(BenchSamples, EveryShapeIsEditedTheWayTheBenchmarkChecks) {
    for (ConfigShape shape : bench::kConfigShapes) {
        SCOPED_TRACE(std::string(bench::shape_name(shape)));
        const std::string sample = small_sample(shape);
        ASSERT_EQ(sample.size(), bench::kSmallestSample);
        for (ConfigUpdateRule rule : kRules)
            EXPECT_EQ(wrong_edit_of_sample(sample, rule, edited(sample, rule)), "");
    }
}

// --- the check has teeth -------------------------------------------------------

TEST(BenchSamples, CheckRefusesTheFolderRunIntoTheNextEntry) {
    // On the long line an entry follows the "(": without the blank, SAS
    // would read the folder and that entry as one name.
    const std::string sample = small_sample(ConfigShape::LongLine);
    for (ConfigUpdateRule rule : kRules) {
        std::string joined = edited(sample, rule);
        const std::string folder_then_blank = "\"" + kSampleMacroFolder + "\" ";
        const std::size_t at = joined.find(folder_then_blank);
        ASSERT_NE(at, std::string::npos);
        joined.erase(at + folder_then_blank.size() - 1, 1);
        EXPECT_NE(wrong_edit_of_sample(sample, rule, joined), "");
    }
}

TEST(BenchSamples, CheckRefusesTheSampleUnchangedOrEditedTwice) {
    for (ConfigShape shape : bench::kConfigShapes) {
        SCOPED_TRACE(std::string(bench::shape_name(shape)));
        const std::string sample = small_sample(shape);
        const std::string twice = edited(edited(sample, ConfigUpdateRule::InsertEveryRun),
                                         ConfigUpdateRule::InsertEveryRun);
        for (ConfigUpdateRule rule : kRules) {
            EXPECT_NE(wrong_edit_of_sample(sample, rule, sample), "");
            EXPECT_NE(wrong_edit_of_sample(sample, rule, twice), "");
        }
    }
}

}  // namespace
}  // namespace kelvarion::testing
