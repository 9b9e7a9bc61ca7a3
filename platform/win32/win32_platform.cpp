#include "platform/win32/win32_platform.h"

#include "platform/win32/files_win.h"
#include "platform/win32/queued_input_win.h"
#include "platform/win32/strconv_win.h"

namespace kelvarion {

std::string Win32Platform::install_root() { return win32_install_root(); }

std::string Win32Platform::program_name() { return win32_program_name(); }

bool Win32Platform::make_folder(const std::string& path, std::string* err) {
    return win32_make_folder(path, err);
}

DeleteResult Win32Platform::delete_file(const std::string& path, std::string* err) {
    return win32_delete_file(path, err);
}

bool Win32Platform::read_file(const std::string& path, std::string* bytes, std::string* err) {
    return win32_read_file(path, bytes, err);
}

std::unique_ptr<OutputFile> Win32Platform::create_file(const std::string& path,
                                                       std::string* err) {
    return win32_create_file(path, err);
}

std::unique_ptr<OutputFile> Win32Platform::create_temp_file_beside(const std::string& target,
                                                                   std::string* temp_path,
                                                                   std::string* err) {
    return win32_create_temp_file_beside(target, temp_path, err);
}

bool Win32Platform::replace_file(const std::string& source, const std::string& target,
                                 std::string* err) {
    return win32_replace_file(source, target, err);
}

void Win32Platform::message_box(const std::string& text, const std::string& title,
                                MessageIcon icon) {
    UINT style = MB_OK | (icon == MessageIcon::Critical ? MB_ICONERROR : MB_ICONINFORMATION);
    // Without an owner the box still blocks the thread's other windows.
    if (owner_ == nullptr) style |= MB_TASKMODAL;
    // Keys and clicks queued while a step ran (its pauses block the thread)
    // were meant for the busy window; they must not answer this box unread.
    drop_queued_input();
    MessageBoxW(owner_, widen(text).c_str(), widen(title).c_str(), style);
}

void Win32Platform::pause(int milliseconds) {
    Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0);
}

}  // namespace kelvarion
