#include "app/main_window_layout.h"

namespace kelvarion {
namespace {
constexpr int kClientWidthTwips = 5430;
}  // namespace

WindowLayout main_window_layout(const EditionProfile& edition) {
    const bool legacy = !edition.offers_sas92;
    WindowLayout layout{kMainWindowCaption, kClientWidthTwips, edition.client_height_twips, {}};
    layout.controls = {
        {Control::VersionFrame, ControlKind::Frame, std::nullopt, "SAS version", 240, 240, 3375,
         legacy ? 1215 : 1695},
        // The SAS 8 button starts the group and is the one selected at design.
        {Control::Sas8Option, ControlKind::OptionButton, Control::VersionFrame,
         "SAS System version 8", 120, 240, 2055, 375, /*starts_group=*/true, /*selected=*/true},
        {Control::Sas91Option, ControlKind::OptionButton, Control::VersionFrame,
         "SAS System version 9.1", 120, 720, 2055, 375},
        {Control::InstallButton, ControlKind::CommandButton, Control::ButtonFrame, "Install", 120,
         240, 1215, 375},
        {Control::ExitButton, ControlKind::CommandButton, Control::ButtonFrame, "Exit", 120, 720,
         1215, 375},
        {Control::ButtonFrame, ControlKind::Frame, std::nullopt, "", 3720, 240, 1455, 1215},
        {Control::ProgressFrame, ControlKind::Frame, std::nullopt, "", 240, legacy ? 1560 : 2160,
         4935, 1095},
        {Control::ProgressBar, ControlKind::ProgressBar, Control::ProgressFrame, "", 240, 600, 4455,
         255},
        {Control::StatusLabel, ControlKind::Label, Control::ProgressFrame, "Progressing", 240, 240,
         4455, 255},
        // The scratch text box lies outside the client area (in the legacy
        // edition all but a 30 x 120 twips corner of it): a buffer the user
        // does not see.
        {Control::ScratchText, ControlKind::TextBox, std::nullopt, "", legacy ? 5400 : 6360,
         legacy ? 2760 : 3360, 9735, 5295},
    };
    if (edition.offers_sas92)
        layout.controls.push_back({Control::Sas92Option, ControlKind::OptionButton,
                                   Control::VersionFrame, "SAS System version 9.2", 120, 1200, 2055,
                                   375});
    return layout;
}

}  // namespace kelvarion
