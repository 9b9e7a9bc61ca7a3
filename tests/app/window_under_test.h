#pragma once
// A MainWindow wired to the recording fakes, running the edition's real steps
// (app/installation_steps.h) on the in-memory platform. Each step is
// recorded with what the window showed when it ran; a chosen step fails with
// a description instead of doing its work, and a hook can act while a step
// runs (press a key, move the bar).

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_view.h"

namespace kelvarion::testing {

inline constexpr const char* kStepFailure = "The step could not do its work.";

// Roots as start-up would have read them; a version not found has none.
inline InstallContext context_with(bool sas8, bool sas91, bool sas92) {
    InstallContext context;
    if (sas8) context.sas_root(SasVersion::V8) = "C:\\SAS\\V8";
    if (sas91) context.sas_root(SasVersion::V91) = "C:\\Program Files\\SAS\\SAS 9.1";
    if (sas92) context.sas_root(SasVersion::V92) = "C:\\Program Files\\SAS\\SASFoundation\\9.2";
    return context;
}

struct StepCall {
    std::size_t row;      // index in the edition's table
    std::string caption;  // the status label while the step ran
    float progress;       // the bar while the step ran
    std::size_t pauses;   // pauses made before the step ran
    std::optional<SasVersion> chosen;
};

class RecordedSteps {
public:
    std::vector<StepCall> calls;
    std::optional<std::size_t> failing_row;              // fails instead of working
    std::function<void(std::size_t row)> while_running;  // inside each step

    std::vector<std::size_t> rows() const {
        std::vector<std::size_t> out;
        for (const StepCall& call : calls) out.push_back(call.row);
        return out;
    }

    std::vector<InstallationStep> wrap(std::vector<InstallationStep> steps, const FakeView& view,
                                       const FakePlatform& platform) {
        for (std::size_t row = 0; row < steps.size(); ++row) {
            steps[row].run = [this, row, &view, &platform, work = std::move(steps[row].run)](
                                 std::optional<SasVersion> chosen, std::string* err) {
                calls.push_back({row, view.caption(Control::StatusLabel), view.progress(),
                                 platform.pauses.size(), chosen});
                if (while_running) while_running(row);
                if (failing_row == row) {
                    *err = kStepFailure;
                    return false;
                }
                return work(chosen, err);
            };
        }
        return steps;
    }
};

struct WindowUnderTest {
    WindowUnderTest(const EditionProfile& edition, InstallContext found)
        : context(std::move(found)),
          window(edition, context, view,
                 steps.wrap(installation_steps(edition, context, view, platform), view, platform),
                 platform) {
        // Each SAS found has the configuration file the last step edits.
        for (const SasVersionInfo& sas : kSasVersions)
            if (context.found(sas.version))
                platform.add_file(*context.sas_root(sas.version) + sas.autocall_config,
                                  "-SET SASAUTOS (\r\n)\r\n");
    }

    // on_load, then forget what it did, so a test sees only its own actions.
    void load_and_clear_logs() {
        window.on_load();
        view.log.clear();
        platform.log.clear();
    }

    FakePlatform platform;
    FakeView view;
    InstallContext context;
    RecordedSteps steps;
    MainWindow window;
};

}  // namespace kelvarion::testing
