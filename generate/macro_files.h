#pragma once
// The six macro files in the macro folder (<install root>\saspgm). Each
// defines one SAS macro, named after its file, whose body runs one SCL entry
// of the product's catalog "kelvarion" (which lies in the same folder) with
// PROC DISPLAY. autoexec.sas includes all six.

#include <string>
#include <vector>

#include "platform/platform.h"

namespace kelvarion {

// Each file's lines, without line ends. The install root stands in the
// library statement's SAS literal, its apostrophes doubled (sas_literal.h).
std::vector<std::string> contents_macro_lines(const std::string& install_root);
std::vector<std::string> finddup_macro_lines(const std::string& install_root);
std::vector<std::string> join_macro_lines(const std::string& install_root);
std::vector<std::string> print_model_macro_lines(const std::string& install_root);
std::vector<std::string> trans_macro_lines(const std::string& install_root);
std::vector<std::string> verification_rep_macro_lines(const std::string& install_root);

// Installation steps: each writes its file into the macro folder, which
// create_autoexec has made; on failure it shows the failure box and returns
// false. None of them creates a folder.
bool create_contents_macro(Platform& platform);
bool create_finddup_macro(Platform& platform);
bool create_join_macro(Platform& platform);
bool create_print_model_macro(Platform& platform);
bool create_trans_macro(Platform& platform);
bool create_verification_rep_macro(Platform& platform);

}  // namespace kelvarion
