#include "fake_view.h"

#include <sstream>

namespace kelvarion::testing {

const char* control_name(Control control) {
    switch (control) {
        case Control::Frame1: return "Frame1";
        case Control::optSas8: return "optSas8";
        case Control::optSas9: return "optSas9";
        case Control::cmdInstall: return "cmdInstall";
        case Control::cmdExit: return "cmdExit";
        case Control::Frame2: return "Frame2";
        case Control::Frame3: return "Frame3";
        case Control::ProgressBar1: return "ProgressBar1";
        case Control::lblTitle: return "lblTitle";
        case Control::Text1: return "Text1";
        case Control::optSas92: return "optSas92";
    }
    return "?";
}

FakeView::FakeView() {
    for (Control c : {Control::Frame1, Control::optSas8, Control::optSas9, Control::cmdInstall,
                      Control::cmdExit, Control::Frame2, Control::Frame3, Control::ProgressBar1,
                      Control::lblTitle, Control::Text1, Control::optSas92})
        enabled_[c] = true;
    selected_[Control::optSas8] = true;
    selected_[Control::optSas9] = false;
    selected_[Control::optSas92] = false;
    captions_[Control::lblTitle] = "Progressing";
}

void FakeView::record(const std::string& entry) {
    log.push_back(entry);
    if (on_change) on_change(entry);
}

void FakeView::set_enabled(Control control, bool enabled) {
    enabled_[control] = enabled;
    record(std::string("enabled ") + control_name(control) + (enabled ? " 1" : " 0"));
}

bool FakeView::enabled(Control control) const { return enabled_.at(control); }

void FakeView::set_selected(Control option, bool selected) {
    if (selected)
        for (auto& [c, s] : selected_) s = false;
    selected_[option] = selected;
    record(std::string("selected ") + control_name(option) + (selected ? " 1" : " 0"));
}

bool FakeView::selected(Control option) const { return selected_.at(option); }

void FakeView::set_caption(Control label, std::string_view text) {
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

void FakeView::set_text1(std::string text) {
    text1_ = std::move(text);
    record("text1 " + std::to_string(text1_.size()));
}

void FakeView::unload() {
    unloaded = true;
    record("unload");
}

}  // namespace kelvarion::testing
