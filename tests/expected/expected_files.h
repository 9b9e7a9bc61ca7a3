#pragma once
// The files an installation writes, as they must be: one text file each under
// tests/expected/, read by the native tests here and by the end-to-end harness
// (e2e/harness/expected.py). See tests/expected/README.md for the layout.

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace kelvarion::testing {

// Stands in the files for the install root inside a single-quoted SAS
// literal, where an apostrophe is written twice.
inline constexpr const char* kLiteralRoot = "{literal_root}";

// A file of the set, named by its path under tests/expected/
// ("all-editions/saspgm/join.sas"): its lines as written there, the
// placeholder kept. A file that cannot be read, or that holds a CR or lacks
// its last LF, fails the test and gives no lines.
std::vector<std::string> expected_template(const std::string& file);

// Its lines with `literal_root` (UTF-8, apostrophes already doubled) in
// place of the placeholder.
std::vector<std::string> expected_lines(const std::string& file, const std::string& literal_root);

// The bytes on disk: the text in Windows-1252 with `literal_root` (already in
// Windows-1252, apostrophes doubled) in place of the placeholder, CR LF after
// every line.
std::string expected_bytes(const std::string& file, const std::string& literal_root);

// Every file an edition ("current" or "legacy") writes: its path under the
// install root ("\saspgm\join.sas") and its file in the set.
std::map<std::string, std::string> expected_files_of(const std::string& edition);

// One step of the installation as the window shows it (steps.tsv).
struct ExpectedStep {
    std::string caption;  // while it runs
    float progress;       // the bar while it runs
    std::string failure_caption;
};

// The steps in the order they run; a file that cannot be read or a line that
// is not three fields fails the test.
const std::vector<ExpectedStep>& expected_steps();
// The row of the step shown with `caption` ("Config SAS System ..."); a
// caption that no step has fails the test.
std::size_t step_row(const std::string& caption);
inline constexpr const char* kShortcutStep = "Creating desktop shortcut ...";
inline constexpr const char* kConfigStep = "Config SAS System ...";

}  // namespace kelvarion::testing
