#include "recorder.h"

#include <atomic>
#include <vector>

#include "answer.h"
#include "input_actions.h"
#include "platform/win32/error_text_win.h"
#include "platform/win32/unique_handle.h"
#include "target_window.h"
#include "window_query.h"

namespace kelvarion::driver {

namespace {

// A critical section held for one scope. Win32 rather than std::mutex, which
// GCC 12's win32 thread model lacks.
class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&section_); }
    ~CriticalSection() { DeleteCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    class Lock {
    public:
        explicit Lock(CriticalSection& owner) : section_(owner.section_) {
            EnterCriticalSection(&section_);
        }
        ~Lock() { LeaveCriticalSection(&section_); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        CRITICAL_SECTION& section_;
    };

private:
    CRITICAL_SECTION section_;
};

// The recording: every change of what the window shows, noted from two
// threads.
class EventLog {
public:
    EventLog(HWND label, HWND install, const Stopwatch& clock)
        : label_(label), install_(install), clock_(clock) {}

    // Notes the caption and Install's state as they are now, with a reading
    // of the bar (-2: none) that was asked for while `since` was the caption
    // (null: asked for now). The program answers a reading only when it
    // pumps messages, so on a loaded machine an answer can arrive a step or
    // more after it was asked for: the event carries both captions, and the
    // value lies between what the two steps show. A new caption without a
    // reading of its own has position -1 (unknown), never the last step's.
    void note(int position = -2, const std::string* since = nullptr) {
        CriticalSection::Lock lock(section_);
        std::string text = quick_text(label_);
        int enabled = IsWindowEnabled(install_) ? 1 : 0;
        int pos = position != -2 ? position : text == caption_ ? position_ : -1;
        // Without a new reading the last one stands, with the caption it was
        // asked under, as long as the caption is the same.
        std::string asked =
            position != -2 ? (since ? *since : text) : (text == caption_ ? since_ : text);
        if (text == caption_ && pos == position_ && asked == since_ && enabled == install_enabled_)
            return;
        caption_ = text;
        position_ = pos;
        since_ = asked;
        install_enabled_ = enabled;
        events_.push_back(JsonObject()
                              .add("t", clock_.elapsed_ms())
                              .add("caption", caption_)
                              .add("pos", position_)
                              .add("since", since_)
                              .add("install_enabled", enabled == 1)
                              .str());
    }
    HWND label() const { return label_; }
    std::string caption() {
        CriticalSection::Lock lock(section_);
        return caption_;
    }
    bool install_enabled() {
        CriticalSection::Lock lock(section_);
        return install_enabled_ == 1;
    }
    std::string json() {
        CriticalSection::Lock lock(section_);
        return json_array(events_);
    }

private:
    HWND label_, install_;
    const Stopwatch& clock_;
    CriticalSection section_;
    std::vector<std::string> events_;
    std::string caption_;
    std::string since_;  // the caption when the reading in position_ was asked for
    int position_ = -1;
    int install_enabled_ = -1;
};

// Keeps one PBM_GETPOS request waiting at all times and notes every answer.
// The program answers only when its thread pumps messages, so a position may
// be noted late; the caption, which Windows keeps for every window, is read
// without waiting.
class PositionReader {
public:
    PositionReader(HWND bar, EventLog& log)
        : bar_(bar), log_(log), thread_(CreateThread(nullptr, 0, run, this, 0, nullptr)) {}
    ~PositionReader() {
        stop_ = true;
        if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
    }
    PositionReader(const PositionReader&) = delete;
    PositionReader& operator=(const PositionReader&) = delete;

    bool started() const { return bool(thread_); }

private:
    static DWORD WINAPI run(void* self) {
        static_cast<PositionReader*>(self)->read_until_stopped();
        return 0;
    }
    void read_until_stopped() {
        while (!stop_ && IsWindow(bar_)) {
            const std::string since = quick_text(log_.label());
            auto position = progress_position(bar_);
            if (position) log_.note(*position, &since);
        }
    }
    HWND bar_;
    EventLog& log_;
    std::atomic<bool> stop_{false};
    UniqueKernelHandle thread_;
};

}  // namespace

std::string record_sequence(HWND main_window, const TargetProcess& target, Stopwatch& since_action,
                            const RecordOptions& options) {
    HWND bar = find_control(main_window, kProgressBarId);
    HWND label = find_control(main_window, kCaptionLabelId);
    HWND install = find_control(main_window, kInstallButtonId);
    if (!bar || !label || !install) return failure("progress bar, caption or Install missing");

    // Marked before the reader thread starts, which reads the clock.
    if (options.action) since_action.mark();
    EventLog log(label, install, since_action);
    std::string end = "timeout";
    double pressed_at = -1;
    Stopwatch recording;
    {
        PositionReader reader(bar, log);
        if (!reader.started())
            return failure("could not start the position reader: CreateThread: " +
                           last_error_text());
        if (options.action) {
            // The window as it was before the action, read directly: the user
            // acts on an idle window, which answers at once. Only then the
            // action, so that no change it causes can pass unrecorded.
            auto before = progress_position(bar);
            log.note(before ? *before : -1);
            std::string error = options.action();
            if (!error.empty()) return failure(error);
        }
        for (;;) {
            if (!IsWindow(main_window)) {
                end = "closed";
                break;
            }
            log.note();
            if (pressed_at < 0 && !options.press_caption.empty() &&
                log.caption() == options.press_caption) {
                std::string err;
                if (press_key(main_window, options.press_vk, KeyMethod::Post, &err))
                    pressed_at = since_action.elapsed_ms();
            }
            if (find_dialog(target.pid())) {
                end = "msgbox";
                break;
            }
            if (!options.stop_prefix.empty() && log.caption().rfind(options.stop_prefix, 0) == 0 &&
                log.install_enabled()) {
                end = "caption";
                break;
            }
            if (recording.elapsed_ms() > options.timeout_ms) break;
            Sleep(1);
        }
    }
    // At the end the program pumps messages (a message box or its idle loop),
    // so a direct read gives the position it shows then.
    if (end == "msgbox" || end == "caption") {
        auto pos = progress_position(bar);
        log.note(pos ? *pos : -1);
    }
    JsonObject json = answer(end == "msgbox" || end == "caption");
    json.add("end", end).add_raw("events", log.json());
    if (pressed_at >= 0) json.add("pressed_at", pressed_at);
    return json.str();
}

}  // namespace kelvarion::driver
