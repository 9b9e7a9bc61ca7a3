#include "generate/product_folders.h"

#include <string>

#include "model/product_layout.h"

namespace kelvarion {
namespace {

// `folder_of` gives the folder's path for an install root.
void make_under_install_root(Platform& platform, std::string (*folder_of)(const std::string&)) {
    std::string ignored;
    platform.make_folder(folder_of(platform.install_root()), &ignored);
}

// Always the current user's programs folder, whatever the all-users setting.
void make_under_start_menu(Platform& platform, const std::string& relative_name) {
    std::string programs;
    std::string ignored;
    if (!platform.special_folder(SpecialFolder::Programs, &programs, &ignored)) return;
    platform.make_folder(programs + "\\" + relative_name, &ignored);
}

}  // namespace

void create_menu_and_macro_folders(Platform& platform) {
    create_maker_menu_folder(platform);
    create_product_menu_folder(platform);
    make_under_install_root(platform, macro_folder);
}

void create_maker_menu_folder(Platform& platform) {
    make_under_start_menu(platform, kMakerMenuFolder);
}

void create_product_menu_folder(Platform& platform) {
    make_under_start_menu(platform, std::string(kMakerMenuFolder) + "\\" + kProductMenuFolder);
}

void create_data_folder(Platform& platform) { make_under_install_root(platform, data_folder); }

void create_sdtm_folder(Platform& platform) { make_under_install_root(platform, sdtm_folder); }

void create_translib_folder(Platform& platform) {
    make_under_install_root(platform, translib_folder);
}

void create_models_folder(Platform& platform) { make_under_install_root(platform, models_folder); }

}  // namespace kelvarion
