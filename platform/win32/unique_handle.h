#pragma once
// One owner type for every kind of Win32 handle. Each kind names its invalid
// value and its close function, so a file HANDLE (invalid =
// INVALID_HANDLE_VALUE) and an event or process HANDLE (invalid = null) are
// different types and cannot be mixed up.

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

using UniqueHkey = UniqueHandle<RegistryKeyTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

}  // namespace kelvarion
