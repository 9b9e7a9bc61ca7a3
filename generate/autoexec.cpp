#include "generate/autoexec.h"

#include "generate/macro_files.h"
#include "generate/product_folders.h"
#include "generate/sas_literal.h"
#include "generate/text_file.h"
#include "model/product_layout.h"

namespace kelvarion {

std::vector<std::string> autoexec_lines(const EditionProfile& edition,
                                        const std::string& install_root) {
    const std::string& root = install_root;
    std::vector<std::string> lines;
    // The window size option; the legacy edition leaves SAS its own default.
    if (edition.autoexec_window_option) lines.push_back("options awsdef=(0 0 100 100);");
    // The library names are padded so that every path starts in column 19.
    lines.push_back("libname pgmlib    " + sas_literal(macro_folder(root)) + ";");
    lines.push_back("libname dataware  " + sas_literal(data_folder(root)) + ";");
    lines.push_back("libname dest      " + sas_literal(sdtm_folder(root)) + ";");
    lines.push_back("libname sdtmlib   " + sas_literal(sdtm_folder(root)) + ";");
    lines.push_back("libname translib  " + sas_literal(translib_folder(root)) + ";");
    lines.push_back("libname modlib    " + sas_literal(models_folder(root)) + ";");
    lines.push_back("");
    // The macro files, in the order the installation writes them. On a first
    // installation they do not exist yet: they are named by path only.
    for (const MacroFile& file : macro_files())
        lines.push_back("%include " + sas_literal(macro_folder_file(root, file.file_name)) + ";");
    return lines;
}

bool create_autoexec(const EditionProfile& edition, Platform& platform, std::string* err) {
    create_menu_and_macro_folders(platform);
    create_data_folder(platform);
    create_sdtm_folder(platform);
    create_translib_folder(platform);
    create_models_folder(platform);

    const std::string root = platform.install_root();
    return write_text_file(platform, autoexec_file(root), autoexec_lines(edition, root), root, err);
}

}  // namespace kelvarion
