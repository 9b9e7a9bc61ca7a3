#pragma once
// An in-memory platform for tests: registry, special folders, a small file
// system with Windows-like rules and error texts, and recorders for message
// boxes and pauses. Every operation is logged; any operation can be made to
// fail for chosen paths. A failure on a file, folder or shortcut names its
// path as the Win32 platform does: "<path>: <description>".

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_replace.h"
#include "platform/platform.h"

namespace kelvarion::testing {

// Windows' own descriptions, as FormatMessage gives them.
inline constexpr const char* kFileNotFound = "The system cannot find the file specified.";
inline constexpr const char* kPathNotFound = "The system cannot find the path specified.";
inline constexpr const char* kAccessDenied = "Access is denied.";
inline constexpr const char* kAlreadyExists = "Cannot create a file when that file already exists.";
inline constexpr const char* kDiskFull = "There is not enough space on the disk.";
inline constexpr const char* kSharingViolation =
    "The process cannot access the file because it is being used by another process.";
inline constexpr const char* kLockViolation =
    "The process cannot access the file because another process has locked a portion of the "
    "file.";
inline constexpr const char* kBadPathName = "The specified path is invalid.";
// ReplaceFileW's documented failures, which it can meet half-way
// (platform/file_replace.h).
inline constexpr const char* kUnableToRemoveReplaced = "Unable to remove the file to be replaced.";
inline constexpr const char* kUnableToMoveReplacement =
    "Unable to move the replacement file to the file to be replaced. The file to be replaced has "
    "retained its original name.";
inline constexpr const char* kUnableToMoveReplacement2 =
    "Unable to move the replacement file to the file to be replaced. The file to be replaced has "
    "been renamed using the backup name.";
inline constexpr const char* kUserMappedFile =
    "The requested operation cannot be performed on a file with a user-mapped section open.";
inline constexpr const char* kNotSupported = "The request is not supported.";
inline constexpr const char* kInvalidFunction = "Incorrect function.";
inline constexpr const char* kCallNotImplemented = "This function is not supported on this system.";

// The Win32 code of one of the descriptions above (kAccessDenied gives 5),
// and the description of a code; unknown ones give 0 and "".
std::uint32_t code_of(const std::string& description);
std::string description_of(std::uint32_t code);

// A failure on `path` as the platform words it (an empty path names nothing).
inline std::string failure_on(const std::string& path, const std::string& description) {
    return path.empty() ? description : path + ": " + description;
}

struct MessageBoxCall {
    std::string text;
    std::string title;
    MessageIcon icon;
};

// Operations that can be made to fail.
enum class FakeOp {
    MakeFolder,
    DeleteFile,
    ReadFile,
    CreateFile,
    CreateTemp,
    Write,
    Flush,
    Close,
    Replace,     // ReplaceFileW, matched on the target or the replacement: each
                 // code leaves the files as Windows documents
    Move,        // MoveFileExW, matched on the file moved
    Attributes,  // GetFileAttributesW
    WriteNew,    // the copy of the original kept while a file is written in place
    Rewrite,     // writing in place: a sharing or lock violation or a mapped view
                 // leaves the file untouched, any other failure leaves it emptied
    SaveShortcut,
    SpecialFolder,
};

class FakePlatform;

// The operations of a replace over the fake's files: ReplaceFileW's
// documented failures leave the files as Windows says it does. Its waits go
// to the fake's clock (FakePlatform::waits).
class FakeFileOperations : public FileOperations {
public:
    explicit FakeFileOperations(FakePlatform& platform) : platform_(platform) {}
    std::uint32_t replace(const std::string& target, const std::string& replacement,
                          const std::string& backup) override;
    std::uint32_t move(const std::string& from, const std::string& to) override;
    std::uint32_t remove(const std::string& path) override;
    std::uint32_t attributes_error(const std::string& path) override;
    bool read_only_or_folder(const std::string& path) override;
    std::uint32_t read(const std::string& path, std::string* bytes) override;
    std::uint32_t write_new(const std::string& path, std::string_view bytes) override;
    RewriteResult rewrite(const std::string& path, std::string_view bytes) override;
    void wait(int milliseconds) override;
    std::string failure_text(const std::string& path, std::uint32_t code) override;

private:
    FakePlatform& platform_;
};

class FakePlatform : public Platform {
public:
    struct FileEntry {
        bool is_folder = false;
        bool read_only = false;
        std::string bytes;
        bool hidden_or_system = false;  // kept when the file is overwritten
    };

    FakePlatform();

