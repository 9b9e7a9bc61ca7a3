#pragma once
// Installation steps that do no work: each call is recorded together with what
// the window showed at that moment, a chosen step returns false, and a hook
// can act while a step "runs" (press a key, move the bar).

#include <functional>
#include <string>
#include <vector>

#include "app/install_steps.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_view.h"

namespace kelvarion::testing {

class FakeInstallSteps : public InstallSteps {
public:
    struct Call {
        std::string step;      // "create_join_macro", "create_shortcuts sas9", ...
        std::string caption;   // lblTitle while the step ran
        float progress;        // ProgressBar1 while the step ran
        std::size_t pauses;    // pauses made before the step was called
    };

    FakeInstallSteps(const FakeView& view, const FakePlatform& platform)
        : view_(view), platform_(platform) {}

    std::vector<Call> calls;
    // The step (its name without the version key) that returns false; "" for none.
    std::string failing_step;
    // Runs inside each step, after the call is recorded; gets the step's name.
    std::function<void(const std::string&)> while_running;

    std::vector<std::string> step_names() const {
        std::vector<std::string> names;
        for (const Call& c : calls) names.push_back(c.step);
        return names;
    }

    bool create_autoexec() override { return step("create_autoexec"); }
    bool create_contents_macro() override { return step("create_contents_macro"); }
    bool create_finddup_macro() override { return step("create_finddup_macro"); }
    bool create_join_macro() override { return step("create_join_macro"); }
    bool create_print_model_macro() override { return step("create_print_model_macro"); }
    bool create_trans_macro() override { return step("create_trans_macro"); }
    bool create_verification_rep_macro() override {
        return step("create_verification_rep_macro");
    }
    bool create_shortcuts(const std::string& version_key) override {
        return step("create_shortcuts", " " + version_key);
    }
    bool config_sas() override { return step("config_sas"); }
    bool create_tool_config() override { return step("create_tool_config"); }

private:
    bool step(const std::string& name, const std::string& argument = "") {
        calls.push_back({name + argument, view_.caption(Control::lblTitle), view_.progress(),
                         platform_.pauses.size()});
        if (while_running) while_running(name);
        return name != failing_step;
    }

    const FakeView& view_;
    const FakePlatform& platform_;
};

}  // namespace kelvarion::testing
