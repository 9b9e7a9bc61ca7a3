#pragma once
// Installation steps describe a failure in *err and show no box: the
// sequence does (app/main_window). Tests of one step run it through a
// wrapper that keeps the description here.

#include <string>

#include "tests/fakes/fake_platform.h"

namespace kelvarion::testing {

inline std::string& last_step_error() {
    static std::string err;
    return err;
}

// The step failed with `text`, and showed no box itself.
inline void expect_one_failure_box(const FakePlatform& fake, const std::string& text) {
    EXPECT_EQ(last_step_error(), text);
    EXPECT_TRUE(fake.message_boxes.empty());
}

}  // namespace kelvarion::testing
