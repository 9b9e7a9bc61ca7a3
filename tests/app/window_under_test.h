#pragma once
// A frmMain wired to the recording fakes, and install contexts for the
// combinations of SAS versions found.

#include <string>
#include <utility>

#include "app/frm_main.h"
#include "tests/app/fake_install_steps.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_view.h"

namespace kelvarion::testing {

// Roots as start-up would have read them; a version not found has an empty
// root and "\sas.exe" alone.
inline InstallContext context_with(bool sas8, bool sas91, bool sas92) {
    InstallContext context;
    if (sas8) context.sas8_root = "C:\\SAS\\V8";
    if (sas91) context.sas91_root = "C:\\Program Files\\SAS\\SAS 9.1";
    if (sas92) context.sas92_root = "C:\\Program Files\\SAS\\SASFoundation\\9.2";
    context.sas8_exe = context.sas8_root + "\\sas.exe";
    context.sas91_exe = context.sas91_root + "\\sas.exe";
    context.sas92_exe = context.sas92_root + "\\sas.exe";
    return context;
}

struct WindowUnderTest {
    WindowUnderTest(const EditionProfile& edition, InstallContext found)
        : context(std::move(found)), form(edition, context, view, steps, platform) {}

    // Form_Load, then forget what it did, so a test sees only its own actions.
    void load_and_clear_logs() {
        form.Form_Load();
        view.log.clear();
        platform.log.clear();
    }

    FakePlatform platform;
    FakeView view;
    InstallContext context;
    FakeInstallSteps steps{view, platform};
    frmMain form;
};

}  // namespace kelvarion::testing
