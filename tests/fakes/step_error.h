#pragma once
// Installation steps describe a failure in *err and show no box: the
// sequence does (app/main_window). Tests of one step run it through a
// wrapper that returns a StepOutcome, and check a failure with
// expect_failed_without_box.

#include <gtest/gtest.h>

#include <string>

#include "tests/fakes/fake_platform.h"

namespace kelvarion::testing {

// What one run of a step gave: whether it succeeded, and its description of
// a failure. As a bool it is the success, for EXPECT_TRUE and EXPECT_FALSE.
struct StepOutcome {
    bool succeeded = false;
    std::string err;
    explicit operator bool() const { return succeeded; }
};

// Runs `step(std::string* err)` and keeps what it returned and described.
template <typename Step>
StepOutcome run_step(Step&& step) {
    StepOutcome outcome;
    outcome.succeeded = step(&outcome.err);
    return outcome;
}

// The step failed, described the failure as `text`, and showed no box itself.
inline void expect_failed_without_box(const StepOutcome& outcome, const FakePlatform& fake,
                                      const std::string& text) {
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.err, text);
    EXPECT_TRUE(fake.message_boxes.empty());
}

}  // namespace kelvarion::testing