    // --- set-up -----------------------------------------------------------
    // A REG_SZ value stored from UTF-8 text, with its terminating NUL.
    void set_registry_string(RegistryView view, const std::string& subkey, const std::string& name,
                             const std::string& utf8);
    // A value of any type with raw stored bytes.
    void set_registry_raw(RegistryView view, const std::string& subkey, const std::string& name,
                          std::uint32_t type, std::vector<std::uint8_t> data);
    void add_registry_key(RegistryView view, const std::string& subkey);

    std::string root = "C:\\Apps\\Kelvarion";
    std::string name = "Kelvarion_Post_Installation_setup";
    std::map<SpecialFolder, std::string> special_folders;

    // Folders and files; paths are compared as Windows does (case-blind,
    // repeated backslashes collapsed). add_folder makes every level.
    void add_folder(const std::string& path);
    void add_file(const std::string& path, const std::string& bytes, bool read_only = false);
    bool exists(const std::string& path) const;
    bool is_folder(const std::string& path) const;
    std::optional<std::string> file(const std::string& path) const;
    std::vector<std::string> files_under(const std::string& folder) const;

    // Makes `op` fail with `error` (after the path, as ever) for every path
    // containing `path_part` (empty: every path), after `skip` successful
    // matching calls, `times` times (-1: for good). The failure is kept as
    // its Win32 code: an error without one above is refused (throws
    // std::invalid_argument).
    void fail(FakeOp op, const std::string& path_part = "",
              const std::string& error = kAccessDenied, int skip = 0, int times = -1);

    // --- records ----------------------------------------------------------
    std::vector<std::string> log;  // "make_folder C:\\x", "write C:\\y", ...
    std::vector<MessageBoxCall> message_boxes;
    std::vector<int> pauses;
    std::vector<int> waits;  // waits for a file another program holds, in ms
    std::map<std::string, ShortcutProperties> shortcuts;  // by normalised path
    int open_files = 0;  // OutputFile objects not yet closed or destroyed

    // --- Platform ---------------------------------------------------------
    RegistryRead read_registry_value(RegistryView view, const std::string& subkey,
                                     const std::string& value_name) override;
    std::string install_root() override { return root; }
    std::string program_name() override { return name; }
    bool special_folder(SpecialFolder folder, std::string* path, std::string* err) override;
    bool make_folder(const std::string& path, std::string* err) override;
    DeleteResult delete_file(const std::string& path, std::string* err) override;
    bool read_file(const std::string& path, std::string* bytes, std::string* err) override;
    bool may_exist(const std::string& path) override;
    std::unique_ptr<OutputFile> create_file(const std::string& path, std::string* err) override;
    std::unique_ptr<TemporaryFile> create_temp_file_beside(const std::string& target,
                                                           std::string* err) override;
    bool replace_file(const std::string& source, const std::string& target,
                      std::string* err) override;
    AnsiText encode_ansi(std::string_view utf8) override;
    std::string decode_ansi(std::string_view bytes) override;
    void message_box(const std::string& text, const std::string& title, MessageIcon icon) override;
    void pause(int milliseconds) override { pauses.push_back(milliseconds); }

    // Normalised key for a path: upper case, repeated backslashes collapsed,
    // no trailing backslash.
    static std::string key(const std::string& path);
    static std::string parent(const std::string& normalised_key);

    // Used by the fake files. `path` is matched; the failure names `named`,
    // by default `path`. Where the Win32 platform waits out a hold, so does
    // this.
    bool injected_failure(FakeOp op, const std::string& path, std::string* err,
                          const std::string& named = {});
    // Used by the fake file operations: the Win32 code of the failure
    // injected for `op` on `path`, 0 when none.
    std::uint32_t injected_code(FakeOp op, const std::string& path);
    bool read_only_or_folder(const std::string& path) const;
    // DeleteFileW on the fake's files, without injected failures: 0 or the
    // Win32 code.
    std::uint32_t erase_file(const std::string& path);
    // save_shortcut, its failures naming `named` (a temporary file names the
    // shortcut it stands for).
    bool save_shortcut_named(const std::string& path, const ShortcutProperties& properties,
                             const std::string& named, std::string* err);
    std::map<std::string, FileEntry> entries;  // by key()
    // Moves a file, and the shortcut saved in it, to another name.
    void move_entry(const std::string& from, const std::string& to);

private:
    struct Injection {
        FakeOp op;
        std::string path_part;
        std::uint32_t code;
        int skip;
        int times;  // -1: for good
    };
    struct RegistryEntry {
        std::uint32_t type;
        std::vector<std::uint8_t> data;
    };
    // The next injection that fires for `op` on `path`, skips and times
    // counted down.
    const Injection* next_injection(FakeOp op, const std::string& path);
    std::vector<Injection> injections_;
    std::map<std::string, std::map<std::string, RegistryEntry>> registry_[2];  // by view, key, name
    int temp_counter_ = 0;
};

}  // namespace kelvarion::testing
