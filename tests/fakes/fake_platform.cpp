#include "tests/fakes/fake_platform.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "platform/held_file_wait.h"
#include "platform/text_codec.h"
#include "tests/support/utf16le.h"

namespace kelvarion::testing {
namespace {

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Failures name `named`: the file itself, or the target that a temporary
// file stands for.
class FakeOutputFile : public OutputFile {
public:
    FakeOutputFile(FakePlatform& platform, std::string path, std::string named = {})
        : platform_(platform), path_(std::move(path)), named_(named.empty() ? path_ : named) {
        ++platform_.open_files;
    }
    ~FakeOutputFile() override {
        if (!closed_) --platform_.open_files;
    }
    bool write(std::string_view bytes, std::string* err) override {
        platform_.log.push_back("write " + path_);
        if (closed_ || platform_.injected_failure(FakeOp::Write, path_, err, named_)) return false;
        platform_.entries[FakePlatform::key(path_)].bytes.append(bytes);
        return true;
    }
    bool flush(std::string* err) override {
        platform_.log.push_back("flush " + path_);
        return !closed_ && !platform_.injected_failure(FakeOp::Flush, path_, err, named_);
    }
    bool close(std::string* err) override {
        platform_.log.push_back("close " + path_);
        if (closed_) return false;
        closed_ = true;
        --platform_.open_files;
        return !platform_.injected_failure(FakeOp::Close, path_, err, named_);
    }
    const std::string& path() const { return path_; }
    const std::string& named() const { return named_; }

private:
    FakePlatform& platform_;
    std::string path_;
    std::string named_;
    bool closed_ = false;
};

class FakeTemporaryFile : public TemporaryFile {
public:
    FakeTemporaryFile(FakePlatform& platform, std::string path, std::string target)
        : platform_(platform), file_(platform, std::move(path), std::move(target)) {}
    const std::string& path() const override { return file_.path(); }
    bool write(std::string_view bytes, std::string* err) override {
        return file_.write(bytes, err);
    }
    bool flush(std::string* err) override {
        if (!shortcut_saved_) return file_.flush(err);
        // Opened again by its path, as the Win32 platform does.
        platform_.log.push_back("flush " + path());
        return !platform_.injected_failure(FakeOp::Flush, path(), err, file_.named());
    }
    bool close(std::string* err) override { return file_.close(err); }
    bool save_shortcut(const ShortcutProperties& properties, std::string* err) override {
        std::string ignored;
        file_.close(&ignored);
        shortcut_saved_ = platform_.save_shortcut_named(path(), properties, file_.named(), err);
        return shortcut_saved_;
    }

private:
    FakePlatform& platform_;
    FakeOutputFile file_;
    bool shortcut_saved_ = false;
};

struct KnownError {
    std::uint32_t code;
    const char* description;
};
constexpr KnownError kKnownErrors[] = {
    {win32_code::kFileNotFound, kFileNotFound},
    {win32_code::kPathNotFound, kPathNotFound},
    {win32_code::kAccessDenied, kAccessDenied},
    {win32_code::kSharingViolation, kSharingViolation},
    {win32_code::kLockViolation, kLockViolation},
    {win32_code::kNotSupported, kNotSupported},
    {win32_code::kInvalidFunction, kInvalidFunction},
    {win32_code::kCallNotImplemented, kCallNotImplemented},
    {161, kBadPathName},
    {112, kDiskFull},
    {183, kAlreadyExists},
    {win32_code::kUnableToRemoveReplaced, kUnableToRemoveReplaced},
    {win32_code::kUnableToMoveReplacement, kUnableToMoveReplacement},
    {win32_code::kUnableToMoveReplacement2, kUnableToMoveReplacement2},
    {win32_code::kUserMappedFile, kUserMappedFile},
};

}  // namespace

std::uint32_t code_of(const std::string& description) {
    for (const KnownError& known : kKnownErrors)
        if (description == known.description) return known.code;
    return 0;
}

std::string description_of(std::uint32_t code) {
    for (const KnownError& known : kKnownErrors)
        if (code == known.code) return known.description;
    return {};
}

// The operations the Win32 platform tries again while another program holds
// the file, and as what; the operations of a replace are tried again by the
// portable replace itself.
std::optional<FileCall> held_file_call(FakeOp op) {
    switch (op) {
        case FakeOp::ReadFile: return kReadFileCall;
        case FakeOp::CreateFile:
        case FakeOp::CreateTemp: return kCreateFileCall;
        case FakeOp::SaveShortcut: return kSaveShortcutCall;
        case FakeOp::DeleteFile: return kDeleteFileCall;
        default: return std::nullopt;
    }
}

std::uint32_t FakeFileOperations::replace(const std::string& target,
                                          const std::string& replacement,
                                          const std::string& backup) {
    // A failure injected for either file: a holder of the target or of the
    // replacement.
    std::uint32_t code = platform_.injected_code(FakeOp::Replace, target);
    if (!code) code = platform_.injected_code(FakeOp::Replace, replacement);
    if (code) {
        // The target renamed to the backup name, the replacement still under
        // its own; every other failure has moved nothing.
        if (code == win32_code::kUnableToMoveReplacement2) platform_.move_entry(target, backup);
        return code;
    }
    const auto source = platform_.entries.find(FakePlatform::key(replacement));
    if (source == platform_.entries.end()) return win32_code::kFileNotFound;
    const FakePlatform::FileEntry& old = platform_.entries[FakePlatform::key(target)];
    if (old.is_folder || old.read_only) return win32_code::kAccessDenied;
    const bool hidden_or_system = old.hidden_or_system;
    platform_.move_entry(target, backup);
    platform_.move_entry(replacement, target);
    platform_.entries[FakePlatform::key(target)].hidden_or_system = hidden_or_system;
    return win32_code::kSuccess;
}

std::uint32_t FakeFileOperations::move(const std::string& from, const std::string& to) {
    if (const std::uint32_t code = platform_.injected_code(FakeOp::Move, from)) return code;
    if (!platform_.file(from)) return win32_code::kFileNotFound;
    if (platform_.read_only_or_folder(to)) return win32_code::kAccessDenied;
    platform_.move_entry(from, to);
    return win32_code::kSuccess;
}

std::uint32_t FakeFileOperations::remove(const std::string& path) {
    platform_.log.push_back("delete " + path);
    if (const std::uint32_t code = platform_.injected_code(FakeOp::DeleteFile, path)) return code;
    return platform_.erase_file(path);
}

std::uint32_t FakeFileOperations::attributes_error(const std::string& path) {
    if (const std::uint32_t code = platform_.injected_code(FakeOp::Attributes, path)) return code;
    if (platform_.exists(path)) return win32_code::kSuccess;
    return platform_.is_folder(FakePlatform::parent(FakePlatform::key(path)))
               ? win32_code::kFileNotFound
               : win32_code::kPathNotFound;
}

bool FakeFileOperations::read_only_or_folder(const std::string& path) {
    return platform_.read_only_or_folder(path);
}

std::uint32_t FakeFileOperations::read(const std::string& path, std::string* bytes) {
    if (const std::uint32_t code = platform_.injected_code(FakeOp::ReadFile, path)) return code;
    const std::optional<std::string> file = platform_.file(path);
    if (!file) return win32_code::kFileNotFound;
    *bytes = *file;
    return win32_code::kSuccess;
}

std::uint32_t FakeFileOperations::write_new(const std::string& path, std::string_view bytes) {
    platform_.log.push_back("write_new " + path);
    if (platform_.exists(path)) return win32_code::kFileExists;
    FakePlatform::FileEntry& entry = platform_.entries[FakePlatform::key(path)];
    if (const std::uint32_t code = platform_.injected_code(FakeOp::WriteNew, path)) return code;
    entry.bytes = bytes;
    return win32_code::kSuccess;
}

RewriteResult FakeFileOperations::rewrite(const std::string& path, std::string_view bytes) {
    platform_.log.push_back("rewrite " + path);
    const auto entry = platform_.entries.find(FakePlatform::key(path));
    if (entry == platform_.entries.end()) return {win32_code::kFileNotFound, false};
    if (platform_.read_only_or_folder(path)) return {win32_code::kAccessDenied, false};
    if (const std::uint32_t code = platform_.injected_code(FakeOp::Rewrite, path)) {
        // Refused at the open or at the truncation (a mapped view), or
        // stopped part-way once emptied.
        const bool refused =
            held_by_another_program(code) || code == win32_code::kAccessDenied;
        if (!refused) entry->second.bytes.clear();
        return {code, !refused};
    }
    entry->second.bytes = bytes;
    return {win32_code::kSuccess, true};
}

void FakeFileOperations::wait(int milliseconds) { platform_.waits.push_back(milliseconds); }

std::string FakeFileOperations::failure_text(const std::string& path, std::uint32_t code) {
    return failure_on(path, description_of(code));
}

FakePlatform::FakePlatform() {
    special_folders[SpecialFolder::Desktop] = "C:\\Users\\ann\\Desktop";
    special_folders[SpecialFolder::AllUsersDesktop] = "C:\\Users\\Public\\Desktop";
    special_folders[SpecialFolder::Programs] =
        "C:\\Users\\ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
    special_folders[SpecialFolder::AllUsersPrograms] =
        "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
    for (const auto& [folder, path] : special_folders) add_folder(path);
    add_folder(root);
}

std::string FakePlatform::key(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == '\\' && !out.empty() && out.back() == '\\') continue;
        out += c;
    }
    while (!out.empty() && out.back() == '\\') out.pop_back();
    return upper(out);
}

