#pragma once
// Install roots that the generated files are checked with, and the file size
// that a table of line lengths gives for a root.

#include <ostream>
#include <string>
#include <vector>

namespace kelvarion::testing {

struct InstallRoot {
    const char* label;  // for test names
    std::string utf8;   // as the platform reports it
    // The same in Windows-1252 as it must appear in the files' SAS literals,
    // where SAS reads an apostrophe written twice as one.
    std::string ansi;
    size_t characters;  // R: of `ansi`, counted by hand
};

// Quoted: a trailing backslash would confuse the test discovery of CTest.
inline void PrintTo(const InstallRoot& root, std::ostream* os) { *os << '"' << root.utf8 << '"'; }

inline const std::vector<InstallRoot>& install_roots() {
    static const std::vector<InstallRoot> roots{
        {"Plain", "C:\\Apps\\Kelvarion", "C:\\Apps\\Kelvarion", 17},
        {"SpacesAndApostrophe", "C:\\Documents and Settings\\Ann O'Hara\\Kelvarion Setup",
         "C:\\Documents and Settings\\Ann O''Hara\\Kelvarion Setup", 53},
        {"ProgramFilesX86", "C:\\Program Files (x86)\\Corvantis\\Kelvarion",
         "C:\\Program Files (x86)\\Corvantis\\Kelvarion", 42},
        {"DriveRoot", "E:\\", "E:\\", 3},
        {"TwoApostrophes", "C:\\O'Neil's", "C:\\O''Neil''s", 13},
        {"AccentedLetter",
         "C:\\Donn\xC3\xA9"
         "es\\Kelvarion",
         "C:\\Donn\xE9"
         "es\\Kelvarion",
         20},
    };
    return roots;
}

// One row of a file's length column: a fixed number of characters, plus R
// when the line holds the install root.
struct LineLength {
    size_t fixed;
    bool plus_root;
};

// Bytes on disk for a root of single-byte characters: every line and its CR LF.
inline size_t expected_size(const std::vector<LineLength>& column, size_t root_characters) {
    size_t size = 0;
    for (const LineLength& line : column) {
        size += line.fixed + (line.plus_root ? root_characters : 0) + 2;
    }
    return size;
}

}  // namespace kelvarion::testing
