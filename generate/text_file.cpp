#include "text_file.h"

#include <vector>

#include "platform/text_codec.h"

namespace kelvarion {
namespace {

// Windows itself would take the name (the file functions speak UTF-16), but
// the file's text names the folder in the ANSI code page: writing it anyway
// would send SAS to a different, wrong path. Names the outermost folder of
// `named_folder` whose own name holds the character.
std::string unmappable_description(const std::string& path, const std::string& named_folder,
                                   char32_t unmappable) {
    const std::string character = code_point_utf8(unmappable);
    const std::string shown = "\"" + character + "\" (" + code_point_name(unmappable) + ")";
    const size_t found = named_folder.find(character);
    const std::string folder =
        found == std::string::npos ? named_folder
                                   : named_folder.substr(0, named_folder.find('\\', found));
    return "Cannot write \"" + path + "\": the folder name \"" + folder +
           "\" contains the character " + shown +
           ", which the system code page cannot hold. The file would name the folder "
           "wrongly, so nothing was written.";
}

}  // namespace

bool write_text_file(Platform& platform, const std::string& path,
                     const std::vector<std::string>& lines, const std::string& named_folder,
                     std::string* err) {
    std::string ignored;
    if (err == nullptr) err = &ignored;

    // Checked before the file is touched, so that an earlier file survives.
    const AnsiText folder = platform.encode_ansi(named_folder);
    if (!folder.exact()) {
        *err = unmappable_description(path, named_folder, folder.unmappable);
        return false;
    }

    std::vector<std::string> encoded;
    encoded.reserve(lines.size());
    for (const std::string& line : lines)
        encoded.push_back(platform.encode_ansi(line).bytes + "\r\n");

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
