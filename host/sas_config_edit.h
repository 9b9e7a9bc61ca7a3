#pragma once
// The edit that puts the product's macro folder into the -SET SASAUTOS list
// of a SAS configuration file. A pure function of the bytes read: the
// platform calls around it live in update_sas_config (sas_config_update.h).
//
// How the file is read:
// - A line ends at CR LF or at a lone CR; a lone LF stays in the line.
// - A line whose first 13 characters are "-SET SASAUTOS" in any letter case
//   begins the option (SAS reads the autocall list from it). The rest of
//   the option's name is skipped, then comes either "(" (a list, possibly
//   on a later line) or one single value.
// - Inside the option, double- or single-quoted entries are opaque: a "(" or
//   ")" in "C:\Program Files (x86)\sasmacro" is part of the folder name.
//   Quotes do not run past the end of a line. /* ... */ comments, which may
//   span lines, are skipped everywhere, so an option that is commented out
//   is left alone.
// - The list receives one insertion, directly after the "(" that opens it:
//   CR LF, 16 spaces and the quoted macro folder, followed by the rest of
//   the line as read; when that rest begins with anything but white space
//   or ")", one blank goes between, since SAS would read the two quotes in
//   "...\macros""!SASROOT..." as one escaped quote joining two entries.
// - A comment may follow the option's name directly: "-SET SASAUTOS/*(*/".
// - Double-byte code pages (932, 936, 949, 950): every byte the reading acts
//   on (quotes, parentheses, "/*", "*/", blanks, CR) lies below 0x40, where
//   no such code page puts the second byte of a character, so a trail byte
//   never reads as syntax. A trail byte can be a backslash or a letter, so
//   entries are compared with the folder only as decoded characters.
// - A file that starts with the UTF-8 byte-order mark is UTF-8: its entries
//   are compared as UTF-8 and the folder is inserted in UTF-8. Any other
//   file is in the system ANSI code page.
//
// The rule (ConfigUpdateRule):
// - SkipWhenNamed: the list ends at its ")". When any SASAUTOS option of the
//   file names the macro folder as a whole entry (any letter case, with or
//   without a trailing backslash; a longer name or a subfolder is another
//   folder), nothing changes at all.
// - InsertEveryRun: every list receives the insertion, whatever it names.
//
// Rewriting: every line of the new text is followed by exactly one CR LF,
// and the bytes of each line are those read; only the inserted text (and
// its blank) is new.
// NUL bytes and lines of any length are ordinary text. When nothing is
// inserted the edit reports Unchanged, and the file is not to be written.

#include <functional>
#include <string>
#include <string_view>

#include "model/edition_profile.h"
#include "platform/platform.h"

namespace kelvarion {

// The conversions of the code page that a configuration file without a
// byte-order mark is written in (the platform's ANSI code page).
struct CodePage {
    std::function<AnsiText(std::string_view utf8)> encode;
    std::function<std::string(std::string_view bytes)> decode;
};

struct SasConfigEdit {
    enum class Outcome {
        Unchanged,               // nothing to insert: leave the file as it is
        Edited,                  // `bytes` holds the new file
        FolderNotRepresentable,  // the file's encoding cannot hold `unmappable`
    };
    Outcome outcome = Outcome::Unchanged;
    std::string bytes;          // the new text, when Edited
    int insertions = 0;         // lists that received the folder, when Edited
    bool folder_named = false;  // SkipWhenNamed: a list names the folder already
    char32_t unmappable = 0;    // when FolderNotRepresentable
};

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// `macro_folder` is UTF-8: the product's macro folder (model/product_layout.h).
// Runs in time linear in the size of `file`.
SasConfigEdit edit_sas_config(std::string_view file, const std::string& macro_folder,
                              ConfigUpdateRule rule, const CodePage& ansi);

}  // namespace kelvarion
