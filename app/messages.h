#pragma once
// The texts the program shows in its message boxes and status label, besides
// the step captions (app/installation_steps.cpp) and the descriptions of
// failures (from the platform and the steps).

namespace kelvarion {

inline constexpr const char* kErrorTitle = "Error!";
inline constexpr const char* kRegistryReadFailure = "Can not read data from registry";
inline constexpr const char* kNoticeTitle = "Notice";
inline constexpr const char* kCompletedNotice = "Completed creating shortcut and macro files!";
inline constexpr const char* kCompletedCaption = "Installation completed.";

}  // namespace kelvarion
