#include "app/installation_steps.h"

#include "generate/autoexec.h"
#include "generate/macro_files.h"
#include "host/sas_config_update.h"
#include "host/shortcuts.h"
#include "host/tool_config.h"
#include "model/product_layout.h"

namespace kelvarion {
namespace {

// The SAS configuration, then (current edition) the start-up options file
// that the shortcuts hand to SAS, under one caption.
bool configure_sas_system(const EditionProfile& edition, const InstallContext& context,
                          MainView& view, Platform& platform, std::optional<SasVersion> chosen,
                          std::string* err) {
    // The file's new text goes through the window's unseen text box.
    std::optional<std::string> new_text;
    const bool updated = update_sas_config(edition, context, chosen, platform, &new_text, err);
    if (new_text) view.set_config_text(std::move(*new_text));
    if (!updated) return false;
    // The legacy edition hands the start-up options on the shortcuts'
    // command line; it never writes or touches the start-up options file.
    if (!edition.writes_tool_config) return true;
    platform.pause(kStepPauseMilliseconds);
    return create_tool_config(platform, err);
}

}  // namespace

std::vector<InstallationStep> installation_steps(const EditionProfile& edition,
                                                 const InstallContext& context, MainView& view,
                                                 Platform& platform) {
    std::vector<InstallationStep> steps;
    const std::string autoexec = kAutoexecFileName;
    steps.push_back({"Creating " + autoexec + " ...", "Error creating " + autoexec + " ...",
                     [&edition, &platform](std::optional<SasVersion>, std::string* err) {
                         return create_autoexec(edition, platform, err);
                     }});
    for (const MacroFile& file : macro_files()) {
        const std::string name = file.file_name;
        steps.push_back({"Creating " + name + " ...", "Error creating " + name + " ...",
                         [&file, &platform](std::optional<SasVersion>, std::string* err) {
                             return create_macro_file(file, platform, err);
                         }});
    }
    // Makes the Start-menu shortcut too, under the desktop caption.
    steps.push_back(
        {"Creating desktop shortcut ...", "Error creating desktop shortcut ...",
         [&edition, &context, &platform](std::optional<SasVersion> chosen, std::string* err) {
             return create_shortcuts(edition, context, chosen, platform, err);
         }});
    steps.push_back({"Config SAS System ...", "Error configing SAS System ...",
                     [&edition, &context, &view, &platform](std::optional<SasVersion> chosen,
                                                            std::string* err) {
                         return configure_sas_system(edition, context, view, platform, chosen, err);
                     }});
    return steps;
}

}  // namespace kelvarion
