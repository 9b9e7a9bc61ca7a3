#include "generate/product_folders.h"

#include <string>

namespace kelvarion {
namespace {

// Paths are the base and a relative name that begins with a backslash, joined
// as they are: a drive root gives a doubled backslash, which Windows accepts.
void make_under_install_root(Platform& platform, const char* relative_name) {
    std::string ignored;
    platform.make_folder(platform.install_root() + relative_name, &ignored);
}

// Always the current user's programs folder, whatever the all-users setting.
void make_under_start_menu(Platform& platform, const char* relative_name) {
    std::string programs;
    std::string ignored;
    if (!platform.special_folder(SpecialFolder::Programs, &programs, &ignored)) return;
    platform.make_folder(programs + relative_name, &ignored);
}

}  // namespace

void create_saspgm_folder(Platform& platform) {
    create_maker_menu_folder(platform);
    create_product_menu_folder(platform);
    make_under_install_root(platform, "\\saspgm");
}

void create_maker_menu_folder(Platform& platform) {
    make_under_start_menu(platform, "\\Corvantis");
}

void create_product_menu_folder(Platform& platform) {
    make_under_start_menu(platform, "\\Corvantis\\KELVARION");
}

void create_data_folder(Platform& platform) { make_under_install_root(platform, "\\data"); }

void create_sdtm_folder(Platform& platform) { make_under_install_root(platform, "\\data\\sdtm"); }

void create_translib_folder(Platform& platform) {
    make_under_install_root(platform, "\\data\\translib");
}

void create_models_folder(Platform& platform) {
    make_under_install_root(platform, "\\data\\models");
}

}  // namespace kelvarion
