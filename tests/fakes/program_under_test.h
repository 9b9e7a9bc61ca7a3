#pragma once
// The whole program on the in-memory platform: the main window running the
// edition's real installation steps (app/installation_steps.h), opened by
// start-up from the fake registry as on Windows, or over SAS roots given
// directly. Each step is recorded with what the window showed when it ran; a
// chosen step fails with kStepFailure instead of doing its work, and a hook
// can act while a step runs (press a key, move the bar). The helpers look at
// what a run left behind.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/main_window_layout.h"
#include "model/edition_profile.h"
#include "model/install_context.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_view.h"

namespace kelvarion::testing {

inline constexpr const char* kSas91Key = "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.1";
inline constexpr const char* kSas91Root = "C:\\Program Files\\SAS\\SAS 9.1";
inline constexpr const char* kSas91Config = "C:\\Program Files\\SAS\\SAS 9.1\\nls\\en\\SASV9.CFG";
inline constexpr const char* kSas91ConfigFolder = "C:\\Program Files\\SAS\\SAS 9.1\\nls\\en";
// A SASV9.CFG list as SAS 9.1 ships it.
inline constexpr const char* kShippedConfig =
    "-SET SASAUTOS (\r\n"
    "        \"!SASROOT\\core\\sasmacro\"\r\n"
    "        )\r\n";
// What the failing step reports.
inline constexpr const char* kStepFailure = "The step could not do its work.";

// The files the program writes under the install root, in the order the
// installation sequence writes them.
const std::vector<std::string>& generated_file_names();

// Roots as start-up would have read them; a version not found has none.
InstallContext context_with(bool sas8, bool sas91, bool sas92);

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

    std::vector<std::size_t> rows() const;
    // The same rows, each recording its call before it works or fails.
    std::vector<InstallationStep> wrap(std::vector<InstallationStep> steps, const FakeView& view,
                                       const FakePlatform& platform);
};

class ProgramUnderTest {
public:
    // For start(): SAS 9.1 registered and its SASV9.CFG in place; the
    // install root is `root` (UTF-8, as the platform reports it), created
    // when not empty. `platform` replaces the plain FakePlatform (a
    // subclass, say).
    explicit ProgramUnderTest(const EditionProfile& edition, const std::string& root = "",
                              std::unique_ptr<FakePlatform> platform = nullptr);
    // The window over `found`, not loaded yet; the registry is empty. Each
    // SAS found has the configuration file the last step edits.
    ProgramUnderTest(const EditionProfile& edition, InstallContext found);

    // The steps refer to the members.
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    // Start-up, then the window's load handler: a new window over the same
    // machine, so that a second start runs the installation again. False
    // when start-up showed none.
    bool start();
    // on_load, then forget what it did, so a test sees only its own actions.
    void load_and_clear_logs();
    // Presses Install.
    void install() { window().on_install(); }
    // The window of the last start(), or the one over the roots given.
    MainWindow& window();

    // Every box shown, "title: text" a line, for failure messages.
    std::string boxes() const;
    // The one failure box's text; empty (and a test failure) otherwise.
    std::string failure_text() const;
    bool completed() const;  // the Notice box, the window closed
    std::string caption() const { return view.caption(Control::StatusLabel); }

    std::string in_root(const std::string& relative) const { return platform.root + relative; }
    std::optional<std::string> generated(const std::string& name) const {
        return platform.file(in_root(name));
    }
    // Every file under `folder`: a temporary file left behind shows here.
    std::vector<std::string> files_under(const std::string& folder) const {
        return platform.files_under(folder);
    }

private:
    void open_window();

    std::unique_ptr<FakePlatform> owned_platform_;  // before `platform`, which refers to it

public:
    const EditionProfile& edition;
    FakePlatform& platform;
    FakeView view{main_window_layout(edition)};
    InstallContext context;
    RecordedSteps steps;

private:
    std::unique_ptr<MainWindow> window_;
};

}  // namespace kelvarion::testing
