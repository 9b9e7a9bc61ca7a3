#include "host/sas_config_edit.h"

#include <cstring>
#include <vector>

#include "platform/text_codec.h"

namespace kelvarion {
namespace {

constexpr std::string_view kOptionName = "-SET SASAUTOS";
constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kEntryIndent = "                ";  // 16 spaces

// Simple upper-case mapping of the letters that the Windows ANSI code pages
// (874, 932-950, 1250-1258) can hold. Windows compares file names without
// regard to case; so must the search for the macro folder.
char16_t simple_upper(char16_t c) {
    if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 0x20) : c;
    if (c >= 0x00E0 && c <= 0x00FE && c != 0x00F7) return static_cast<char16_t>(c - 0x20);
    if (c == 0x00FF) return 0x0178;
    // Latin Extended-A: pairs of upper and lower case, upper first.
    if ((c >= 0x0100 && c <= 0x0137) || (c >= 0x014A && c <= 0x0177))
        return static_cast<char16_t>(c & ~1u);
    if ((c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E))
        return (c % 2 == 0) ? static_cast<char16_t>(c - 1) : c;
    if (c == 0x0192) return 0x0191;                                       // f with hook (1252)
    if (c == 0x01A1 || c == 0x01B0) return static_cast<char16_t>(c - 1);  // o, u horn (1258)
    // Greek.
    if ((c >= 0x03B1 && c <= 0x03C1) || (c >= 0x03C3 && c <= 0x03CB))
        return static_cast<char16_t>(c - 0x20);
    if (c == 0x03C2) return 0x03A3;
    if (c == 0x03AC) return 0x0386;
    if (c >= 0x03AD && c <= 0x03AF) return static_cast<char16_t>(c - 0x25);
    if (c == 0x03CC) return 0x038C;
    if (c == 0x03CD || c == 0x03CE) return static_cast<char16_t>(c - 0x3F);
    // Cyrillic.
    if (c >= 0x0430 && c <= 0x044F) return static_cast<char16_t>(c - 0x20);
    if (c >= 0x0450 && c <= 0x045F) return static_cast<char16_t>(c - 0x50);
    if (c == 0x0491) return 0x0490;
    // Latin Extended Additional (Vietnamese): pairs, upper first.
    if ((c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF))
        return static_cast<char16_t>(c & ~1u);
    // Fullwidth Latin (the East Asian code pages).
    if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<char16_t>(c - 0x20);
    return c;
}

// A folder name as Windows compares it: letter case ignored, "/" read as
// "\", runs of "\" as one (a leading "\\" of a network path kept), and one
// trailing "\" dropped.
std::u16string folder_key(std::string_view utf8) {
    std::u16string key;
    for (char16_t c : utf8_to_utf16(utf8)) {
        if (c == u'/') c = u'\\';
        if (c == u'\\' && key.size() > 1 && key.back() == u'\\') continue;
        key += simple_upper(c);
    }
    if (key.size() > 1 && key.back() == u'\\') key.pop_back();
    return key;
}

char ascii_folded(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 0x20);
    return c == '/' ? '\\' : c;
}

bool is_separator(char c) { return c == '\\' || c == '/'; }

