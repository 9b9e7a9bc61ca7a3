#pragma once
// The outside world as the setup program sees it: registry, the running
// program, special folders, files, shortcuts, the ANSI code page, message
// boxes and pauses. Abstract so that tests can replace it; platform/win32
// holds the one real implementation.
//
// Error policy: operations that can fail return bool (or a small enum) and
// put the platform's own description of the failure into *err (on Windows the
// FormatMessage text, trailing line break trimmed). A failure on a file,
// folder or shortcut names its path first: "<path>: <description>"; a replace
// names its target. Paths and texts are UTF-8.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelvarion {

// SAS 8 and 9.1 register in the 32-bit view of HKEY_LOCAL_MACHINE; a 64-bit
// SAS 9.2 registers in the 64-bit view.
enum class RegistryView { Bits32, Bits64 };

inline constexpr std::uint32_t kRegSz = 1;  // REG_SZ

// One value read under HKEY_LOCAL_MACHINE.
struct RegistryRead {
    enum class Outcome {
        KeyMissing,    // the key did not open
        ValueMissing,  // the key opened, but the value is absent or could not be read
        Read,          // the value was read: type and data are valid
    };
    Outcome outcome = Outcome::KeyMissing;
    std::uint32_t type = 0;
    // For REG_SZ: the stored bytes exactly as the registry holds them
    // (UTF-16LE, with or without terminating NUL, possibly of odd size).
    // Empty for every other type.
    std::vector<std::uint8_t> data;
};

enum class SpecialFolder { Desktop, AllUsersDesktop, Programs, AllUsersPrograms };

enum class MessageIcon { Critical, Information };

// "Not there" is told apart from "failed".
enum class DeleteResult { Deleted, NotFound, Failed };

// The six properties that a shortcut file carries.
struct ShortcutProperties {
    std::string description;
    int window_style = 1;  // SW_SHOWNORMAL; 3 = maximised
    std::string arguments;
    std::string target_path;
    std::string working_directory;
    std::string icon_location;
};

// Text converted to the system ANSI code page, as the system converts it.
struct AnsiText {
    // Where the code page lacks a character, its default character ("?")
    // stands in, never a look-alike.
    std::string bytes;
    char32_t unmappable = 0;  // the first character the code page lacks; 0 when none
    bool exact() const { return unmappable == 0; }
};

// A file open for output. Destroying it closes it silently if close() was not
// called; it is never deleted by this object.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual bool write(std::string_view bytes, std::string* err) = 0;
    virtual bool flush(std::string* err) = 0;  // data on disk
    virtual bool close(std::string* err) = 0;
};

// A new, uniquely named file beside a target that it is to replace. Every
// failure on it names the target: the user knows that file, not this one.
// Filled either by writing bytes or by saving a shortcut in it; never deleted
// by this object.
class TemporaryFile : public OutputFile {
public:
    virtual const std::string& path() const = 0;
    // Closes the file, then saves the shortcut in it.
    virtual bool save_shortcut(const ShortcutProperties& properties, std::string* err) = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Registry, HKEY_LOCAL_MACHINE. The key handle is closed before return.
    virtual RegistryRead read_registry_value(RegistryView view, const std::string& subkey,
                                             const std::string& value_name) = 0;

    // The folder that holds the running program (the install root), exactly as
    // Windows reports it: no trailing backslash except for a drive root.
    virtual std::string install_root() = 0;
    // The running program's file name without folder and extension.
    virtual std::string program_name() = 0;

    virtual bool special_folder(SpecialFolder folder, std::string* path, std::string* err) = 0;

    // Makes one folder level; fails if it exists or its parent is missing.
    virtual bool make_folder(const std::string& path, std::string* err) = 0;
    virtual DeleteResult delete_file(const std::string& path, std::string* err) = 0;
    // Reads the whole file, byte for byte.
    virtual bool read_file(const std::string& path, std::string* bytes, std::string* err) = 0;
    // False only when Windows says nothing is at `path` (file or path not
    // found); a state that cannot be read counts as there.
    virtual bool may_exist(const std::string& path) = 0;
    // Creates the file, or truncates it if it exists; an existing file keeps
    // its hidden and system attributes. Null on failure.
    virtual std::unique_ptr<OutputFile> create_file(const std::string& path, std::string* err) = 0;
    // Creates a new, uniquely named file in the folder of `target`, on the
    // same volume; its failures name `target`.
    virtual std::unique_ptr<TemporaryFile> create_temp_file_beside(const std::string& target,
                                                                   std::string* err) = 0;
    // Puts `source` in place of `target` in one step, the target keeping its
    // attributes (platform/file_replace.h). On success `source` is gone. On
    // failure, which names `target`, the target is under its own name with
    // its old or new bytes and no other file is left, unless the description
    // names the one file that could not be put back.
    virtual bool replace_file(const std::string& source, const std::string& target,
                              std::string* err) = 0;

    // The system ANSI code page: CP_ACP on Windows, Windows-1252 elsewhere.
    virtual AnsiText encode_ansi(std::string_view utf8) = 0;
    virtual std::string decode_ansi(std::string_view bytes) = 0;

    // Modal: returns once the user has closed the box. One OK button.
    virtual void message_box(const std::string& text, const std::string& title,
                             MessageIcon icon) = 0;
    virtual void pause(int milliseconds) = 0;
};

}  // namespace kelvarion
