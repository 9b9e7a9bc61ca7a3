// Registry reads against values this test writes itself under
// HKEY_LOCAL_MACHINE, in the 32-bit and the 64-bit view (a 32-bit program
// under WoW64 reaches both with KEY_WOW64_32KEY / KEY_WOW64_64KEY).

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/strconv_win.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"
#include "tests/support/utf16le.h"

namespace kelvarion {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::utf16le_bytes;
using Outcome = RegistryRead::Outcome;

REGSAM view_flag(RegistryView view) {
    return view == RegistryView::Bits64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

// The literal's bytes including its terminating NUL, as a program that stores
// a C string with its NUL writes them.
template <size_t N>
Bytes with_nul(const char16_t (&text)[N]) {
    return utf16le_bytes(std::u16string_view(text, N));
}

// Keys directly under SOFTWARE, removed from both views after each test.
class RegistryWin : public ::testing::Test {
protected:
    void TearDown() override {
        for (RegistryView view : {RegistryView::Bits32, RegistryView::Bits64}) {
            UniqueHkey software;
            if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0,
                              KEY_ENUMERATE_SUB_KEYS | DELETE | view_flag(view),
                              software.put()) != ERROR_SUCCESS) {
                continue;
            }
            for (const std::string& leaf : made_) {
                RegDeleteKeyW(software.get(), widen(leaf).c_str());
            }
        }
    }

    std::string key_name(const std::string& leaf) {
        made_.push_back(leaf);
        return "SOFTWARE\\" + leaf;
    }

    // Stores exactly `data` (no terminating NUL added) as a value of `type`.
    void set(RegistryView view, const std::string& subkey, const std::string& name, DWORD type,
             const Bytes& data) {
        UniqueHkey key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, widen(subkey).c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE | view_flag(view), nullptr, key.put(), nullptr),
                  ERROR_SUCCESS);
        // NT (and Wine) add a terminating NUL to a string whose count left it
        // out if the unit right after the data is a NUL: pad with non-NUL
        // bytes so that exactly `data` is stored.
        Bytes buffer = data;
        buffer.insert(buffer.end(), {0xFF, 0xFF, 0xFF, 0xFF});
        ASSERT_EQ(RegSetValueExW(key.get(), widen(name).c_str(), 0, type, buffer.data(),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    }

    Win32Platform platform;

private:
    std::vector<std::string> made_;
};

TEST_F(RegistryWin, StringValuesComeBackExactlyAsStoredInBothViews) {
    std::u16string long_text(5000, u'x');
    long_text += u"\\end";
    Bytes odd = utf16le_bytes(u"C:\\SAS");
    odd.push_back('9');
    const std::vector<std::pair<std::string, Bytes>> values = {
        {"with NUL", with_nul(u"C:\\SAS\\9.1")},
        {"no NUL", utf16le_bytes(u"C:\\SAS\\9.1")},
        {"embedded NUL", with_nul(u"C:\\A\0B\\C")},
        {"odd size", odd},
        {"empty", Bytes{}},
        {"only NUL", Bytes{0, 0}},
        {"non-ASCII", with_nul(u"D:\\Programme\\Ősz ™ \U0001F600")},
        {"long", utf16le_bytes(long_text)},
    };
    for (RegistryView view : {RegistryView::Bits32, RegistryView::Bits64}) {
        const std::string subkey =
            key_name(view == RegistryView::Bits32 ? "KelvarionTest SZ 32" : "KelvarionTest SZ 64");
        for (const auto& [name, data] : values) set(view, subkey, name, REG_SZ, data);
        for (const auto& [name, data] : values) {
            SCOPED_TRACE(name + (view == RegistryView::Bits32 ? " (32)" : " (64)"));
            const RegistryRead read = platform.read_registry_value(view, subkey, name);
            EXPECT_EQ(read.outcome, Outcome::Read);
            EXPECT_EQ(read.type, static_cast<std::uint32_t>(REG_SZ));
            EXPECT_EQ(read.data, data);
        }
    }
}

TEST_F(RegistryWin, OtherTypesGiveTheirTypeWithoutData) {
    const std::string subkey = key_name("KelvarionTest types");
    const DWORD dword = 1;
    const Bytes dword_bytes(reinterpret_cast<const std::uint8_t*>(&dword),
                            reinterpret_cast<const std::uint8_t*>(&dword) + sizeof dword);
    const std::vector<std::pair<DWORD, Bytes>> values = {
        {REG_EXPAND_SZ, with_nul(u"%SystemDrive%\\SAS")},
        {REG_MULTI_SZ, with_nul(u"C:\\SAS\0D:\\SAS\0")},
        {REG_DWORD, dword_bytes},
        {REG_BINARY, Bytes{0x43, 0x00, 0x3A, 0x00}},
        {REG_NONE, Bytes{}},
    };
    for (const auto& [type, data] : values) {
        set(RegistryView::Bits32, subkey, std::to_string(type) + " value", type, data);
    }
    for (const auto& [type, data] : values) {
        SCOPED_TRACE(type);
        const RegistryRead read = platform.read_registry_value(RegistryView::Bits32, subkey,
                                                               std::to_string(type) + " value");
        EXPECT_EQ(read.outcome, Outcome::Read);
        EXPECT_EQ(read.type, type);
        EXPECT_TRUE(read.data.empty());
    }
}

