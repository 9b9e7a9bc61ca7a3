// The handle owner closes exactly once and only what it owns.

#include <windows.h>

#include <gtest/gtest.h>

#include <type_traits>

#include "platform/win32/unique_handle.h"

namespace kelvarion {
namespace {

// A file handle (invalid = INVALID_HANDLE_VALUE) and a kernel handle
// (invalid = null) must not convert into each other.
static_assert(!std::is_convertible_v<UniqueFileHandle, UniqueKernelHandle>);
static_assert(!std::is_copy_constructible_v<UniqueKernelHandle>);

bool is_open(HANDLE handle) {
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(UniqueHandle, ClosesOnResetAndDestructionButNotAfterRelease) {
    HANDLE raw = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(raw, nullptr);
    {
        UniqueKernelHandle owner(raw);
        EXPECT_TRUE(owner);
        UniqueKernelHandle moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_EQ(moved.get(), raw);
        EXPECT_TRUE(is_open(raw));
    }
    EXPECT_FALSE(is_open(raw));

    HANDLE kept = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        UniqueKernelHandle owner(kept);
        EXPECT_EQ(owner.release(), kept);
    }
    EXPECT_TRUE(is_open(kept));
    UniqueKernelHandle owner(kept);
    owner.reset();
    EXPECT_FALSE(is_open(kept));
}

TEST(UniqueHandle, FileHandlesTreatInvalidHandleValueAsEmpty) {
    UniqueFileHandle none(
        CreateFileW(L"C:\\no such folder\\x", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(none);
    EXPECT_EQ(none.get(), INVALID_HANDLE_VALUE);
    UniqueKernelHandle empty;
    EXPECT_FALSE(empty);
    EXPECT_EQ(empty.get(), nullptr);
}

TEST(UniqueHandle, FontsAreDeletedAndIconsDestroyed) {
    LOGFONTW description{};
    description.lfHeight = -11;
    const HFONT font = CreateFontIndirectW(&description);
    ASSERT_NE(font, nullptr);
    {
        const UniqueFont owner(font);
        EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
    }
    EXPECT_EQ(GetObjectType(font), 0u);

    const BYTE and_mask[32 * 4] = {};
    const BYTE xor_mask[32 * 4] = {};
    const HICON icon = CreateIcon(nullptr, 32, 32, 1, 1, and_mask, xor_mask);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    {
        const UniqueIcon owner(icon);
        ASSERT_TRUE(GetIconInfo(icon, &info));
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
    }
    EXPECT_FALSE(GetIconInfo(icon, &info));
}

TEST(UniqueHandle, LocalMemoryIsFreed) {
    const HLOCAL block = LocalAlloc(LMEM_MOVEABLE, 64);
    ASSERT_NE(block, nullptr);
    {
        const UniqueLocalMemory<void> owner(block);
        EXPECT_NE(LocalFlags(block), LMEM_INVALID_HANDLE);
    }
    EXPECT_EQ(LocalFlags(block), LMEM_INVALID_HANDLE);
}

}  // namespace
}  // namespace kelvarion
