#pragma once
// The real platform: the Win32 registry, file system, shell, ANSI code page,
// message boxes and Sleep behind the Platform interface. The members of each
// concern are defined in a file of their own, named below.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kelvarion {

class Win32Platform : public Platform {
public:
    // Message boxes are owned by this window (modal to it); with none they
    // are task-modal. The window is not owned by the platform.
    void set_owner_window(HWND owner) { owner_ = owner; }

    // win32_platform_registry.cpp. KeyMissing when the key does not open,
    // ValueMissing when the value is absent or cannot be read. REG_SZ data
    // comes back as stored (UTF-16LE bytes, terminating NUL or not, odd sizes
    // kept); other types give the type only.
    RegistryRead read_registry_value(RegistryView view, const std::string& subkey,
                                     const std::string& value_name) override;

    // win32_platform_program.cpp: the running program's folder (no trailing
    // backslash except a drive root such as "D:\") and its file name without
    // folder and extension, from its full path.
    std::string install_root() override;
    std::string program_name() override;
    // `first_buffer` (in characters) is the size tried first; the buffer
    // grows as long as the path does not fit.
    static std::string module_path(unsigned first_buffer = MAX_PATH);

    // win32_platform_shell.cpp: SHGetFolderPathW with CSIDL values; a
    // failure carries the system's description of the HRESULT. The folder is
    // made first if it is missing (the system's own folder). Shortcuts are
    // saved into temporary files (shell_link_win.cpp).
    bool special_folder(SpecialFolder folder, std::string* path, std::string* err) override;

    // win32_platform_files.cpp: folders and files through the W functions.
    // Failures carry the path and the system's description
    // ("C:\SAS\SASV9.CFG: Access is denied."); a replace names its target.
    // A file that another program holds is waited for (held_file_wait.h).
    bool make_folder(const std::string& path, std::string* err) override;
    // "File not found" and "path not found" give NotFound.
    DeleteResult delete_file(const std::string& path, std::string* err) override;
    bool read_file(const std::string& path, std::string* bytes, std::string* err) override;
    bool may_exist(const std::string& path) override;
    // CREATE_ALWAYS: a new file, or the existing one truncated, keeping its
    // hidden and system attributes (Windows refuses the call otherwise).
    std::unique_ptr<OutputFile> create_file(const std::string& path, std::string* err) override;
    // The attributes that CREATE_ALWAYS must carry over an existing file with
    // `existing`: CreateFileW refuses ("Access is denied.") a hidden or system
    // file unless the call carries those attributes, which it then keeps.
    static unsigned long attributes_to_overwrite(unsigned long existing);
    // A new file with a unique hidden-style name ("~kelvarion<n>.tmp") in the
    // folder of `target`, so that it can later replace `target` on the same
    // volume. Its failures name `target`.
    std::unique_ptr<TemporaryFile> create_temp_file_beside(const std::string& target,
                                                           std::string* err) override;
    // replace_file (platform/file_replace.h) over Win32FileOperations
    // (file_operations_win.h): ReplaceFileW with a backup beside the target,
    // MoveFileExW where there is no target or ReplaceFileW is not supported,
    // a write in place where another program holds the target but lets
    // others write.
    bool replace_file(const std::string& source, const std::string& target,
                      std::string* err) override;

    // win32_platform_code_page.cpp: CP_ACP, converted as the system converts,
    // with its default character where the code page lacks one, never a
    // look-alike ("ő" stays "?", not "o"); the first character lacking is
    // reported, so that callers converting a path can refuse.
    AnsiText encode_ansi(std::string_view utf8) override;
    std::string decode_ansi(std::string_view bytes) override;

    // win32_platform_message_box.cpp: MessageBoxW, which holds the window's
    // one thread until the box is closed.
    void message_box(const std::string& text, const std::string& title, MessageIcon icon) override;
    // MessageBoxW's style: one OK button, the critical-stop icon
    // (MB_ICONERROR) or the information icon, task-modal without an owner.
    static unsigned message_box_style(MessageIcon icon, bool owned);

    // win32_platform_pause.cpp: Sleep, which holds the thread too.
    void pause(int milliseconds) override;

private:
    HWND owner_ = nullptr;
};

}  // namespace kelvarion
