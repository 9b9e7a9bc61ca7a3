#include "tests/fakes/fake_view.h"

#include <sstream>
#include <stdexcept>

namespace kelvarion::testing {

const char* control_name(Control control) {
    switch (control) {
        case Control::VersionFrame: return "VersionFrame";
        case Control::Sas8Option: return "Sas8Option";
        case Control::Sas91Option: return "Sas91Option";
        case Control::InstallButton: return "InstallButton";
        case Control::ExitButton: return "ExitButton";
        case Control::ButtonFrame: return "ButtonFrame";
        case Control::ProgressFrame: return "ProgressFrame";
        case Control::ProgressBar: return "ProgressBar";
        case Control::StatusLabel: return "StatusLabel";
        case Control::ConfigTextBox: return "ConfigTextBox";
        case Control::Sas92Option: return "Sas92Option";
    }
    return "?";
}

FakeView::FakeView(const WindowLayout& layout) {
    for (const ControlLayout& control : layout.controls) {
        enabled_[control.id] = true;
        if (control.kind == ControlKind::OptionButton) selected_[control.id] = control.selected;
        if (*control.caption) captions_[control.id] = control.caption;
    }
}

void FakeView::require(Control control) const {
    if (!enabled_.count(control))
        throw std::out_of_range(std::string("the window has no control ") + control_name(control));
}

void FakeView::record(const std::string& entry) {
    log.push_back(entry);
    if (on_change) on_change(entry);
}

void FakeView::set_enabled(Control control, bool enabled) {
    require(control);
    enabled_[control] = enabled;
    record(std::string("enabled ") + control_name(control) + (enabled ? " 1" : " 0"));
}

bool FakeView::enabled(Control control) const { return enabled_.at(control); }

void FakeView::set_selected(Control option, bool selected) {
    require(option);
    if (selected)
        for (auto& [c, s] : selected_) s = false;
    selected_[option] = selected;
    record(std::string("selected ") + control_name(option) + (selected ? " 1" : " 0"));
}

bool FakeView::selected(Control option) const { return selected_.at(option); }

void FakeView::set_caption(Control label, std::string_view text) {
    require(label);
    captions_[label] = std::string(text);
    record("caption " + std::string(text));
}

std::string FakeView::caption(Control label) const {
    const auto it = captions_.find(label);
    return it == captions_.end() ? std::string() : it->second;
}

void FakeView::set_progress(float value) {
    progress_ = value;
    std::ostringstream s;
    s << "progress " << value;
    record(s.str());
}

void FakeView::set_mouse_pointer(MousePointer p) {
    pointer = p;
    record("pointer " + std::to_string(static_cast<int>(p)));
}

void FakeView::set_config_text(std::string text) {
    config_text_ = std::move(text);
    record("config_text " + std::to_string(config_text_.size()));
}

void FakeView::unload() {
    unloaded = true;
    record("unload");
}

}  // namespace kelvarion::testing
