#include "host/replacement_file.h"

#include <utility>

namespace kelvarion {

ReplacementFile::ReplacementFile(Platform& platform, std::string target)
    : platform_(platform), target_(std::move(target)) {}

ReplacementFile::~ReplacementFile() {
    if (temp_path_.empty()) return;
    file_.reset();        // closed, so that it can be deleted
    std::string ignored;  // the failure that led here is the one reported
    platform_.delete_file(temp_path_, &ignored);
}

bool ReplacementFile::begin(std::string* err) {
    file_ = platform_.create_temp_file_beside(target_, err);
    if (!file_) return false;
    temp_path_ = file_->path();
    return true;
}

bool ReplacementFile::write(std::string_view bytes, std::string* err) {
    written_ = true;
    return file_->write(bytes, err);
}

bool ReplacementFile::save_shortcut(const ShortcutProperties& properties, std::string* err) {
    return file_->save_shortcut(properties, err);
}

bool ReplacementFile::commit(std::string* err) {
    // On disk before it takes the target's name, bytes and shortcuts alike:
    // after a power loss the target holds its old or its new contents, never
    // an empty file.
    if (!file_->flush(err)) return false;
    // A close that fails after a good write means the data may not be on
    // disk. A shortcut's file was closed by its save.
    if (written_ && !file_->close(err)) return false;
    file_.reset();
    // Success or not, the replace leaves nothing to roll back: it has put the
    // target back and cleared up, or named the one file it kept.
    const std::string temp_path = std::exchange(temp_path_, {});
    return platform_.replace_file(temp_path, target_, err);
}

bool replace_file_contents(Platform& platform, const std::string& path, std::string_view bytes,
                           std::string* err) {
    std::string ignored;
    if (err == nullptr) err = &ignored;
    ReplacementFile replacement(platform, path);
    return replacement.begin(err) && replacement.write(bytes, err) && replacement.commit(err);
}

}  // namespace kelvarion
