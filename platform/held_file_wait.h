#pragma once
// Other programs open the files we write for a moment: on-access scanners,
// the search indexer, backup and sync clients, an editor. Windows then
// refuses our call (held_by_another_program), or says "Access is denied."
// for a rename or delete of a file being scanned or deleted. Such a refusal
// is tried again for about two seconds before it is reported. The
// rule is one plain function, so that it is tested over the codes and the
// time; the waits are the platform's (on Windows the window stays painted).

#include <cstdint>
#include <functional>

namespace kelvarion {

enum class FileCall {
    Open,    // reading, creating or writing a file, saving a shortcut
    Rename,  // a replace, a rename or a delete: the name itself changes
};

// What the Platform's own file calls (platform.h) count as, on Windows and in
// the tests' fake alike. The calls of a replace count as what they do, inside
// the replace (file_replace.cpp).
inline constexpr FileCall kReadFileCall = FileCall::Open;
inline constexpr FileCall kCreateFileCall = FileCall::Open;    // and create_temp_file_beside
inline constexpr FileCall kSaveShortcutCall = FileCall::Open;  // and its flush
inline constexpr FileCall kDeleteFileCall = FileCall::Rename;

// Windows' ways of saying that another program has the file open: a sharing
// or lock violation; from ReplaceFileW, 1175 (ERROR_UNABLE_TO_REMOVE_REPLACED:
// it opens the target for delete, which a scanner reading it without sharing
// delete refuses; Wine answers 32 instead), after which both files keep their
// names; and 1224 (ERROR_USER_MAPPED_FILE), a view of the file mapped into
// another program's memory, which refuses the truncation of a write in place
// before any byte changes.
bool held_by_another_program(std::uint32_t code);

// The longest wait in all, and the first and longest single steps.
inline constexpr int kHeldFileWaitMilliseconds = 2000;
inline constexpr int kFirstHeldFileStepMilliseconds = 50;
inline constexpr int kLongestHeldFileStepMilliseconds = 500;

// The wait before trying `call` again after it failed with `code`, when
// `waited` milliseconds have been waited for it already; 0: report the
// failure now. Steps double from the first, none longer than the longest,
// and all of them together make the whole wait. "Access is denied." is waited
// out only for a rename whose target can be written: a read-only file or a
// folder refuses for good.
int held_file_wait(FileCall call, std::uint32_t code, bool target_read_only_or_folder, int waited);

// Runs `attempt` (0 or the system's error code) until it succeeds or its
// failure is not one to wait out, calling `wait` between tries. The target's
// state is asked only for "Access is denied.". Returns the last code.
std::uint32_t retry_while_held(FileCall call, const std::function<std::uint32_t()>& attempt,
                               const std::function<void(int milliseconds)>& wait,
                               const std::function<bool()>& target_read_only_or_folder = {});

}  // namespace kelvarion