std::string FakePlatform::parent(const std::string& normalised_key) {
    const auto pos = normalised_key.rfind('\\');
    return pos == std::string::npos ? std::string() : normalised_key.substr(0, pos);
}

void FakePlatform::set_registry_string(RegistryView view, const std::string& subkey,
                                       const std::string& value_name, const std::string& utf8) {
    std::vector<std::uint8_t> data = utf16le_bytes(utf8_to_utf16(utf8) + u'\0');
    set_registry_raw(view, subkey, value_name, kRegSz, std::move(data));
}

void FakePlatform::set_registry_raw(RegistryView view, const std::string& subkey,
                                    const std::string& value_name, std::uint32_t type,
                                    std::vector<std::uint8_t> data) {
    registry_[static_cast<int>(view)][upper(subkey)][upper(value_name)] = {type, std::move(data)};
}

void FakePlatform::add_registry_key(RegistryView view, const std::string& subkey) {
    registry_[static_cast<int>(view)][upper(subkey)];
}

RegistryRead FakePlatform::read_registry_value(RegistryView view, const std::string& subkey,
                                               const std::string& value_name) {
    log.push_back(std::string("registry ") + (view == RegistryView::Bits32 ? "32 " : "64 ") +
                  subkey + " " + value_name);
    RegistryRead read;
    const auto& keys = registry_[static_cast<int>(view)];
    const auto k = keys.find(upper(subkey));
    if (k == keys.end()) return read;
    read.outcome = RegistryRead::Outcome::ValueMissing;
    const auto v = k->second.find(upper(value_name));
    if (v == k->second.end()) return read;
    read.outcome = RegistryRead::Outcome::Read;
    read.type = v->second.type;
    if (read.type == kRegSz) read.data = v->second.data;
    return read;
}

