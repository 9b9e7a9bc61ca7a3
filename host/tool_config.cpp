#include "host/tool_config.h"

#include "generate/sas_literal.h"
#include "generate/text_file.h"
#include "model/product_layout.h"

namespace kelvarion {

std::vector<std::string> tool_config_lines(const std::string& install_root) {
    return {
        "-awstitle 'QVK - Kelvarion\xE2\x84\xA2'",
        "-autoexec " + sas_literal(autoexec_file(install_root)),
        "-splashloc  " + sas_literal(splash_bitmap(install_root)),
        std::string("-initcmd '") + kStartCommand + "'",
    };
}

bool create_tool_config(Platform& platform, std::string* err) {
    const std::string root = platform.install_root();
    return write_text_file(platform, tool_config_file(root), tool_config_lines(root), root, err);
}

}  // namespace kelvarion
