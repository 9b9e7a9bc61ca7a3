#pragma once
// The main window's controls as the window's logic sees them. The logic
// (app/main_window) drives this abstract view; platform/win32 makes real
// controls from a WindowLayout (platform/window_layout.h) and tests use a
// recording fake.

#include <string>
#include <string_view>

namespace kelvarion {

// Every control of the main window. The numeric value is the control's Win32
// id, which the end-to-end tests find the controls by.
enum class Control : int {
    VersionFrame = 100,
    Sas8Option = 101,
    Sas91Option = 102,
    InstallButton = 103,
    ExitButton = 104,
    ButtonFrame = 105,
    ProgressFrame = 106,
    ProgressBar = 107,
    StatusLabel = 108,
    ConfigTextBox = 109,
    Sas92Option = 110,
};

enum class MousePointer : int { Default = 0, Hourglass = 11 };

class MainView {
public:
    virtual ~MainView() = default;

    virtual void set_enabled(Control control, bool enabled) = 0;
    virtual bool enabled(Control control) const = 0;

    // Option buttons form one group: selecting one clears the others.
    // Disabling a button never changes which one is selected.
    virtual void set_selected(Control option, bool selected) = 0;
    virtual bool selected(Control option) const = 0;

    // Label caption; shown at once, even while the handler keeps the thread.
    virtual void set_caption(Control label, std::string_view text) = 0;
    virtual std::string caption(Control label) const = 0;

    // The progress bar: 0 to 100, kept as the single-precision value last set
    // and shown at once.
    virtual void set_progress(float value) = 0;
    virtual float progress() const = 0;

    virtual void set_mouse_pointer(MousePointer pointer) = 0;

    // The configuration text box, which the user never sees: it holds the SAS
    // configuration file's text as the last installation read and edited it.
    // Keeps the bytes assigned to it unchanged, CR LF included, with no length
    // limit.
    virtual void set_config_text(std::string text) = 0;
    virtual const std::string& config_text() const = 0;

    // Closes the window; with it the program ends.
    virtual void unload() = 0;
};

}  // namespace kelvarion
