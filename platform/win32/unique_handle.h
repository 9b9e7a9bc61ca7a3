#pragma once
// One owner type for every kind of Win32 handle. Each kind names its invalid
// value and its close function, so a file HANDLE (invalid =
// INVALID_HANDLE_VALUE) and an event or process HANDLE (invalid = null) are
// different types and cannot be mixed up; so are a font (DeleteObject) and an
// icon (DestroyIcon).

#include <windows.h>

#include <utility>

namespace kelvarion {

template <typename Traits>
class UniqueHandle {
public:
    using pointer = typename Traits::pointer;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(pointer handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    pointer get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::invalid(); }

    // Gives up ownership without closing.
    pointer release() noexcept { return std::exchange(handle_, Traits::invalid()); }

    void reset(pointer handle = Traits::invalid()) noexcept {
        const pointer old = std::exchange(handle_, handle);
        if (old != Traits::invalid()) Traits::close(old);
    }

    // For APIs that return the handle through an out-parameter
    // (RegOpenKeyExW): closes the current one first.
    pointer* put() noexcept {
        reset();
        return &handle_;
    }

private:
    pointer handle_ = Traits::invalid();
};

struct RegistryKeyTraits {
    using pointer = HKEY;
    static HKEY invalid() noexcept { return nullptr; }
    static void close(HKEY key) noexcept { ::RegCloseKey(key); }
};

// What CreateFileW and FindFirstFileW-style calls return: invalid is
// INVALID_HANDLE_VALUE, never null.
struct FileHandleTraits {
    using pointer = HANDLE;
    static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE handle) noexcept { ::CloseHandle(handle); }
};

// What CreateEventW, OpenProcess and the like return: invalid is null.
struct KernelHandleTraits {
    using pointer = HANDLE;
    static HANDLE invalid() noexcept { return nullptr; }
    static void close(HANDLE handle) noexcept { ::CloseHandle(handle); }
};

// A font made by CreateFontIndirectW. Never give it a stock font
// (GetStockObject): those belong to the system.
struct FontTraits {
    using pointer = HFONT;
    static HFONT invalid() noexcept { return nullptr; }
    static void close(HFONT font) noexcept { ::DeleteObject(font); }
};

// An icon made by LoadImageW without LR_SHARED, or by CreateIcon.
struct IconTraits {
    using pointer = HICON;
    static HICON invalid() noexcept { return nullptr; }
    static void close(HICON icon) noexcept { ::DestroyIcon(icon); }
};

// Memory that the system allocated for the caller with LocalAlloc
// (FormatMessageW with FORMAT_MESSAGE_ALLOCATE_BUFFER, CommandLineToArgvW),
// typed as what it holds.
template <typename T>
struct LocalMemoryTraits {
    using pointer = T*;
    static T* invalid() noexcept { return nullptr; }
    static void close(T* memory) noexcept { ::LocalFree(memory); }
};

using UniqueHkey = UniqueHandle<RegistryKeyTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFont = UniqueHandle<FontTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
template <typename T>
using UniqueLocalMemory = UniqueHandle<LocalMemoryTraits<T>>;

}  // namespace kelvarion
