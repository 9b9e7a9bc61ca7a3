#pragma once
// The installation step that adds the product's macro folder to the SAS
// autocall list (-SET SASAUTOS) of the chosen SAS version's configuration
// file.

#include <optional>
#include <string>

#include "model/edition_profile.h"
#include "model/install_context.h"
#include "model/sas_versions.h"
#include "platform/platform.h"

namespace kelvarion {

// The configuration file whose autocall list the chosen version reads; empty
// when no version is chosen, the edition does not offer it, or it was not
// found (its root is empty), so that the step never edits "\SASV8.CFG" on the
// current drive.
std::string sas_config_path(const EditionProfile& edition, const InstallContext& context,
                            std::optional<SasVersion> chosen);

// Reads the file whole, edits it (host/sas_config_edit.h) and, only when the
// edit changed it, replaces the file in one step (host/replacement_file.h).
// *new_text receives the file's text after the edit (the text as read when
// nothing changes) once the file has been read and edited. False with *err
// describing the failure; the file then holds its old or its new bytes,
// unless *err names the file that kept the original (Platform::replace_file).
bool update_sas_config(const EditionProfile& edition, const InstallContext& context,
                       std::optional<SasVersion> chosen, Platform& platform,
                       std::optional<std::string>* new_text, std::string* err);

}  // namespace kelvarion
