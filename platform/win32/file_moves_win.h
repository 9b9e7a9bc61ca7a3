#pragma once
// The operations of a replace (platform/file_replace.h) on Windows' file
// system: ReplaceFileW, MoveFileExW, DeleteFileW, GetFileAttributesW.

#include <string>

#include "platform/file_replace.h"

namespace kelvarion {

class Win32FileMoves : public FileMoves {
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
};

}  // namespace kelvarion
