#include "tests/expected/expected_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace kelvarion::testing {
namespace {

namespace fs = std::filesystem;

// A function, not a global: tests may read the set while their own globals
// are initialised.
fs::path expected_folder() { return KELVARION_EXPECTED_FILES; }

std::string replace_all(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Fixed text from UTF-8 to Windows-1252, written out here so that the
// product's own conversion is not what the tests compare against. The set
// holds one character outside ASCII; another one fails the test until it
// is added.
std::string to_windows_1252(const std::string& utf8) {
    static const std::map<std::string, std::string> kBeyondAscii{
        {"\xE2\x84\xA2", "\x99"},  // U+2122 TRADE MARK SIGN
    };
    std::string bytes;
    for (size_t at = 0; at < utf8.size();) {
        if (static_cast<unsigned char>(utf8[at]) < 0x80) {
            bytes += utf8[at++];
            continue;
        }
        bool known = false;
        for (const auto& [sequence, byte] : kBeyondAscii) {
            if (utf8.compare(at, sequence.size(), sequence) == 0) {
                bytes += byte;
                at += sequence.size();
                known = true;
                break;
            }
        }
        if (!known) {
            ADD_FAILURE() << "no Windows-1252 byte known for the character at " << at << " of \""
                          << utf8 << "\"";
            return bytes;
        }
    }
    return bytes;
}

}  // namespace

std::vector<std::string> expected_template(const std::string& file) {
    std::ifstream in(expected_folder() / file, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot read " << (expected_folder() / file);
        return {};
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // Line ends are the writer's business: the set keeps bare LF, and a CR
    // would have come from a checkout or an editor.
    if (text.find('\r') != std::string::npos || text.empty() || text.back() != '\n') {
        ADD_FAILURE() << file << " must end every line, the last included, with LF alone";
        return {};
    }
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> expected_lines(const std::string& file, const std::string& literal_root) {
    std::vector<std::string> lines = expected_template(file);
    for (std::string& line : lines) line = replace_all(line, kLiteralRoot, literal_root);
    return lines;
}

std::string expected_bytes(const std::string& file, const std::string& literal_root) {
    // The fixed text is converted, the root is not: it comes in Windows-1252.
    const std::string marker = "\x01";
    std::string bytes;
    for (const std::string& line : expected_lines(file, marker))
        bytes += replace_all(to_windows_1252(line), marker, literal_root) + "\r\n";
    return bytes;
}

std::map<std::string, std::string> expected_files_of(const std::string& edition) {
    std::map<std::string, std::string> files;
    for (const std::string& folder : {std::string("all-editions"), edition}) {
        const fs::path base = expected_folder() / folder;
        if (!fs::is_directory(base)) {
            ADD_FAILURE() << "no folder " << base;
            continue;
        }
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(base)) {
            if (!entry.is_regular_file()) continue;
            const fs::path relative = entry.path().lexically_relative(base);
            files["\\" + replace_all(relative.generic_string(), "/", "\\")] =
                (fs::path(folder) / relative).generic_string();
        }
    }
    return files;
}

const std::vector<ExpectedStep>& expected_steps() {
    static const std::vector<ExpectedStep> steps = [] {
        std::vector<ExpectedStep> read;
        std::ifstream in(expected_folder() / "steps.tsv");
        if (!in) ADD_FAILURE() << "cannot read " << (expected_folder() / "steps.tsv");
        for (std::string line; std::getline(in, line);) {
            if (line.empty() || line[0] == '#') continue;
            const size_t first = line.find('\t');
            const size_t second = line.find('\t', first + 1);
            if (first == std::string::npos || second == std::string::npos) {
                ADD_FAILURE() << "steps.tsv: not three fields: " << line;
                continue;
            }
            read.push_back({line.substr(0, first),
                            std::stof(line.substr(first + 1, second - first - 1)),
                            line.substr(second + 1)});
        }
        return read;
    }();
    return steps;
}

std::size_t step_row(const std::string& caption) {
    const std::vector<ExpectedStep>& steps = expected_steps();
    for (std::size_t row = 0; row < steps.size(); ++row)
        if (steps[row].caption == caption) return row;
    ADD_FAILURE() << "no step shows \"" << caption << "\"";
    return steps.size();
}

}  // namespace kelvarion::testing
