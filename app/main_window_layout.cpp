#include "app/main_window_layout.h"

#include <algorithm>

namespace kelvarion {
namespace {

constexpr int kClientWidthTwips = 5430;
constexpr int kOptionLeft = 120, kOptionWidth = 2055, kOptionHeight = 375;
constexpr int kFrameBottomMargin = 120;  // below the last option button

ControlLayout option_button(const SasVersionInfo& sas, bool first) {
    // The first button starts the group and is the one selected at design.
    return {sas.option,
            ControlKind::OptionButton,
            Control::VersionFrame,
            sas.caption,
            kOptionLeft,
            sas.option_top_twips,
            kOptionWidth,
            kOptionHeight,
            /*starts_group=*/first,
            /*selected=*/first};
}

}  // namespace

WindowLayout main_window_layout(const EditionProfile& edition) {
    const WindowPlaces& places = edition.window;
    std::vector<ControlLayout> early_options, late_options;
    int frame_height = 0;
    for (const SasVersionInfo& sas : kSasVersions) {
        if (!offers(edition, sas.version)) continue;
        const bool first = early_options.empty() && late_options.empty();
        (sas.last_in_tab_order ? late_options : early_options).push_back(option_button(sas, first));
        frame_height =
            std::max(frame_height, sas.option_top_twips + kOptionHeight + kFrameBottomMargin);
    }

    WindowLayout layout{kMainWindowCaption, kClientWidthTwips, places.client_height, {}};
    auto& controls = layout.controls;
    controls.push_back({Control::VersionFrame, ControlKind::Frame, std::nullopt, "SAS version", 240,
                        240, 3375, frame_height});
    controls.insert(controls.end(), early_options.begin(), early_options.end());
    controls.insert(
        controls.end(),
        {
            {Control::InstallButton, ControlKind::CommandButton, Control::ButtonFrame, "Install",
             120, 240, 1215, 375},
            {Control::ExitButton, ControlKind::CommandButton, Control::ButtonFrame, "Exit", 120,
             720, 1215, 375},
            {Control::ButtonFrame, ControlKind::Frame, std::nullopt, "", 3720, 240, 1455, 1215},
            {Control::ProgressFrame, ControlKind::Frame, std::nullopt, "", 240,
             places.progress_frame_top, 4935, 1095},
            {Control::ProgressBar, ControlKind::ProgressBar, Control::ProgressFrame, "", 240, 600,
             4455, 255},
            {Control::StatusLabel, ControlKind::Label, Control::ProgressFrame, "Progressing", 240,
             240, 4455, 255},
            // A buffer the user does not see.
            {Control::ConfigTextBox, ControlKind::TextBox, std::nullopt, "",
             places.config_text_left, places.config_text_top, 9735, 5295},
        });
    controls.insert(controls.end(), late_options.begin(), late_options.end());
    return layout;
}

}  // namespace kelvarion
