// The system's failure descriptions as the user sees them in the failure box.

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/win32/error_text_win.h"
#include "tests/fakes/fake_platform.h"  // the texts the fake imitates

namespace kelvarion {
namespace {

// Wine's message table has texts of its own ("File not found."); the fake
// platform imitates Windows'.
bool windows_english_messages() {
    const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return !wine && PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_ENGLISH;
}

void expect_clean_text(const std::string& text) {
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
    EXPECT_NE(text.back(), ' ') << text;
    EXPECT_EQ(text.rfind("Unknown error", 0), std::string::npos) << text;
}

TEST(ErrorTextWin, SystemDescriptionsWithoutLineBreak) {
    std::set<std::string> texts;
    for (DWORD code : {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED,
                       ERROR_ALREADY_EXISTS, ERROR_DISK_FULL, ERROR_SHARING_VIOLATION}) {
        SCOPED_TRACE(code);
        const std::string text = win32_error_text(code);
        expect_clean_text(text);
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), 6u);  // each code its own description
    if (!windows_english_messages()) return;
    EXPECT_EQ(win32_error_text(ERROR_FILE_NOT_FOUND), testing::kFileNotFound);
    EXPECT_EQ(win32_error_text(ERROR_PATH_NOT_FOUND), testing::kPathNotFound);
    EXPECT_EQ(win32_error_text(ERROR_ACCESS_DENIED), testing::kAccessDenied);
    EXPECT_EQ(win32_error_text(ERROR_ALREADY_EXISTS), testing::kAlreadyExists);
    EXPECT_EQ(win32_error_text(ERROR_DISK_FULL), testing::kDiskFull);
}

TEST(ErrorTextWin, MessagesWithInsertsAreGivenNotDropped) {
    // ERROR_WRONG_DISK's text holds %2 and %3; without IGNORE_INSERTS the call fails.
    expect_clean_text(win32_error_text(ERROR_WRONG_DISK));
}

TEST(ErrorTextWin, HresultsHaveDescriptionsToo) {
    for (HRESULT hr : {E_ACCESSDENIED, HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), E_FAIL,
                       E_INVALIDARG, E_OUTOFMEMORY}) {
        SCOPED_TRACE(static_cast<unsigned long>(hr));
        expect_clean_text(win32_error_text(static_cast<unsigned long>(hr)));
    }
    // A wrapped Win32 error reads as the error itself.
    EXPECT_EQ(win32_error_text(static_cast<unsigned long>(E_ACCESSDENIED)),
              win32_error_text(ERROR_ACCESS_DENIED));
}

TEST(ErrorTextWin, UnknownCodesNameTheirNumber) {
    const unsigned long customer_code = 0x20001234;  // customer bit: never a system message
    const std::string text = win32_error_text(customer_code);
    EXPECT_NE(text.find(std::to_string(customer_code)), std::string::npos) << text;
    EXPECT_NE(text.find("0x20001234"), std::string::npos) << text;
}

TEST(ErrorTextWin, PathFailuresNameThePathThenTheSystemsText) {
    const std::string path = "C:\\SAS\\9.1\\nls\\en\\SASV9.CFG";
    EXPECT_EQ(win32_path_error_text(path, ERROR_ACCESS_DENIED),
              path + ": " + win32_error_text(ERROR_ACCESS_DENIED));
    // HRESULTs as a shortcut save gives them; paths in UTF-8 as they came.
    const std::string link = "C:\\Users\\Ελένη\\Desktop\\Kelvarion.lnk";
    EXPECT_EQ(win32_path_error_text(link, static_cast<unsigned long>(E_ACCESSDENIED)),
              link + ": " + win32_error_text(ERROR_ACCESS_DENIED));
    EXPECT_EQ(win32_path_error_text("", ERROR_FILE_NOT_FOUND),
              win32_error_text(ERROR_FILE_NOT_FOUND));
}

TEST(ErrorTextWin, LastErrorTextReadsTheThreadsLastError) {
    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(last_error_text(), win32_error_text(ERROR_ACCESS_DENIED));
    SetLastError(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(last_error_text(), win32_error_text(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace kelvarion
