#include "host/shortcuts.h"

#include "host/replacement_file.h"
#include "model/product_layout.h"

namespace kelvarion {
namespace {

constexpr int kShowMaximized = 3;  // SW_SHOWMAXIMIZED
constexpr const char* kShortcutDescription = "Kelvarion";

// What the chosen version gives the shortcuts. All empty when none is chosen
// or the edition does not offer it.
struct SasVersionPaths {
    std::string target;
    std::string working_directory;
    std::string sas_config;
};

SasVersionPaths sas_version_paths(const EditionProfile& edition, const InstallContext& context,
                                  std::optional<SasVersion> chosen) {
    if (!chosen || !offers(edition, *chosen)) return {};
    const std::string root = context.sas_root(*chosen).value_or("");
    return {context.sas_exe(*chosen), root, root + sas_version_info(*chosen).shortcut_config};
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// Paths are quoted because install and SAS roots often hold spaces.
std::string argument_text(const EditionProfile& edition, const std::string& sas_config,
                          const std::string& install_root) {
    std::string text = " -CONFIG " + quoted(sas_config);
    switch (edition.shortcut_arguments) {
        case ShortcutArguments::TwoConfigFiles:
            text += " -CONFIG " + quoted(tool_config_file(install_root));
            break;
        case ShortcutArguments::StartupOptions:
            text += " -autoexec " + quoted(autoexec_file(install_root));
            text += " -initcmd " + quoted(kStartCommand);
            text += " -splashloc " + quoted(splash_bitmap(install_root));
            break;
    }
    return text;
}

// Saves one shortcut; false with *err set on the first failure. The new
// shortcut is saved beside the earlier one, then put in its place in one
// step: a save that fails leaves the user's working shortcut as it was, and
// no temporary file behind.
bool save_at(const ShortcutLocation& location, const ShortcutProperties& properties,
             Platform& platform, std::string* err) {
    std::string folder;
    if (!platform.special_folder(location.base, &folder, err)) return false;
    for (const std::string& level : location.subfolders) {
        folder += "\\" + level;
        // Best effort and silent, as the product folders are made: the level
        // usually exists already, and a real problem shows up when saving.
        std::string ignored;
        platform.make_folder(folder, &ignored);
    }
    ReplacementFile replacement(platform, folder + "\\" + kShortcutFileName);
    return replacement.begin(err) && replacement.save_shortcut(properties, err) &&
           replacement.commit(err);
}

}  // namespace

std::array<ShortcutLocation, 2> shortcut_locations(const EditionProfile& edition,
                                                   const InstallContext& context) {
    const bool all_users = edition.shortcuts_follow_all_users && context.all_users == "1";
    return {{
        {all_users ? SpecialFolder::AllUsersDesktop : SpecialFolder::Desktop, {}},
        {all_users ? SpecialFolder::AllUsersPrograms : SpecialFolder::Programs,
         {kMakerMenuFolder, kProductMenuFolder}},
    }};
}

ShortcutProperties shortcut_properties(const EditionProfile& edition, const InstallContext& context,
                                       std::optional<SasVersion> chosen,
                                       const std::string& install_root,
                                       const std::string& program_name) {
    const SasVersionPaths sas = sas_version_paths(edition, context, chosen);
    ShortcutProperties properties;
    properties.description = kShortcutDescription;
    properties.window_style = kShowMaximized;
    properties.arguments = argument_text(edition, sas.sas_config, install_root);
    properties.target_path = sas.target;
    properties.working_directory = sas.working_directory;
    properties.icon_location = install_root + "\\" + program_name + ".icx";
    return properties;
}

bool create_shortcuts(const EditionProfile& edition, const InstallContext& context,
                      std::optional<SasVersion> chosen, Platform& platform, std::string* err) {
    const ShortcutProperties properties = shortcut_properties(
        edition, context, chosen, platform.install_root(), platform.program_name());
    for (const ShortcutLocation& location : shortcut_locations(edition, context))
        if (!save_at(location, properties, platform, err)) return false;
    return true;
}

}  // namespace kelvarion
