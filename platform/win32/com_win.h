#pragma once
// Owners for COM: an interface pointer released when it goes out of scope, and
// a per-thread COM apartment that is left only if this object entered it.

#include <objbase.h>

#include <utility>

namespace kelvarion {

template <typename Interface>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ~ComPtr() { reset(); }

    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* get() const noexcept { return pointer_; }
    Interface* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }

    void reset() noexcept {
        if (Interface* old = std::exchange(pointer_, nullptr)) old->Release();
    }

    // For CoCreateInstance and QueryInterface: releases the current pointer
    // first, then receives the new one.
    void** put_void() noexcept {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }

    template <typename Other>
    HRESULT query(REFIID iid, ComPtr<Other>* out) const noexcept {
        return pointer_->QueryInterface(iid, out->put_void());
    }

private:
    Interface* pointer_ = nullptr;
};

// Enters a single-threaded apartment for the current thread, as the shell's
// objects want. A thread already in a multithreaded apartment
// (RPC_E_CHANGED_MODE) can still use them; COM is left on destruction only
// when this object's initialise succeeded (S_OK or S_FALSE).
class ComApartment {
public:
    ComApartment() noexcept
        : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool usable() const noexcept { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }
    HRESULT result() const noexcept { return result_; }

private:
    HRESULT result_;
};

}  // namespace kelvarion
