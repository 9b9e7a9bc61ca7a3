#include "platform/file_replace.h"

#include "platform/held_file_wait.h"

namespace kelvarion {
namespace {

// Where ReplaceFileW cannot work at all (some network file systems), nothing
// has moved and a rename does the job in one step.
bool replace_unsupported(std::uint32_t code) {
    return code == win32_code::kInvalidFunction || code == win32_code::kNotSupported ||
           code == win32_code::kCallNotImplemented;
}

// The file operations, each tried again while another program holds its file.
class HeldFileCalls {
public:
    explicit HeldFileCalls(FileOperations& files) : files_(files) {}

    std::uint32_t replace(const std::string& target, const std::string& replacement,
                          const std::string& backup) {
        return retried_as_rename(target,
                                 [&] { return files_.replace(target, replacement, backup); });
    }
    std::uint32_t move(const std::string& from, const std::string& to) {
        return retried_as_rename(to, [&] { return files_.move(from, to); });
    }
    std::uint32_t remove(const std::string& path) {
        return retried_as_rename(path, [&] { return files_.remove(path); });
    }
    void remove_if_present(const std::string& path) {
        if (!is_absent(files_.attributes_error(path))) remove(path);
    }
    std::uint32_t read(const std::string& path, std::string* bytes) {
        return retried_as_open([&] { return files_.read(path, bytes); });
    }
    std::uint32_t write_new(const std::string& path, std::string_view bytes) {
        return retried_as_open([&] { return files_.write_new(path, bytes); });
    }
    RewriteResult rewrite(const std::string& path, std::string_view bytes) {
        bool changed = false;
        const std::uint32_t code = retried_as_open([&] {
            const RewriteResult tried = files_.rewrite(path, bytes);
            changed = changed || tried.changed;
            return tried.code;
        });
        return {code, changed};
    }

private:
    template <class Call>
    std::uint32_t retried_as_rename(const std::string& target, Call call) {
        return retry_while_held(FileCall::Rename, call, waiting(),
                                [&] { return files_.read_only_or_folder(target); });
    }
    template <class Call>
    std::uint32_t retried_as_open(Call call) {
        return retry_while_held(FileCall::Open, call, waiting());
    }
    std::function<void(int)> waiting() {
        return [this](int milliseconds) { files_.wait(milliseconds); };
    }

    FileOperations& files_;
};

// Names `path` as the file that holds the original, as seen or not
// (`attributes_error`: its state as just asked).
void keep(const std::string& path, std::uint32_t attributes_error, PutInPlaceResult* result) {
    result->kept = path;
    result->kept_seen = attributes_error == win32_code::kSuccess;
}

std::string kept_note(const PutInPlaceResult& result) {
    if (result.kept.empty()) return {};
    const char* const note = result.kept_seen ? " Its contents were kept in \""
                                              : " Its contents may have been kept in \"";
    return note + result.kept + "\".";
}

// The replace was refused for as long as we waited, but the program holding
// the target may let others write to it: then the new bytes go in place,
// with a copy of the original beside it (original_copy_name), flushed before
// the target is emptied and removed once the new bytes are on disk. Sets
// `result` only where it gets further than the refused replace.
void write_in_place(HeldFileCalls& calls, const std::string& target,
                    const std::string& replacement, PutInPlaceResult* result) {
    const std::string copy = original_copy_name(target);
    std::string new_bytes;
    std::string old_bytes;
    if (calls.read(replacement, &new_bytes) != win32_code::kSuccess ||
        calls.read(target, &old_bytes) != win32_code::kSuccess) {
        return;
    }
    const std::uint32_t copied = calls.write_new(copy, old_bytes);
    if (copied != win32_code::kSuccess) {
        // A copy begun and stopped goes; one that was there before is an
        // earlier run's, and may be the only original of another file.
        if (copied != win32_code::kFileExists) calls.remove_if_present(copy);
        return;
    }
    const RewriteResult written = calls.rewrite(target, new_bytes);
    result->code = written.code;
    // Part-written: the original bytes go back, or the copy stays, named
    // (made just now, so seen).
    if (written.code != win32_code::kSuccess && written.changed &&
        calls.rewrite(target, old_bytes).code != win32_code::kSuccess) {
        keep(copy, win32_code::kSuccess, result);
        return;
    }
    calls.remove_if_present(copy);
}

}  // namespace

std::string original_copy_name(const std::string& target) {
    return target + ".kelvarion-original";
}

bool is_absent(std::uint32_t attributes_error) {
    return attributes_error == win32_code::kFileNotFound ||
           attributes_error == win32_code::kPathNotFound;
}

std::string free_backup_name(FileOperations& files, const std::string& replacement) {
    const size_t dot = replacement.rfind('.');
    const size_t slash = replacement.rfind('\\');
    const bool has_extension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = has_extension ? replacement.substr(0, dot) : replacement;
    std::string name = stem + ".bak";
    for (int n = 2; !is_absent(files.attributes_error(name)) && n < 1000; ++n)
        name = stem + "-" + std::to_string(n) + ".bak";
    return name;
}

PutInPlaceResult put_in_place(FileOperations& files, const std::string& target,
                              const std::string& replacement, const std::string& backup) {
    HeldFileCalls calls(files);
    PutInPlaceResult result;
    if (is_absent(files.attributes_error(target))) {
        // Nothing to keep: ReplaceFileW needs a target, a rename puts the
        // file in place. A rename that fails has moved nothing.
        result.code = calls.move(replacement, target);
        if (result.code != win32_code::kSuccess) calls.remove_if_present(replacement);
        return result;
    }
    result.code = calls.replace(target, replacement, backup);
    if (replace_unsupported(result.code)) result.code = calls.move(replacement, target);
    if (result.code == win32_code::kSuccess) {
        calls.remove_if_present(backup);
        return result;
    }

    // Stopped, perhaps half-way: the target must be back under its own name,
    // the original from the backup if it went there, else the new bytes.
    std::uint32_t target_state = files.attributes_error(target);
    if (is_absent(target_state)) {
        const bool restored = !is_absent(files.attributes_error(backup)) &&
                              calls.move(backup, target) == win32_code::kSuccess;
        if (!restored && calls.move(replacement, target) != win32_code::kSuccess) {
            // Neither could be moved: leave both, and say where the original is.
            const std::uint32_t backup_state = files.attributes_error(backup);
            if (is_absent(backup_state))
                keep(replacement, files.attributes_error(replacement), &result);
            else
                keep(backup, backup_state, &result);
            return result;
        }
        target_state = files.attributes_error(target);  // moved there just now
    }
    if (target_state != win32_code::kSuccess) {
        // The target is not seen under its own name, so the backup may hold
        // the only copy of the original: it stays, named.
        const std::uint32_t backup_state = files.attributes_error(backup);
        if (!is_absent(backup_state)) keep(backup, backup_state, &result);
        calls.remove_if_present(replacement);
        return result;
    }
    if (held_by_another_program(result.code) && is_absent(files.attributes_error(backup)))
        write_in_place(calls, target, replacement, &result);
    // Nothing named here is the backup: a kept file is the write in place's copy.
    calls.remove_if_present(backup);
    calls.remove_if_present(replacement);
    return result;
}

bool replace_file(FileOperations& files, const std::string& replacement,
                  const std::string& target, std::string* err) {
    const PutInPlaceResult result =
        put_in_place(files, target, replacement, free_backup_name(files, replacement));
    if (result.code == win32_code::kSuccess) return true;
    if (err) *err = files.failure_text(target, result.code) + kept_note(result);
    return false;
}

}  // namespace kelvarion
