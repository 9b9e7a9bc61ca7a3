// The SAS configuration edit under the system's own ANSI code page, as the
// program runs it. Run by CTest under LANG values that give Wine the code
// pages 932, 936 and 874 (and 1252, where the cases in the local script are
// skipped). In the double-byte code pages the second byte of a character can
// be a backslash or an ASCII letter; the edit must read whole characters.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "host/sas_config_edit.h"
#include "platform/win32/win32_platform.h"

namespace kelvarion {
namespace {

struct Script {
    UINT code_page;
    std::string folder;        // UTF-8: a folder name in the local script
    std::string folder_bytes;  // the same in the code page
    // Two letters whose encodings differ only in an ASCII letter's case in
    // their second byte; empty where the code page has none.
    std::string letter, letter_bytes, other_letter_bytes;
};

const Script kScripts[] = {
    // ソフト表 (trail bytes 5C); ヂ 83 61 against ア 83 41.
    {932, "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88\xE8\xA1\xA8", "\x83\x5C\x83\x74\x83\x67\x95\x5C",
     "\xE3\x83\x82", "\x83\x61", "\x83\x41"},
    // 软件乗 (the last trail byte 5C); 乤 81 61 against 丄 81 41.
    {936, "\xE8\xBD\xAF\xE4\xBB\xB6\xE4\xB9\x97", "\xC8\xED\xBC\xFE\x81\x5C", "\xE4\xB9\xA4",
     "\x81\x61", "\x81\x41"},
    // ภาษาไทย
    {874, "\xE0\xB8\xA0\xE0\xB8\xB2\xE0\xB8\xA9\xE0\xB8\xB2\xE0\xB9\x84\xE0\xB8\x97\xE0\xB8\xA2",
     "\xC0\xD2\xC9\xD2\xE4\xB7\xC2", "", "", ""},
};

class SasConfigInCodePage : public ::testing::Test {
protected:
    void SetUp() override {
        for (const Script& s : kScripts)
            if (s.code_page == GetACP()) script = &s;
        if (script == nullptr) GTEST_SKIP() << "code page " << GetACP();
    }

    SasConfigEdit edit(const std::string& file, const std::string& folder,
                       ConfigUpdateRule rule = ConfigUpdateRule::SkipWhenNamed) {
        const CodePage ansi{
            [this](std::string_view utf8) { return platform.encode_ansi(utf8); },
            [this](std::string_view bytes) { return platform.decode_ansi(bytes); },
        };
        return edit_sas_config(file, folder, rule, ansi);
    }

    Win32Platform platform;
    const Script* script = nullptr;
};

TEST_F(SasConfigInCodePage, FolderInTheLocalScriptIsInsertedInTheCodePage) {
    const std::string folder = "D:\\" + script->folder + "\\Kelvarion\\saspgm";
    const std::string bytes = "D:\\" + script->folder_bytes + "\\Kelvarion\\saspgm";
    const SasConfigEdit result = edit("-SET SASAUTOS (\"!SASROOT\\core\\sasmacro\")\r\n", folder);
    ASSERT_EQ(result.outcome, SasConfigEdit::Outcome::Edited);
    EXPECT_EQ(result.bytes, "-SET SASAUTOS (\r\n                \"" + bytes +
                                "\" \"!SASROOT\\core\\sasmacro\")\r\n");
    // The second run finds it, with or without a trailing backslash after a
    // character whose second byte is itself a backslash.
    EXPECT_EQ(edit(result.bytes, folder).outcome, SasConfigEdit::Outcome::Unchanged);
    const std::string root_only = "D:\\" + script->folder;
    const std::string named_with_backslash =
        "-SET SASAUTOS (\r\n  \"D:\\" + script->folder_bytes + "\\\"\r\n)\r\n";
    const SasConfigEdit again = edit(named_with_backslash, root_only);
    EXPECT_EQ(again.outcome, SasConfigEdit::Outcome::Unchanged);
    EXPECT_TRUE(again.folder_named);
}

TEST_F(SasConfigInCodePage, TrailBytesNeverReadAsSyntaxOrFoldedAsLetters) {
    if (script->letter.empty()) GTEST_SKIP() << "no such letters in code page " << GetACP();
    const std::string folder = "D:\\" + script->letter + "\\saspgm";
    // The other letter's bytes differ only in an ASCII letter's case: it is
    // another folder, so the edit must insert ours.
    const std::string other = "  \"D:\\" + script->other_letter_bytes + "\\saspgm\"";
    const std::string file = "-SET SASAUTOS (\r\n" + other + "\r\n)\r\n";
    const SasConfigEdit result = edit(file, folder);
    ASSERT_EQ(result.outcome, SasConfigEdit::Outcome::Edited);
    EXPECT_EQ(result.bytes, "-SET SASAUTOS (\r\n                \"D:\\" + script->letter_bytes +
                                "\\saspgm\"\r\n" + other + "\r\n)\r\n");
    // Unquoted entries and comments in the local script around the list.
    const std::string local = script->folder_bytes;
    const std::string around = "/* " + local + " */ -SET SASAUTOS\r\n-SET SASAUTOS /*" + local +
                               "*/ (D:\\" + local + "\\x " + local + ")\r\n";
    const SasConfigEdit legacy = edit(around, folder, ConfigUpdateRule::InsertEveryRun);
    ASSERT_EQ(legacy.outcome, SasConfigEdit::Outcome::Edited);
    EXPECT_EQ(legacy.insertions, 1);
    EXPECT_EQ(legacy.bytes, "/* " + local + " */ -SET SASAUTOS\r\n-SET SASAUTOS /*" + local +
                                "*/ (\r\n                \"D:\\" + script->letter_bytes +
                                "\\saspgm\" D:\\" + local + "\\x " + local + ")\r\n");
}

}  // namespace
}  // namespace kelvarion