void FakePlatform::add_folder(const std::string& path) {
    std::string k = key(path);
    while (!k.empty()) {
        entries[k].is_folder = true;
        k = parent(k);
    }
}

void FakePlatform::add_file(const std::string& path, const std::string& bytes, bool read_only) {
    add_folder(parent(key(path)));
    entries[key(path)] = FileEntry{false, read_only, bytes};
}

bool FakePlatform::exists(const std::string& path) const {
    const std::string k = key(path);
    return k.find('\\') == std::string::npos || entries.count(k) > 0;
}

bool FakePlatform::is_folder(const std::string& path) const {
    const std::string k = key(path);
    if (k.find('\\') == std::string::npos) return true;  // a drive root
    const auto it = entries.find(k);
    return it != entries.end() && it->second.is_folder;
}

std::optional<std::string> FakePlatform::file(const std::string& path) const {
    const auto it = entries.find(key(path));
    if (it == entries.end() || it->second.is_folder) return std::nullopt;
    return it->second.bytes;
}

std::vector<std::string> FakePlatform::files_under(const std::string& folder) const {
    std::vector<std::string> out;
    const std::string prefix = key(folder) + "\\";
    for (const auto& [k, entry] : entries)
        if (!entry.is_folder && k.rfind(prefix, 0) == 0) out.push_back(k);
    return out;
}

