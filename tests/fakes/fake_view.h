#pragma once
// A recording stand-in for the Win32 window: keeps every control's state and a
// log of what was set, in order ("caption Creating join.sas ...", "progress 30",
// "pointer 11", "enabled InstallButton 0", "unload").

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/main_view.h"
#include "platform/window_layout.h"

namespace kelvarion::testing {

const char* control_name(Control control);

class FakeView : public MainView {
public:
    // The window's controls as the layout designs them: all enabled, the
    // option button selected at design, the captions, the bar at 0. A
    // control the layout lacks is not there: using it throws.
    explicit FakeView(const WindowLayout& layout);

    void set_enabled(Control control, bool enabled) override;
    bool enabled(Control control) const override;
    void set_selected(Control option, bool selected) override;
    bool selected(Control option) const override;
    void set_caption(Control label, std::string_view text) override;
    std::string caption(Control label) const override;
    void set_progress(float value) override;
    float progress() const override { return progress_; }
    void set_mouse_pointer(MousePointer pointer) override;
    void set_config_text(std::string text) override;
    const std::string& config_text() const override { return config_text_; }
    void unload() override;

    MousePointer pointer = MousePointer::Default;
    bool unloaded = false;
    std::vector<std::string> log;
    // Called after each change is logged, so a test can look at the state
    // while a handler runs.
    std::function<void(const std::string&)> on_change;

private:
    void record(const std::string& entry);
    void require(Control control) const;
    std::map<Control, bool> enabled_;
    std::map<Control, bool> selected_;
    std::map<Control, std::string> captions_;
    float progress_ = 0;
    std::string config_text_;
};

}  // namespace kelvarion::testing
