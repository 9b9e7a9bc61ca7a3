#pragma once
// The product's seven folders (model/product_layout.h): the maker's and the
// product's folder in the current user's Start-menu programs folder, and the
// macro folder and the four data folders under the install root.
//
// Best-effort and silent: every failure (the folder is there already, its
// parent is missing, access is denied, the base cannot be read) ends only the
// procedure that met it. A missing folder shows up later, when a step that
// writes into it fails and reports that failure itself.

#include "platform/platform.h"

namespace kelvarion {

// Makes the two Start-menu folders, then the macro folder.
void create_menu_and_macro_folders(Platform& platform);
void create_maker_menu_folder(Platform& platform);    // Programs\<maker>
void create_product_menu_folder(Platform& platform);  // Programs\<maker>\<product>
void create_data_folder(Platform& platform);          // <install root>\data
void create_sdtm_folder(Platform& platform);          // <install root>\data\sdtm
void create_translib_folder(Platform& platform);      // <install root>\data\translib
void create_models_folder(Platform& platform);        // <install root>\data\models

}  // namespace kelvarion
