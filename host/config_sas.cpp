#include "config_sas.h"

#include <utility>

#include "generate/text_file.h"
#include "host/atomic_replace.h"
#include "host/sas_config_edit.h"
#include "platform/text_codec.h"

namespace kelvarion {
namespace {

constexpr const char* kMacroFolderName = "\\saspgm";

// SAS would read the list in the ANSI code page, so a folder written with a
// character it cannot hold would name another folder.
std::string unrepresentable_folder(const std::string& path, const std::string& macro_folder,
                                   char32_t unmappable) {
    const std::string character = code_point_utf8(unmappable);
    const std::string shown = "\"" + character + "\" (" + code_point_name(unmappable) + ")";
    std::string folder = macro_folder;
    const size_t found = macro_folder.find(character);
    if (found != std::string::npos) folder = macro_folder.substr(0, macro_folder.find('\\', found));
    return "Cannot update \"" + path + "\": the folder name \"" + folder +
           "\" contains the character " + shown +
           ", which the system code page cannot hold. The SAS autocall list would name the "
           "folder wrongly, so nothing was written.";
}

}  // namespace

std::string sas_config_path(const EditionProfile& edition, const InstallContext& context,
                            const MainView& view) {
    const auto under = [](const std::string& root, const char* name) {
        return root.empty() ? std::string() : root + name;
    };
    if (view.selected(Control::optSas8)) return under(context.sas8_root, "\\SASV8.CFG");
    if (view.selected(Control::optSas9)) return under(context.sas91_root, "\\nls\\en\\SASV9.CFG");
    if (edition.offers_sas92 && view.selected(Control::optSas92))
        return under(context.sas92_root, "\\nls\\en\\SASV9.CFG");
    return {};
}

bool config_sas(const EditionProfile& edition, const InstallContext& context, MainView& view,
                Platform& platform) {
    // An empty path fails to open like a missing file, with the platform's
    // own description.
    const std::string path = sas_config_path(edition, context, view);
    std::string err;
    std::string bytes;
    if (!platform.read_file(path, &bytes, &err)) return report_failure(platform, err);

    const std::string macro_folder = platform.install_root() + kMacroFolderName;
    const CodePage ansi{
        [&platform](std::string_view utf8) { return platform.encode_ansi(utf8); },
        [&platform](std::string_view raw) { return platform.decode_ansi(raw); },
    };
    SasConfigEdit edit = edit_sas_config(bytes, macro_folder, edition.config_update, ansi);

    switch (edit.outcome) {
        case SasConfigEdit::Outcome::FolderNotRepresentable:
            return report_failure(platform,
                                  unrepresentable_folder(path, macro_folder, edit.unmappable));
        case SasConfigEdit::Outcome::Unchanged:
            view.set_text1(std::move(bytes));
            return true;
        case SasConfigEdit::Outcome::Edited:
            break;
    }
    view.set_text1(std::move(edit.bytes));
    if (!replace_file_contents(platform, path, view.text1(), &err))
        return report_failure(platform, err);
    return true;
}

}  // namespace kelvarion