void FakePlatform::fail(FakeOp op, const std::string& path_part, const std::string& error,
                        int skip, int times) {
    const std::uint32_t code = code_of(error);
    if (code == 0) throw std::invalid_argument("no Win32 code for the failure \"" + error + "\"");
    injections_.push_back({op, upper(path_part), code, skip, times});
}

const FakePlatform::Injection* FakePlatform::next_injection(FakeOp op, const std::string& path) {
    const std::string k = upper(path);
    for (auto& injection : injections_) {
        if (injection.op != op || k.find(injection.path_part) == std::string::npos) continue;
        if (injection.skip > 0) {
            --injection.skip;
            continue;
        }
        if (injection.times == 0) continue;
        if (injection.times > 0) --injection.times;
        return &injection;
    }
    return nullptr;
}

bool FakePlatform::injected_failure(FakeOp op, const std::string& path, std::string* err,
                                    const std::string& named) {
    const auto attempt = [&] { return injected_code(op, path); };
    const std::optional<FileCall> call = held_file_call(op);
    const std::uint32_t code =
        call ? retry_while_held(*call, attempt, [this](int ms) { waits.push_back(ms); },
                                [&] { return read_only_or_folder(path); })
             : attempt();
    if (code != 0 && err) *err = failure_on(named.empty() ? path : named, description_of(code));
    return code != 0;
}

std::uint32_t FakePlatform::injected_code(FakeOp op, const std::string& path) {
    const Injection* injection = next_injection(op, path);
    return injection ? injection->code : 0;
}

bool FakePlatform::read_only_or_folder(const std::string& path) const {
    const auto it = entries.find(key(path));
    return it != entries.end() && (it->second.is_folder || it->second.read_only);
}

bool FakePlatform::special_folder(SpecialFolder folder, std::string* path, std::string* err) {
    if (injected_failure(FakeOp::SpecialFolder, "", err)) return false;
    const auto it = special_folders.find(folder);
    if (it == special_folders.end()) {
        if (err) *err = kPathNotFound;
        return false;
    }
    *path = it->second;
    return true;
}

bool FakePlatform::make_folder(const std::string& path, std::string* err) {
    log.push_back("make_folder " + path);
    if (injected_failure(FakeOp::MakeFolder, path, err)) return false;
    const std::string k = key(path);
    if (exists(path)) {
        if (err) *err = failure_on(path, kAlreadyExists);
        return false;
    }
    const std::string p = parent(k);
    if (!is_folder(p)) {
        if (err) *err = failure_on(path, kPathNotFound);
        return false;
    }
    if (!p.empty() && entries.count(p) && entries[p].read_only) {
        if (err) *err = failure_on(path, kAccessDenied);
        return false;
    }
    entries[k].is_folder = true;
    return true;
}

DeleteResult FakePlatform::delete_file(const std::string& path, std::string* err) {
    log.push_back("delete " + path);
    if (injected_failure(FakeOp::DeleteFile, path, err)) return DeleteResult::Failed;
    const std::uint32_t code = erase_file(path);
    if (code == win32_code::kSuccess) return DeleteResult::Deleted;
    if (err) *err = failure_on(path, description_of(code));
    return is_absent(code) ? DeleteResult::NotFound : DeleteResult::Failed;
}

std::uint32_t FakePlatform::erase_file(const std::string& path) {
    const std::string k = key(path);
    const auto it = entries.find(k);
    if (it == entries.end())
        return is_folder(parent(k)) ? win32_code::kFileNotFound : win32_code::kPathNotFound;
    if (it->second.is_folder || it->second.read_only) return win32_code::kAccessDenied;
    entries.erase(it);
    shortcuts.erase(k);
    return win32_code::kSuccess;
}

bool FakePlatform::may_exist(const std::string& path) {
    return !is_absent(FakeFileOperations(*this).attributes_error(path));
}

