#pragma once
// The installation sequence as a table: one row per step, in order, with the
// caption shown while it runs and the one shown when it fails. The main
// window runs the rows; the steps do their work and describe a failure, and
// the window shows it.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/edition_profile.h"
#include "model/install_context.h"
#include "model/sas_versions.h"
#include "platform/main_view.h"
#include "platform/platform.h"

namespace kelvarion {

struct InstallationStep {
    std::string caption;          // shown while the step runs
    std::string failure_caption;  // shown when it fails
    // Does the step's work for the chosen SAS version; false with *err
    // describing the failure.
    std::function<bool(std::optional<SasVersion> chosen, std::string* err)> run;
};

// The pause before each step and between the SAS configuration and the
// start-up options file, so that the user can read each caption.
inline constexpr int kStepPauseMilliseconds = 100;

// The edition's steps: autoexec.sas (after the product folders), one row per
// macro file (generate/macro_files.h), the shortcuts, then the SAS
// configuration (with the start-up options file, in the current edition).
// Every reference must outlive the rows.
std::vector<InstallationStep> installation_steps(const EditionProfile& edition,
                                                 const InstallContext& context, MainView& view,
                                                 Platform& platform);

}  // namespace kelvarion
