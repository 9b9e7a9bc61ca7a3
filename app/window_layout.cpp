#include "app/window_layout.h"

namespace kelvarion {

std::vector<ControlLayout> main_window_layout(const EditionProfile& edition) {
    const bool legacy = !edition.offers_sas92;
    std::vector<ControlLayout> layout{
        {Control::Frame1, ControlKind::Frame, std::nullopt, "SAS version", 240, 240, 3375,
         legacy ? 1215 : 1695},
        {Control::optSas8, ControlKind::OptionButton, Control::Frame1, "SAS System version 8", 120,
         240, 2055, 375},
        {Control::optSas9, ControlKind::OptionButton, Control::Frame1, "SAS System version 9.1",
         120, 720, 2055, 375},
        {Control::cmdInstall, ControlKind::CommandButton, Control::Frame2, "Install", 120, 240,
         1215, 375},
        {Control::cmdExit, ControlKind::CommandButton, Control::Frame2, "Exit", 120, 720, 1215,
         375},
        {Control::Frame2, ControlKind::Frame, std::nullopt, "", 3720, 240, 1455, 1215},
        {Control::Frame3, ControlKind::Frame, std::nullopt, "", 240, legacy ? 1560 : 2160, 4935,
         1095},
        {Control::ProgressBar1, ControlKind::ProgressBar, Control::Frame3, "", 240, 600, 4455,
         255},
        {Control::lblTitle, ControlKind::Label, Control::Frame3, "Progressing", 240, 240, 4455,
         255},
        // Text1 lies outside the client area (in the legacy edition all but a
        // 30 x 120 twips corner of it): a buffer the user does not see.
        {Control::Text1, ControlKind::TextBox, std::nullopt, "", legacy ? 5400 : 6360,
         legacy ? 2760 : 3360, 9735, 5295},
    };
    if (edition.offers_sas92)
        layout.push_back({Control::optSas92, ControlKind::OptionButton, Control::Frame1,
                          "SAS System version 9.2", 120, 1200, 2055, 375});
    return layout;
}

}  // namespace kelvarion
