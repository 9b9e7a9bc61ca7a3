#include "autoexec.h"

#include "product_folders.h"
#include "sas_literal.h"
#include "text_file.h"

namespace kelvarion {

std::vector<std::string> autoexec_lines(const EditionProfile& edition,
                                        const std::string& install_root) {
    const std::string& root = install_root;
    std::vector<std::string> lines;
    // The window size option; the legacy edition leaves SAS its own default.
    if (edition.autoexec_window_option) lines.push_back("options awsdef=(0 0 100 100);");
    // The library names are padded so that every path starts in column 19.
    lines.push_back("libname pgmlib    " + sas_literal(root + "\\saspgm") + ";");
    lines.push_back("libname dataware  " + sas_literal(root + "\\data") + ";");
    lines.push_back("libname dest      " + sas_literal(root + "\\data\\sdtm") + ";");
    lines.push_back("libname sdtmlib   " + sas_literal(root + "\\data\\sdtm") + ";");
    lines.push_back("libname translib  " + sas_literal(root + "\\data\\translib") + ";");
    lines.push_back("libname modlib    " + sas_literal(root + "\\data\\models") + ";");
    lines.push_back("");
    // The macro files, in the order the installation writes them. On a first
    // installation they do not exist yet: they are named by path only.
    lines.push_back("%include " + sas_literal(root + "\\saspgm\\contents.sas") + ";");
    lines.push_back("%include " + sas_literal(root + "\\saspgm\\finddup.sas") + ";");
    lines.push_back("%include " + sas_literal(root + "\\saspgm\\join.sas") + ";");
    lines.push_back("%include " + sas_literal(root + "\\saspgm\\print_model.sas") + ";");
    lines.push_back("%include " + sas_literal(root + "\\saspgm\\trans.sas") + ";");
    lines.push_back("%include " + sas_literal(root + "\\saspgm\\verification_rep.sas") + ";");
    return lines;
}

bool create_autoexec(const EditionProfile& edition, Platform& platform) {
    create_saspgm_folder(platform);
    create_data_folder(platform);
    create_sdtm_folder(platform);
    create_translib_folder(platform);
    create_models_folder(platform);

    const std::string root = platform.install_root();
    std::string err;
    if (!write_text_file(platform, root + "\\saspgm\\autoexec.sas", autoexec_lines(edition, root),
                         root, &err)) {
        return report_failure(platform, err);
    }
    return true;
}

}  // namespace kelvarion
