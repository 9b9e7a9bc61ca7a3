#pragma once
// A fresh folder under the Windows temporary folder for one test, removed
// with everything in it (read-only files too) when the test ends.

#include <string>
#include <vector>

namespace kelvarion::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // path() + "\" + name
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Small direct Win32 helpers for checking what the code under test did.
bool file_exists(const std::string& path);
bool folder_exists(const std::string& path);
unsigned long file_attributes(const std::string& path);  // INVALID_FILE_ATTRIBUTES if none
bool set_file_attributes(const std::string& path, unsigned long attributes);
bool write_whole_file(const std::string& path, const std::string& bytes);
std::string read_whole_file(const std::string& path);          // empty if it cannot be read
std::vector<std::string> names_in(const std::string& folder);  // sorted, without . and ..

}  // namespace kelvarion::testing
