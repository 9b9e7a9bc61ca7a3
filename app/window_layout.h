#pragma once
// The design of frmMain: caption, client size and every control's place in
// twips (1/1440 inch), relative to its container's client area, in tab order.
// The Win32 view scales these by the screen's DPI.

#include <optional>
#include <vector>

#include "app/main_view.h"
#include "editions/edition_profile.h"

namespace kelvarion {

inline constexpr const char* kMainWindowCaption = "Kelvarion installation";
inline constexpr int kClientWidthTwips = 5430;

enum class ControlKind { Frame, OptionButton, CommandButton, ProgressBar, Label, TextBox };

struct ControlLayout {
    Control id;
    ControlKind kind;
    std::optional<Control> container;  // none: the window itself
    const char* caption;               // "" for none
    int left, top, width, height;      // twips
};

// The edition's controls, in tab order (tab index = position in the vector,
// except that the legacy edition has no tab index 10 at all).
std::vector<ControlLayout> main_window_layout(const EditionProfile& edition);

}  // namespace kelvarion
