#pragma once
// The installation step that adds the product's macro folder to the SAS
// autocall list (-SET SASAUTOS) of the chosen SAS version's configuration
// file. A window method of frmMain: it reads the option buttons and uses
// Text1 as the buffer that holds the file's new text.

#include <string>

#include "app/install_context.h"
#include "app/main_view.h"
#include "editions/edition_profile.h"
#include "platform/platform.h"

namespace kelvarion {

// The configuration file of the version whose option button is selected;
// empty when none is selected or the selected version was not found (its
// root is empty), so that the step never edits "\SASV8.CFG" on the current
// drive.
std::string sas_config_path(const EditionProfile& edition, const InstallContext& context,
                            const MainView& view);

// Reads the file whole, edits it (host/sas_config_edit.h), puts the new text
// in Text1 and, only when the edit changed it, replaces the file with Text1's
// text in one step (host/atomic_replace.h). Returns false after the failure
// box; the file is then unchanged.
bool config_sas(const EditionProfile& edition, const InstallContext& context, MainView& view,
                Platform& platform);

}  // namespace kelvarion
