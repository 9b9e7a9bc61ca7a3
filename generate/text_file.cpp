#include "generate/text_file.h"

#include <vector>

#include "platform/text_codec.h"

namespace kelvarion {

bool write_text_file(Platform& platform, const std::string& path,
                     const std::vector<std::string>& lines, const std::string& named_folder,
                     std::string* err) {
    std::string ignored;
    if (err == nullptr) err = &ignored;

    // Checked before the file is touched, so that an earlier file survives.
    const AnsiText folder = platform.encode_ansi(named_folder);
    if (!folder.exact()) {
        // Windows itself would take the name (the file functions speak
        // UTF-16), but the file's text names the folder in the ANSI code
        // page: writing it anyway would send SAS to a wrong path.
        *err = unrepresentable_folder_message(
            "write", path, named_folder, folder.unmappable,
            "The file would name the folder wrongly, so nothing was written.");
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

std::string unrepresentable_folder_message(std::string_view action, const std::string& path,
                                           const std::string& named_folder, char32_t unmappable,
                                           std::string_view consequence) {
    const std::string character = code_point_utf8(unmappable);
    const size_t found = named_folder.find(character);
    const std::string folder = found == std::string::npos
                                   ? named_folder
                                   : named_folder.substr(0, named_folder.find('\\', found));
    return "Cannot " + std::string(action) + " \"" + path + "\": the folder name \"" + folder +
           "\" contains the character \"" + character + "\" (" + code_point_name(unmappable) +
           "), which the system code page cannot hold. " + std::string(consequence);
}

}  // namespace kelvarion