bool FakePlatform::read_file(const std::string& path, std::string* bytes, std::string* err) {
    log.push_back("read " + path);
    if (injected_failure(FakeOp::ReadFile, path, err)) return false;
    const std::string k = key(path);
    const auto it = entries.find(k);
    if (it == entries.end()) {
        if (err) *err = failure_on(path, is_folder(parent(k)) ? kFileNotFound : kPathNotFound);
        return false;
    }
    if (it->second.is_folder) {
        if (err) *err = failure_on(path, kAccessDenied);
        return false;
    }
    *bytes = it->second.bytes;
    return true;
}

std::unique_ptr<OutputFile> FakePlatform::create_file(const std::string& path, std::string* err) {
    log.push_back("create " + path);
    if (injected_failure(FakeOp::CreateFile, path, err)) return nullptr;
    const std::string k = key(path);
    const std::string p = parent(k);
    if (!is_folder(p)) {
        if (err) *err = failure_on(path, kPathNotFound);
        return nullptr;
    }
    const auto it = entries.find(k);
    if ((it != entries.end() && (it->second.is_folder || it->second.read_only)) ||
        (entries.count(p) && entries[p].read_only)) {
        if (err) *err = failure_on(path, kAccessDenied);
        return nullptr;
    }
    // Windows' CreateFileW refuses a hidden or system file unless the call
    // carries those attributes; the platform carries them, so they stay.
    const bool hidden_or_system = it != entries.end() && it->second.hidden_or_system;
    entries[k] = FileEntry{};
    entries[k].hidden_or_system = hidden_or_system;
    return std::make_unique<FakeOutputFile>(*this, path);
}

std::unique_ptr<TemporaryFile> FakePlatform::create_temp_file_beside(const std::string& target,
                                                                     std::string* err) {
    const auto slash = target.rfind('\\');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash);
    const std::string path = folder + "\\~kv" + std::to_string(++temp_counter_) + ".tmp";
    log.push_back("create_temp " + path);
    if (injected_failure(FakeOp::CreateTemp, target, err)) return nullptr;
    const std::string p = key(folder);
    if (!is_folder(p)) {
        if (err) *err = failure_on(target, kPathNotFound);
        return nullptr;
    }
    if (entries.count(p) && entries[p].read_only) {
        if (err) *err = failure_on(target, kAccessDenied);
        return nullptr;
    }
    entries[key(path)] = FileEntry{};
    return std::make_unique<FakeTemporaryFile>(*this, path, target);
}

bool FakePlatform::replace_file(const std::string& source, const std::string& target,
                                std::string* err) {
    log.push_back("replace " + source + " -> " + target);
    FakeFileOperations files(*this);
    return kelvarion::replace_file(files, source, target, err);
}

void FakePlatform::move_entry(const std::string& from, const std::string& to) {
    const auto moved = entries.find(key(from));
    if (moved == entries.end()) return;
    entries[key(to)] = moved->second;
    entries.erase(key(from));
    shortcuts.erase(key(to));
    if (const auto saved = shortcuts.find(key(from)); saved != shortcuts.end()) {
        shortcuts[key(to)] = saved->second;
        shortcuts.erase(saved);
    }
}

bool FakePlatform::save_shortcut_named(const std::string& path,
                                       const ShortcutProperties& properties,
                                       const std::string& named, std::string* err) {
    log.push_back("save_shortcut " + path);
    if (injected_failure(FakeOp::SaveShortcut, path, err, named)) return false;
    const std::string k = key(path);
    if (!is_folder(parent(k))) {
        if (err) *err = failure_on(named, kPathNotFound);
        return false;
    }
    const auto it = entries.find(k);
    if (it != entries.end() && (it->second.is_folder || it->second.read_only)) {
        if (err) *err = failure_on(named, kAccessDenied);
        return false;
    }
    entries[k] = FileEntry{false, false, "L"};
    shortcuts[k] = properties;
    return true;
}

AnsiText FakePlatform::encode_ansi(std::string_view utf8) { return encode_cp1252(utf8); }

std::string FakePlatform::decode_ansi(std::string_view bytes) { return decode_cp1252(bytes); }

void FakePlatform::message_box(const std::string& text, const std::string& title,
                               MessageIcon icon) {
    log.push_back("message_box " + title + ": " + text);
    message_boxes.push_back({text, title, icon});
}

}  // namespace kelvarion::testing