// The folder's last name with the separator before it ("\macros"), when it
// is ASCII; empty otherwise.
std::string ascii_last_name(std::string_view folder) {
    while (!folder.empty() && is_separator(folder.back())) folder.remove_suffix(1);
    const size_t separator = folder.find_last_of("\\/");
    if (separator == std::string_view::npos) return {};
    for (size_t k = separator; k < folder.size(); ++k)
        if (static_cast<unsigned char>(folder[k]) >= 0x80) return {};
    return std::string(folder.substr(separator));
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f'; }

bool is_quote(char c) { return c == '"' || c == '\''; }

// Whether the line [begin, end) begins the option: its first 13 characters
// are the option's name in any letter case. These are ASCII bytes, which in
// every ANSI code page stand for themselves.
bool begins_option(std::string_view file, size_t begin, size_t end) {
    if (end - begin < kOptionName.size()) return false;
    for (size_t k = 0; k < kOptionName.size(); ++k) {
        if (ascii_folded(file[begin + k]) != kOptionName[k]) return false;
    }
    return true;
}

// Where one line of the file lies.
struct Line {
    size_t begin;
    size_t end;      // the line's text ends here
    size_t next;     // the following line begins here
    bool ends_crlf;  // terminated by CR LF (not a lone CR, not the file's end)
};

Line line_at(std::string_view file, size_t begin) {
    const void* cr = std::memchr(file.data() + begin, '\r', file.size() - begin);
    if (cr == nullptr) return {begin, file.size(), file.size(), false};
    const size_t end = static_cast<const char*>(cr) - file.data();
    const bool crlf = end + 1 < file.size() && file[end + 1] == '\n';
    return {begin, end, end + (crlf ? 2 : 1), crlf};
}

// Reads the file's option lists and records where the folder goes.
class SasautosScanner {
public:
    SasautosScanner(std::string_view file, ConfigUpdateRule rule, bool utf8, const CodePage& ansi,
                    std::string_view folder)
        : file_(file),
          rule_(rule),
          utf8_(utf8),
          ansi_(ansi),
          wanted_(folder_key(folder)),
          last_name_(ascii_last_name(folder)) {}

    // Reads every line; stops early once the folder is known to be named.
    void run() {
        const size_t skip_bom = utf8_ ? kUtf8ByteOrderMark.size() : 0;
        for (size_t begin = 0; begin < file_.size() && !folder_named;) {
            const Line line = line_at(file_, begin);
            if (!line.ends_crlf) missing_crlf_bytes += line.end == file_.size() ? 2 : 1;
            size_t from = line.begin + (begin == 0 ? skip_bom : 0);
            if (!in_comment_ && begins_option(file_, from, line.end)) {
                state_ = State::AwaitingList;
                from += kOptionName.size();
                while (from < line.end && !is_blank(file_[from]) && file_[from] != '(' &&
                       file_[from] != ')' && !is_quote(file_[from]) &&
                       !file_.substr(from, line.end - from).starts_with("/*"))
                    ++from;  // the rest of the name, as in "-SET SASAUTOSX"
            }
            // Outside an option and a comment only the start of a comment
            // can change anything.
            if (state_ != State::Outside || in_comment_ ||
                file_.substr(from, line.end - from).find("/*") != std::string_view::npos)
                scan(from, line.end);
            begin = line.next;
        }
    }

    std::vector<size_t> insertions;  // offsets just after each list's "("
    bool folder_named = false;
    size_t missing_crlf_bytes = 0;  // what CR LF line ends add to the size

private:
    enum class State { Outside, AwaitingList, InList };

    void scan(size_t i, size_t end) {
        while (i < end) {
            if (in_comment_) {
                const size_t close = file_.substr(0, end).find("*/", i);
                if (close == std::string_view::npos) return;
                in_comment_ = false;
                i = close + 2;
                continue;
            }
            const char c = file_[i];
            if (is_blank(c)) {
                ++i;
            } else if (c == '/' && i + 1 < end && file_[i + 1] == '*') {
                in_comment_ = true;
                i += 2;
            } else if (c == '(') {
                open_list(i + 1);
                ++i;
            } else if (c == ')') {
                state_ = State::Outside;
                ++i;
            } else if (is_quote(c)) {
                const void* close = std::memchr(file_.data() + i + 1, c, end - i - 1);
                const size_t stop =
                    close ? static_cast<size_t>(static_cast<const char*>(close) - file_.data())
                          : end;
                entry(i + 1, stop);
                i = close ? stop + 1 : end;
            } else {
                const size_t start = i;
                while (i < end && !is_blank(file_[i]) && file_[i] != '(' && file_[i] != ')') ++i;
                entry(start, i);
            }
        }
    }

    void open_list(size_t after_parenthesis) {
        if (state_ != State::AwaitingList) return;  // no option, or a "(" inside the list
        insertions.push_back(after_parenthesis);
        state_ = rule_ == ConfigUpdateRule::InsertEveryRun ? State::Outside : State::InList;
    }

    void entry(size_t begin, size_t end) {
        if (state_ == State::Outside) return;
        if (rule_ == ConfigUpdateRule::SkipWhenNamed && names_folder(begin, end))
            folder_named = true;
        // A value before any "(" is the option's one value: there is no list.
        if (state_ == State::AwaitingList || folder_named) state_ = State::Outside;
    }

    bool names_folder(size_t begin, size_t end) const {
        const std::string_view bytes = file_.substr(begin, end - begin);
        // A key never has more characters than the bytes it came from, so
        // shorter entries cannot match; decoding is the costly part.
        if (bytes.size() < wanted_.size() || !ends_with_last_name(bytes)) return false;
        return folder_key(utf8_ ? std::string(bytes) : ansi_.decode(bytes)) == wanted_;
    }

    // A match ends with the folder's last name and maybe separators; an ASCII
    // name is the same bytes in every code page, so this is a cheap first test.
    bool ends_with_last_name(std::string_view bytes) const {
        while (!bytes.empty() && is_separator(bytes.back())) bytes.remove_suffix(1);
        if (bytes.size() < last_name_.size()) return false;
        const std::string_view tail = bytes.substr(bytes.size() - last_name_.size());
        for (size_t k = 0; k < tail.size(); ++k)
            if (ascii_folded(tail[k]) != ascii_folded(last_name_[k])) return false;
        return true;
    }

    std::string_view file_;
    ConfigUpdateRule rule_;
    bool utf8_;
    const CodePage& ansi_;
    std::u16string wanted_;
    std::string last_name_;
    State state_ = State::Outside;
    bool in_comment_ = false;
};

// Whether the list's "(" at `after_parenthesis - 1` is followed on its own
// line by an entry. The inserted folder then needs a blank after its closing
// quote: SAS reads two quotes in a row as one escaped quote, which would join
// our folder and that entry into one name.
bool entry_follows(std::string_view file, size_t after_parenthesis, size_t line_end) {
    if (after_parenthesis >= line_end) return false;
    const char next = file[after_parenthesis];
    return !is_blank(next) && next != ')';
}

}  // namespace

