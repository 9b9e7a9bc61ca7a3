#pragma once
// The controls of frmMain as the window's logic sees them. The logic (app/
// frm_main) drives this abstract view; platform/win32 makes real controls and
// tests use a recording fake.

#include <string>
#include <string_view>

namespace kelvarion {

// Every control of frmMain. The numeric value is the control's Win32 id.
enum class Control : int {
    Frame1 = 100,
    optSas8 = 101,
    optSas9 = 102,
    cmdInstall = 103,
    cmdExit = 104,
    Frame2 = 105,
    Frame3 = 106,
    ProgressBar1 = 107,
    lblTitle = 108,
    Text1 = 109,
    optSas92 = 110,
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

    // ProgressBar1: 0 to 100, kept as the single-precision value last set and
    // shown at once.
    virtual void set_progress(float value) = 0;
    virtual float progress() const = 0;

    virtual void set_mouse_pointer(MousePointer pointer) = 0;

    // Text1: a scratch buffer the user never sees. Keeps the bytes assigned to
    // it unchanged, CR LF included, with no length limit.
    virtual void set_text1(std::string text) = 0;
    virtual const std::string& text1() const = 0;

    // Closes the window; with it the program ends.
    virtual void unload() = 0;
};

}  // namespace kelvarion
