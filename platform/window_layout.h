#pragma once
// A window's design as the Win32 view lays it out: caption, client size and
// every control's place in twips (1/1440 inch), relative to its container's
// client area, in tab order. The view scales twips by the screen's DPI.

#include <optional>
#include <string>
#include <vector>

#include "platform/main_view.h"

namespace kelvarion {

enum class ControlKind { Frame, OptionButton, CommandButton, ProgressBar, Label, TextBox };

struct ControlLayout {
    Control id;
    ControlKind kind;
    std::optional<Control> container;  // none: the window itself
    const char* caption;               // "" for none
    int left, top, width, height;      // twips
    bool starts_group = false;         // first option button of its group
    bool selected = false;             // option button checked at design
};

struct WindowLayout {
    std::string caption;
    int client_width_twips = 0;
    int client_height_twips = 0;
    std::vector<ControlLayout> controls;  // in tab order
};

}  // namespace kelvarion
