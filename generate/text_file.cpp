#include "text_file.h"

#include <utility>

#include "platform/text_codec.h"

namespace kelvarion {
namespace {

// The folder along `path` whose own name holds `character` (the outermost
// one), or an empty string when no folder name holds it.
std::string folder_named_with(const std::string& path, const std::string& character) {
    const auto last_separator = path.rfind('\\');
    const auto found = path.find(character);
    if (last_separator == std::string::npos || found == std::string::npos ||
        found > last_separator) {
        return {};
    }
    return path.substr(0, path.find('\\', found));
}

// Windows itself would take the name (the file functions speak UTF-16), but
// the file's text names the folder in the ANSI code page: writing it anyway
// would send SAS to a different, wrong path.
std::string unmappable_description(const std::string& path, char32_t unmappable) {
    const std::string character = code_point_utf8(unmappable);
    const std::string shown = "\"" + character + "\" (" + code_point_name(unmappable) + ")";
    const std::string folder = folder_named_with(path, character);
    if (!folder.empty()) {
        return "Cannot write \"" + path + "\": the folder name \"" + folder +
               "\" contains the character " + shown +
               ", which the system code page cannot hold. The file would name the folder "
               "wrongly, so nothing was written.";
    }
    return "Cannot write \"" + path + "\": its text contains the character " + shown +
           ", which the system code page cannot hold. Nothing was written.";
}

}  // namespace

bool write_text_file(Platform& platform, const std::string& path,
                     const std::vector<std::string>& lines, std::string* err) {
    std::string ignored;
    if (err == nullptr) err = &ignored;

    // Convert everything first, so that an unmappable character leaves any
    // earlier file untouched.
    std::vector<std::string> encoded;
    encoded.reserve(lines.size());
    for (const std::string& line : lines) {
        AnsiText text = platform.encode_ansi(line);
        if (!text.ok) {
            *err = unmappable_description(path, text.unmappable);
            return false;
        }
        encoded.push_back(std::move(text.bytes) + "\r\n");
    }

    const std::unique_ptr<OutputFile> file = platform.create_file(path, err);
    if (!file) return false;
    for (const std::string& line : encoded) {
        if (!file->write(line, err)) return false;  // the file closes as it goes out of scope
    }
    return file->close(err);
}

bool report_failure(Platform& platform, const std::string& description) {
    platform.message_box(description, "Error!", MessageIcon::Critical);
    return false;
}

}  // namespace kelvarion
