#pragma once
// The operations of a replace (platform/file_replace.h) on Windows' file
// system: ReplaceFileW, MoveFileExW, DeleteFileW, GetFileAttributesW, whole
// files read and written, and the wait that keeps the window painted.

#include <string>

#include "platform/file_replace.h"

namespace kelvarion {

class Win32FileOperations : public FileOperations {
public:
    // Gives the replacement the target's hidden, system, archive and
    // not-indexed attributes first: ReplaceFileW carries them over on Windows
    // but not on Wine.
    std::uint32_t replace(const std::string& target, const std::string& replacement,
                          const std::string& backup) override;
    // With MOVEFILE_REPLACE_EXISTING, so that it works over an existing file
    // where ReplaceFileW is not supported.
    std::uint32_t move(const std::string& from, const std::string& to) override;
    std::uint32_t remove(const std::string& path) override;
    std::uint32_t attributes_error(const std::string& path) override;
    bool read_only_or_folder(const std::string& path) override;
    std::uint32_t read(const std::string& path, std::string* bytes) override;
    std::uint32_t write_new(const std::string& path, std::string_view bytes) override;
    // OPEN_EXISTING with FILE_SHARE_READ | FILE_SHARE_WRITE, then emptied:
    // the file keeps its attributes and security.
    RewriteResult rewrite(const std::string& path, std::string_view bytes) override;
    void wait(int milliseconds) override;
    std::string failure_text(const std::string& path, std::uint32_t code) override;
};

}  // namespace kelvarion
