#include "host/tool_config.h"

#include "generate/sas_literal.h"
#include "generate/text_file.h"

namespace kelvarion {

namespace {
constexpr const char* kToolConfigName = "\\kelvarion.cfg";
}  // namespace

std::vector<std::string> tool_config_lines(const std::string& install_root) {
    return {
        "-awstitle 'QVK - Kelvarion\xE2\x84\xA2'",
        "-autoexec " + sas_literal(install_root + "\\saspgm\\autoexec.sas"),
        "-splashloc  " + sas_literal(install_root + "\\splsh.bmp"),
        "-initcmd 'af cat = pgmlib.kelvarion.trans_manager.frame'",
    };
}

bool create_tool_config(Platform& platform, std::string* err) {
    const std::string root = platform.install_root();
    return write_text_file(platform, root + kToolConfigName, tool_config_lines(root), root, err);
}

}  // namespace kelvarion
