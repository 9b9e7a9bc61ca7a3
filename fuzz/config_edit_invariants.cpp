#include "fuzz/config_edit_invariants.h"

#include <algorithm>
#include <optional>

#include "platform/text_codec.h"

namespace kelvarion::fuzzing {
namespace {

constexpr std::string_view kOptionName = "-SET SASAUTOS";

// Every line of `file` followed by CR LF. A line ends at CR LF or at a lone
// CR; a lone LF is part of the line; the last line may lack its end.
std::string lines_with_crlf(std::string_view file) {
    std::string out;
    out.reserve(file.size() + 2);
    std::size_t begin = 0;
    while (begin < file.size()) {
        const std::size_t cr = file.find('\r', begin);
        if (cr == std::string_view::npos) {
            out.append(file.substr(begin));
            out.append("\r\n");
            break;
        }
        out.append(file.substr(begin, cr - begin));
        out.append("\r\n");
        begin = cr + 1 + (cr + 1 < file.size() && file[cr + 1] == '\n');
    }
    return out;
}

// How many copies of `part` follow one another from `at`.
std::size_t repeats(std::string_view text, std::size_t at, std::string_view part) {
    std::size_t count = 0;
    while (text.substr(at).starts_with(part)) {
        ++count;
        at += part.size();
    }
    return count;
}

// Reads `edited` as `expected` with copies of `inserted` added directly
// after some of its "(" (and one blank after a copy when an entry follows
// the "(" on its line). Returns the offsets in `expected` where one was
// added, or nothing when `edited` is not of that form. Where `expected`
// itself continues with copies of `inserted` (a legacy second run), the
// edited text must hold exactly one more.
std::optional<std::vector<std::size_t>> insertions_in(std::string_view expected,
                                                      std::string_view edited,
                                                      std::string_view inserted) {
    std::vector<std::size_t> found;
    std::size_t i = 0;
    std::size_t j = 0;
    for (;;) {
        if (j > 0 && expected[j - 1] == '(') {
            const std::size_t in_edited = repeats(edited, i, inserted);
            const std::size_t in_expected = repeats(expected, j, inserted);
            if (in_edited == in_expected + 1) {
                found.push_back(j);
                i += inserted.size();
                // An entry right after the "(" is kept apart by one blank.
                constexpr std::string_view kNoBlankBefore = " \t\n\v\f)\r";
                if (j < expected.size() &&
                    kNoBlankBefore.find(expected[j]) == std::string_view::npos) {
                    if (i >= edited.size() || edited[i] != ' ') return std::nullopt;
                    ++i;
                }
            } else if (in_edited != in_expected) {
                return std::nullopt;
            }
        }
        if (j == expected.size()) break;
        if (i >= edited.size() || edited[i] != expected[j]) return std::nullopt;
        ++i;
        ++j;
    }
    if (i != edited.size()) return std::nullopt;
    return found;
}

bool begins_option(std::string_view line) {
    if (line.size() < kOptionName.size()) return false;
    for (std::size_t k = 0; k < kOptionName.size(); ++k) {
        char c = line[k];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != kOptionName[k]) return false;
    }
    return true;
}

// Offsets in `text` (lines ended by CR LF) of the lines that begin the
// option. A byte-order mark at the start is not part of the first line.
std::vector<std::size_t> option_lines(std::string_view text, bool byte_order_mark) {
    std::vector<std::size_t> starts;
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t end = text.find("\r\n", begin);
        const std::size_t skip = begin == 0 && byte_order_mark ? kUtf8ByteOrderMark.size() : 0;
        if (begins_option(text.substr(begin + skip, end - begin - skip))) starts.push_back(begin);
        begin = end + 2;
    }
    return starts;
}

std::string rule_name(ConfigUpdateRule rule) {
    return rule == ConfigUpdateRule::SkipWhenNamed ? "current edition" : "legacy edition";
}

}  // namespace

