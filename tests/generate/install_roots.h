#pragma once
// Install roots that the generated files are checked with, and the tables of
// line lengths: the file size they give for a root, and the column of a file
// of tests/expected/ to hold against them.

#include <ostream>
#include <string>
#include <vector>

#include "tests/expected/expected_files.h"

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
    bool operator==(const LineLength&) const = default;
};

inline void PrintTo(const LineLength& line, std::ostream* os) {
    *os << line.fixed << (line.plus_root ? " + R" : "");
}

// The length column of a file of tests/expected/, whose lines hold the
// install root as a placeholder: a second placeholder on a line counts as
// fixed text, so that it cannot pass for one root.
inline std::vector<LineLength> length_column(const std::vector<std::string>& lines) {
    const std::string placeholder = kLiteralRoot;
    std::vector<LineLength> column;
    for (const std::string& line : lines) {
        const bool has_root = line.find(placeholder) != std::string::npos;
        column.push_back({line.size() - (has_root ? placeholder.size() : 0), has_root});
    }
    return column;
}

// Bytes on disk for a root of single-byte characters: every line and its CR LF.
inline size_t expected_size(const std::vector<LineLength>& column, size_t root_characters) {
    size_t size = 0;
    for (const LineLength& line : column) {
        size += line.fixed + (line.plus_root ? root_characters : 0) + 2;
    }
    return size;
}

}  // namespace kelvarion::testing
