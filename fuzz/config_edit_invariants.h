#pragma once
// What must hold for every SAS configuration edit, whatever the file holds.
// The fuzzer checks these on every input it makes; the native test suite
// checks them on the corpus kept in fuzz/corpus; the benchmark on the bytes
// it writes (bench/sample_configs.h).
//
// For an edit of `file` with the macro folder F:
//  1. A folder that the file's encoding cannot hold is refused, and only
//     then (a file with the UTF-8 byte-order mark can hold anything).
//  2. Removing the inserted text (CR LF, 16 spaces, F in double quotes, and
//     one blank after it where the rest of the "(" line begins with an
//     entry) from the new file gives back the lines of `file` byte for byte,
//     each ended by CR LF; every insertion follows a "(".
//  3. Each list gets at most one insertion: between one line that begins
//     -SET SASAUTOS and the next there is at most one, and none comes before
//     the first such line.
//  4. Current edition (SkipWhenNamed): a second run on the new file finds the
//     folder named and changes nothing. After a legacy edit the current
//     edition finds the folder named too, so an upgrade adds no second copy.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/sas_config_edit.h"

namespace kelvarion::fuzzing {

// Install roots with parentheses, apostrophes, letters outside ASCII (some
// that Windows-1252 cannot hold), a drive root and a network path.
const std::vector<std::string>& install_roots();

// A fuzzer input: its first byte chooses the install root, the rest is the
// configuration file.
struct EditCase {
    std::string_view file;
    std::string macro_folder;  // UTF-8: the root followed by "\saspgm"
};
EditCase edit_case_of(std::string_view input);

const CodePage& windows_1252();

using EditFunction = std::function<SasConfigEdit(std::string_view file, ConfigUpdateRule rule)>;

// Empty when `edit` (the result for `file` under `rule`) keeps every
// invariant; otherwise what it broke. `edit_again` runs the edit on another
// file with the same folder, for the second-run checks.
std::string broken_invariant(std::string_view file, const std::string& macro_folder,
                             ConfigUpdateRule rule, const SasConfigEdit& edit,
                             const EditFunction& edit_again);

// Runs edit_sas_config on the input's file with both rules and checks each
// result. Empty when all holds.
std::string check_config_edit(std::string_view input);

}  // namespace kelvarion::fuzzing