SasConfigEdit edit_sas_config(std::string_view file, const std::string& macro_folder,
                              ConfigUpdateRule rule, const CodePage& ansi) {
    SasConfigEdit result;
    const bool utf8 = file.starts_with(kUtf8ByteOrderMark);

    std::string folder_bytes = macro_folder;
    if (!utf8) {
        AnsiText encoded = ansi.encode(macro_folder);
        if (!encoded.exact()) {
            result.outcome = SasConfigEdit::Outcome::FolderNotRepresentable;
            result.unmappable = encoded.unmappable;
            return result;
        }
        folder_bytes = std::move(encoded.bytes);
    }

    SasautosScanner scanner(file, rule, utf8, ansi, macro_folder);
    scanner.run();
    result.folder_named = scanner.folder_named;
    if (scanner.folder_named || scanner.insertions.empty()) return result;

    const std::string inserted =
        std::string(kCrLf) + std::string(kEntryIndent) + '"' + folder_bytes + '"';
    std::string& out = result.bytes;
    out.reserve(file.size() + scanner.missing_crlf_bytes +
                scanner.insertions.size() * (inserted.size() + 1));
    auto next_insertion = scanner.insertions.begin();
    for (size_t begin = 0; begin < file.size();) {
        const Line line = line_at(file, begin);
        size_t copied = begin;
        while (next_insertion != scanner.insertions.end() && *next_insertion <= line.end) {
            out.append(file.substr(copied, *next_insertion - copied));
            out.append(inserted);
            if (entry_follows(file, *next_insertion, line.end)) out += ' ';
            copied = *next_insertion++;
        }
        out.append(file.substr(copied, line.end - copied));
        out.append(kCrLf);
        begin = line.next;
    }
    result.outcome = SasConfigEdit::Outcome::Edited;
    result.insertions = static_cast<int>(scanner.insertions.size());
    return result;
}

}  // namespace kelvarion
