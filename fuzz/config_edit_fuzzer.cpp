// libFuzzer entry for the SAS configuration edit: every input is a
// configuration file (after a first byte that chooses the install root), and
// every broken invariant of config_edit_invariants.h stops the run with a
// message, like a crash, so that libFuzzer keeps the input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/config_edit_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string broken = kelvarion::fuzzing::check_config_edit(
        std::string_view(reinterpret_cast<const char*>(data), size));
    if (!broken.empty()) {
        std::fprintf(stderr, "broken invariant: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