TEST_F(RegistryWin, MissingKeyAndMissingValueAreToldApart) {
    const std::string subkey = key_name("KelvarionTest missing");
    set(RegistryView::Bits32, subkey, "DefaultRoot", REG_SZ, utf16le_bytes(u"C:\\SAS"));

    RegistryRead read = platform.read_registry_value(RegistryView::Bits32, subkey, "AllUsers");
    EXPECT_EQ(read.outcome, Outcome::ValueMissing);
    EXPECT_TRUE(read.data.empty());

    read = platform.read_registry_value(RegistryView::Bits32, subkey + "\\9.2", "DefaultRoot");
    EXPECT_EQ(read.outcome, Outcome::KeyMissing);
    read = platform.read_registry_value(RegistryView::Bits32, "SOFTWARE\\KelvarionTest nowhere",
                                        "DefaultRoot");
    EXPECT_EQ(read.outcome, Outcome::KeyMissing);
}

TEST_F(RegistryWin, EachViewSeesOnlyItsOwnKeys) {
    const std::string only64 = key_name("KelvarionTest only 64");
    const std::string only32 = key_name("KelvarionTest only 32");
    const std::string both = key_name("KelvarionTest both");
    set(RegistryView::Bits64, only64, "DefaultRoot", REG_SZ, utf16le_bytes(u"C:\\SAS64"));
    set(RegistryView::Bits32, only32, "DefaultRoot", REG_SZ, utf16le_bytes(u"C:\\SAS32"));
    set(RegistryView::Bits64, both, "DefaultRoot", REG_SZ,
        utf16le_bytes(u"C:\\Program Files\\SAS"));
    set(RegistryView::Bits32, both, "DefaultRoot", REG_SZ,
        utf16le_bytes(u"C:\\Program Files (x86)\\SAS"));

    EXPECT_EQ(platform.read_registry_value(RegistryView::Bits64, only64, "DefaultRoot").data,
              utf16le_bytes(u"C:\\SAS64"));
    EXPECT_EQ(platform.read_registry_value(RegistryView::Bits32, only64, "DefaultRoot").outcome,
              Outcome::KeyMissing);
    EXPECT_EQ(platform.read_registry_value(RegistryView::Bits32, only32, "DefaultRoot").data,
              utf16le_bytes(u"C:\\SAS32"));
    EXPECT_EQ(platform.read_registry_value(RegistryView::Bits64, only32, "DefaultRoot").outcome,
              Outcome::KeyMissing);
    EXPECT_EQ(platform.read_registry_value(RegistryView::Bits64, both, "DefaultRoot").data,
              utf16le_bytes(u"C:\\Program Files\\SAS"));
    EXPECT_EQ(platform.read_registry_value(RegistryView::Bits32, both, "DefaultRoot").data,
              utf16le_bytes(u"C:\\Program Files (x86)\\SAS"));
}

TEST_F(RegistryWin, NonAsciiKeyAndValueNamesAreFound) {
    const std::string subkey = key_name("KelvarionTest Ősz ü ™");
    set(RegistryView::Bits32, subkey, "Wert é", REG_SZ, utf16le_bytes(u"ok"));
    const RegistryRead read = platform.read_registry_value(RegistryView::Bits32, subkey, "Wert é");
    EXPECT_EQ(read.outcome, Outcome::Read);
    EXPECT_EQ(read.data, utf16le_bytes(u"ok"));
}

TEST_F(RegistryWin, ReadsLeaveNoKeyHandleOpen) {
    const std::string subkey = key_name("KelvarionTest handles");
    set(RegistryView::Bits32, subkey, "DefaultRoot", REG_SZ, utf16le_bytes(u"C:\\SAS"));
    DWORD before = 0, after = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
    for (int i = 0; i < 200; ++i) {
        platform.read_registry_value(RegistryView::Bits32, subkey, "DefaultRoot");
        platform.read_registry_value(RegistryView::Bits32, subkey, "missing");
        platform.read_registry_value(RegistryView::Bits64, subkey, "DefaultRoot");
    }
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
    EXPECT_LT(after, before + 10) << before << " -> " << after;
}

}  // namespace
}  // namespace kelvarion
