#pragma once
// The whole program on the in-memory platform, the way it runs on Windows:
// start-up reads the registry, the main window is loaded with the edition's
// real installation steps (app/installation_steps.h), and Install is pressed. The bad-input rows
// set up the platform first, then look at what the run left behind.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
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

// The files the program writes under the install root, in the order the
// installation sequence writes them.
const std::vector<std::string>& generated_file_names();

class Installation {
public:
    // SAS 9.1 registered and its SASV9.CFG in place; the install root is
    // `root` (UTF-8, as the platform reports it), created when not empty.
    // `platform` replaces the plain FakePlatform (a subclass, say).
    explicit Installation(const EditionProfile& edition, const std::string& root = "",
                          std::unique_ptr<FakePlatform> platform = nullptr);

    // Start-up, then the window's load handler: a new window over the same
    // machine, so that a second start runs the installation again. False
    // when start-up showed none.
    bool start();
    // Presses Install on the window of the last start().
    void install();

    // Every box shown, "title: text" a line, for failure messages.
    std::string boxes() const;
    // The one failure box's text; empty (and a test failure) otherwise.
    std::string failure_text() const;
    bool completed() const;  // the Notice box, the window closed
    std::string caption() const { return view.caption(Control::StatusLabel); }

    std::string in_root(const std::string& relative) const { return platform.root + relative; }
    std::optional<std::string> generated(const std::string& name) const;
    // Every file under `folder`: a temporary file left behind shows here.
    std::vector<std::string> files_under(const std::string& folder) const {
        return platform.files_under(folder);
    }

private:
    std::unique_ptr<FakePlatform> owned_platform_;  // before `platform`, which refers to it

public:
    const EditionProfile& edition;
    FakePlatform& platform;
    FakeView view;
    InstallContext context;

private:
    std::unique_ptr<MainWindow> window_;
};

}  // namespace kelvarion::testing
