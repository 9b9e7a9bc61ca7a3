#include "bench/sample_configs.h"

#include <cstdio>

#include "fuzz/config_edit_invariants.h"
#include "host/sas_config_edit.h"

namespace kelvarion::bench {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// The top of a SAS 9.1 nls\en\SASV9.CFG: where SAS lives, the user's
// folders and the autocall list.
constexpr std::string_view kSasv9Head =
    "/* DO NOT EDIT BELOW THIS LINE - INSTALL Application edits below this line */\r\n"
    "-SET sasext0 \"C:\\Program Files\\SAS\\SAS 9.1\"\r\n"
    "-SET sasroot \"C:\\Program Files\\SAS\\SAS 9.1\"\r\n"
    "-SET SASCFG \"C:\\Program Files\\SAS\\SAS 9.1\\nls\\en\"\r\n"
    "/* Setup the default SAS System user work folder */\r\n"
    "-WORK \"!TEMP\\SAS Temporary Files\"\r\n"
    "-SET SASAUTOS (\r\n"
    "        \"!SASROOT\\core\\sasmacro\"\r\n"
    "        \"!SASROOT\\base\\sasmacro\"\r\n"
    "        \"!SASROOT\\access\\sasmacro\"\r\n"
    "        \"!SASROOT\\graph\\sasmacro\"\r\n"
    "        \"!SASROOT\\stat\\sasmacro\"\r\n"
    "        \"!SASROOT\\ets\\sasmacro\"\r\n"
    "        \"!SASROOT\\or\\sasmacro\"\r\n"
    "        \"!SASROOT\\qc\\sasmacro\"\r\n"
    "        )\r\n";

// One block of the rest of the file; {n} makes each block's names differ.
std::string sasv9_block(int n) {
    char block[640];
    std::snprintf(block, sizeof block,
                  "/* Setup the SAS System product %d */\r\n"
                  "-SET SASEXT%d \"C:\\Program Files\\SAS\\SAS 9.1\\product%d\"\r\n"
                  "-HELPLOC ( \"!SASROOT\\nls\\en\\help\" \"!SASEXT%d\\help\" )\r\n"
                  "-MSG !SASROOT\\core\\sasmsg\r\n"
                  "-MEMSIZE 0\r\n"
                  "-SORTSIZE 64M\r\n"
                  "/* Fonts and resources,\r\n"
                  "   spread over two lines */\r\n"
                  "-FONTSLOC \"!SASROOT\\core\\resource\"\r\n"
                  "-SET SASHELP%d (\"!SASCFG\\SASCFG\" \"!SASROOT\\core\\sashelp\")\r\n"
                  "\r\n",
                  n, n, n, n, n);
    return block;
}

std::string list_entry(int n) {
    char entry[96];
    if (n % 2 == 0)
        std::snprintf(entry, sizeof entry, "\"!SASROOT\\product%d\\sasmacro\"", n);
    else
        std::snprintf(entry, sizeof entry, "\"D:\\Apps\\Product%d\\saspgm\"", n);
    return entry;
}

// A comment line of exactly `bytes` (at least 6) bytes, CR LF included.
std::string padding_line(std::size_t bytes) {
    return "/*" + std::string(bytes - 6, ' ') + "*/" + std::string(kCrLf);
}

// head, then repeated units while a padding line still fits, then
// `tail`; the padding makes the size exact.
template <class Unit>
std::string fill(std::string head, std::string_view tail, std::size_t size, Unit unit) {
    const std::size_t shortest_padding = 6;
    for (int n = 0;; ++n) {
        const std::string next = unit(n);
        if (head.size() + next.size() + shortest_padding + tail.size() > size) break;
        head += next;
    }
    head += padding_line(size - head.size() - tail.size());
    head += tail;
    return head;
}

}  // namespace

std::string_view shape_name(ConfigShape shape) {
    switch (shape) {
        case ConfigShape::Sasv9: return "SASV9.CFG";
        case ConfigShape::LongList: return "long list";
        case ConfigShape::LongLine: return "long line";
    }
    return "?";
}

std::string sample_config(ConfigShape shape, std::size_t size) {
    if (size < kSmallestSample) return {};
    switch (shape) {
        case ConfigShape::Sasv9: return fill(std::string(kSasv9Head), "", size, sasv9_block);
        case ConfigShape::LongList:
            return fill("-SET SASAUTOS (\r\n", "        )\r\n", size,
                        [](int n) { return "        " + list_entry(n) + std::string(kCrLf); });
        case ConfigShape::LongLine: {
            std::string line = "-SET SASAUTOS (";
            const std::string_view tail = ")\r\n";
            for (int n = 0;; ++n) {
                const std::string next = list_entry(n) + " ";
                if (line.size() + next.size() + tail.size() > size) break;
                line += next;
            }
            line.append(size - line.size() - tail.size(), ' ');
            return line + std::string(tail);
        }
    }
    return {};
}

std::string wrong_edit_of_sample(std::string_view sample, ConfigUpdateRule rule,
                                 std::string_view written) {
    SasConfigEdit edit;
    edit.outcome = SasConfigEdit::Outcome::Edited;
    edit.bytes = written;
    edit.insertions = 1;
    const fuzzing::EditFunction edit_again = [](std::string_view file, ConfigUpdateRule again) {
        return edit_sas_config(file, kSampleMacroFolder, again, fuzzing::windows_1252());
    };
    return fuzzing::broken_invariant(sample, kSampleMacroFolder, rule, edit, edit_again);
}

}  // namespace kelvarion::bench