const std::vector<std::string>& install_roots() {
    static const std::vector<std::string> roots{
        R"(C:\Program Files (x86)\Corvantis\Kelvarion)",
        R"(C:\Documents and Settings\Ann O'Hara\Kelvarion)",
        "D:\\Donn\xC3\xA9"
        "es\\Kelvarion",  // é
        // Программы
        "C:\\\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B\\Kelvarion",
        "E:\\",
        R"(\\server\share\O'Neil (x86)\Kelvarion)",
        "C:\\Stra\xC3\x9F"
        "e\\\xC3\xBF\\Kelvarion",  // Straße\ÿ: ÿ is 0xFF, its capital 0x9F
        R"(C:\saspgm\Kelvarion)",
    };
    return roots;
}

EditCase edit_case_of(std::string_view input) {
    if (input.empty()) return {input, install_roots()[0] + "\\saspgm"};
    const auto choice = static_cast<unsigned char>(input[0]) % install_roots().size();
    return {input.substr(1), install_roots()[choice] + "\\saspgm"};
}

const CodePage& windows_1252() {
    static const CodePage page{encode_cp1252, decode_cp1252};
    return page;
}

std::string broken_invariant(std::string_view file, const std::string& macro_folder,
                             ConfigUpdateRule rule, const SasConfigEdit& edit,
                             const EditFunction& edit_again) {
    const std::string which = rule_name(rule) + ": ";
    const bool utf8 = file.starts_with(kUtf8ByteOrderMark);
    const AnsiText ansi_folder = encode_cp1252(macro_folder);

    // 1. Refused exactly when the file's encoding cannot hold the folder.
    const bool representable = utf8 || ansi_folder.exact();
    if ((edit.outcome == SasConfigEdit::Outcome::FolderNotRepresentable) == representable)
        return which + "folder refused wrongly (representable: " + std::to_string(representable) +
               ")";
    if (!representable) return {};

    if (edit.outcome == SasConfigEdit::Outcome::Unchanged) {
        if (edit.insertions != 0) return which + "unchanged, yet insertions counted";
        return {};
    }

    // 2. Only the inserted text is new.
    const std::string folder_bytes = utf8 ? macro_folder : ansi_folder.bytes;
    const std::string inserted = "\r\n" + std::string(16, ' ') + '"' + folder_bytes + '"';
    const std::string expected = lines_with_crlf(file);
    const std::optional<std::vector<std::size_t>> at =
        insertions_in(expected, edit.bytes, inserted);
    if (!at) return which + "the new file is not the old lines plus insertions after \"(\"";
    if (at->empty()) return which + "edited without any insertion";
    if (static_cast<int>(at->size()) != edit.insertions)
        return which + "reports " + std::to_string(edit.insertions) + " insertions, made " +
               std::to_string(at->size());

    // 3. At most one insertion per option, none outside one.
    const std::vector<std::size_t> options = option_lines(expected, utf8);
    std::vector<int> per_option(options.size(), 0);
    for (std::size_t parenthesis_end : *at) {
        const auto next = std::upper_bound(options.begin(), options.end(), parenthesis_end - 1);
        if (next == options.begin()) return which + "insertion before any -SET SASAUTOS line";
        if (++per_option[static_cast<std::size_t>(next - options.begin()) - 1] > 1)
            return which + "two insertions in one -SET SASAUTOS option";
    }

    // 4. The current edition finds the folder in the new file.
    const SasConfigEdit again = edit_again(edit.bytes, ConfigUpdateRule::SkipWhenNamed);
    if (again.outcome != SasConfigEdit::Outcome::Unchanged || !again.folder_named)
        return which + "a current-edition run on the new file does not find the folder";
    return {};
}

std::string check_config_edit(std::string_view input) {
    const EditCase c = edit_case_of(input);
    const EditFunction edit = [&c](std::string_view file, ConfigUpdateRule rule) {
        return edit_sas_config(file, c.macro_folder, rule, windows_1252());
    };
    for (ConfigUpdateRule rule :
         {ConfigUpdateRule::SkipWhenNamed, ConfigUpdateRule::InsertEveryRun}) {
        const std::string broken =
            broken_invariant(c.file, c.macro_folder, rule, edit(c.file, rule), edit);
        if (!broken.empty()) return broken + " (folder " + c.macro_folder + ")";
    }
    return {};
}

}  // namespace kelvarion::fuzzing
