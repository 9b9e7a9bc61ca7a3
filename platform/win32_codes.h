#pragma once
// Windows' error codes (winerror.h) that the portable code decides on: the
// replace of a file, and the waits for a file that another program holds.

#include <cstdint>

namespace kelvarion::win32_code {

inline constexpr std::uint32_t kSuccess = 0;
inline constexpr std::uint32_t kInvalidFunction = 1;
inline constexpr std::uint32_t kFileNotFound = 2;
inline constexpr std::uint32_t kPathNotFound = 3;
inline constexpr std::uint32_t kAccessDenied = 5;
inline constexpr std::uint32_t kSharingViolation = 32;
inline constexpr std::uint32_t kLockViolation = 33;
inline constexpr std::uint32_t kFileExists = 80;
inline constexpr std::uint32_t kNotSupported = 50;
inline constexpr std::uint32_t kCallNotImplemented = 120;
inline constexpr std::uint32_t kUnableToRemoveReplaced = 1175;
inline constexpr std::uint32_t kUnableToMoveReplacement = 1176;
inline constexpr std::uint32_t kUnableToMoveReplacement2 = 1177;
inline constexpr std::uint32_t kUserMappedFile = 1224;

}  // namespace kelvarion::win32_code
