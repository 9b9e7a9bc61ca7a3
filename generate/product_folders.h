#pragma once
// The product's seven folders: Corvantis\KELVARION in the current user's
// Start-menu programs folder, and saspgm, data, data\sdtm, data\translib and
// data\models under the install root.
//
// Best-effort and silent: every failure (the folder is there already, its
// parent is missing, access is denied, the base cannot be read) ends only the
// procedure that met it. A missing folder shows up later, when a step that
// writes into it fails and reports that failure itself.

#include "platform/platform.h"

namespace kelvarion {

// Makes the two Start-menu folders, then <install root>\saspgm.
void create_saspgm_folder(Platform& platform);
void create_maker_menu_folder(Platform& platform);    // Programs\Corvantis
void create_product_menu_folder(Platform& platform);  // Programs\Corvantis\KELVARION
void create_data_folder(Platform& platform);          // <install root>\data
void create_sdtm_folder(Platform& platform);          // <install root>\data\sdtm
void create_translib_folder(Platform& platform);      // <install root>\data\translib
void create_models_folder(Platform& platform);        // <install root>\data\models

}  // namespace kelvarion
