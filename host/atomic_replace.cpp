#include "host/atomic_replace.h"

#include <memory>

namespace kelvarion {
namespace {

bool replace_through_temporary_file(Platform& platform, const std::string& path,
                                    std::string_view bytes, std::string* err) {
    std::string temp_path;
    std::unique_ptr<OutputFile> temp = platform.create_temp_file_beside(path, &temp_path, err);
    if (!temp) return false;

    bool written = temp->write(bytes, err) && temp->flush(err);
    // Closed in every case, so that the file can be deleted; a failing close
    // after a good write means the data may not be on disk.
    std::string close_error;
    const bool closed = temp->close(&close_error);
    temp.reset();
    if (written && !closed) {
        *err = close_error;
        written = false;
    }
    if (written) {
        if (platform.replace_file(temp_path, path, err)) return true;
        // ReplaceFileW can fail after the target has gone (ERROR_UNABLE_TO_
        // MOVE_REPLACEMENT): then the temporary file is the only copy left.
        std::string unused;
        std::string read_error;
        if (!platform.read_file(path, &unused, &read_error)) {
            *err += " The new contents were kept in \"" + temp_path + "\".";
            return false;
        }
    }
    std::string delete_error;  // the first failure is the one to report
    platform.delete_file(temp_path, &delete_error);
    return false;
}

}  // namespace

bool replace_file_contents(Platform& platform, const std::string& path, std::string_view bytes,
                           std::string* err) {
    std::string ignored;
    if (err == nullptr) err = &ignored;
    if (replace_through_temporary_file(platform, path, bytes, err)) return true;
    describe_as_failure_on(path, err);
    return false;
}

void describe_as_failure_on(const std::string& target, std::string* err) {
    const std::string folder = target.substr(0, target.rfind('\\') + 1);
    const size_t colon = err->find(": ");
    if (colon != std::string::npos && err->compare(0, folder.size(), folder) == 0)
        *err = target + err->substr(colon);
}

}  // namespace kelvarion
