#include "host/sas_config_update.h"

#include <utility>

#include "generate/text_file.h"
#include "host/replacement_file.h"
#include "host/sas_config_edit.h"
#include "model/product_layout.h"
#include "platform/file_replace.h"

namespace kelvarion {
std::string sas_config_path(const EditionProfile& edition, const InstallContext& context,
                            std::optional<SasVersion> chosen) {
    if (!chosen || !offers(edition, *chosen) || !context.found(*chosen)) return {};
    return *context.sas_root(*chosen) + sas_version_info(*chosen).autocall_config;
}

bool update_sas_config(const EditionProfile& edition, const InstallContext& context,
                       std::optional<SasVersion> chosen, Platform& platform,
                       std::optional<std::string>* new_text, std::string* err) {
    // An empty path fails to open like a missing file, with the platform's
    // own description.
    const std::string path = sas_config_path(edition, context, chosen);
    // A write in place that an earlier run began and never finished (power
    // lost, the process ended) left the original beside the file, which may
    // itself be partial: nothing changes until a person has put it right.
    const std::string copy = original_copy_name(path);
    if (!path.empty() && platform.may_exist(copy)) {
        *err = path + ": an earlier run of this setup stopped while it was writing this file. " +
               "Its original contents are in \"" + copy + "\". Nothing was changed: put that " +
               "copy back in place of this file, or delete it if this file is whole, then run " +
               "the setup again.";
        return false;
    }
    std::string bytes;
    if (!platform.read_file(path, &bytes, err)) return false;

    const std::string folder = macro_folder(platform.install_root());
    const CodePage ansi{
        [&platform](std::string_view utf8) { return platform.encode_ansi(utf8); },
        [&platform](std::string_view raw) { return platform.decode_ansi(raw); },
    };
    SasConfigEdit edit = edit_sas_config(bytes, folder, edition.config_update, ansi);

    switch (edit.outcome) {
        case SasConfigEdit::Outcome::FolderNotRepresentable:
            // SAS would read the list in the ANSI code page, so a folder
            // written with a character it cannot hold would name another one.
            *err = unrepresentable_folder_message(
                "update", path, folder, edit.unmappable,
                "The SAS autocall list would name the folder wrongly, so nothing was written.");
            return false;
        case SasConfigEdit::Outcome::Unchanged: *new_text = std::move(bytes); return true;
        case SasConfigEdit::Outcome::Edited: break;
    }
    *new_text = std::move(edit.bytes);
    return replace_file_contents(platform, path, **new_text, err);
}

}  // namespace kelvarion
