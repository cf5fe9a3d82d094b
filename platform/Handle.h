#pragma once
// One move-only owner for every kind of system handle. A kind is described by
// a traits type with `Type`, `Invalid()` and `Close(Type)`. Closing keeps the
// thread's last-error value, so an owner going out of scope while an error is
// being reported does not overwrite the code that explains it.

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <utility>

namespace platform {

template <typename Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Type value) noexcept : value_(value) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Type Get() const noexcept { return value_; }
    bool IsValid() const noexcept { return value_ != Traits::Invalid(); }
    explicit operator bool() const noexcept { return IsValid(); }

    // Gives up ownership without closing.
    Type Release() noexcept { return std::exchange(value_, Traits::Invalid()); }

    // Closes the current value (if any) and takes the new one.
    void Reset(Type value = Traits::Invalid()) noexcept {
        Type old = std::exchange(value_, value);
        if (old != Traits::Invalid()) {
            DWORD lastError = GetLastError();
            Traits::Close(old);
            SetLastError(lastError);
        }
    }

    // For APIs that return a handle through an out-parameter: the old value is
    // closed first, so reusing an owner never leaks.
    Type* Put() noexcept {
        Reset();
        return &value_;
    }

private:
    Type value_ = Traits::Invalid();
};

namespace handle_traits {

template <typename T, T InvalidValue, auto CloseFunction>
struct Simple {
    using Type = T;
    static Type Invalid() noexcept { return InvalidValue; }
    static void Close(Type value) noexcept { CloseFunction(value); }
};

// INVALID_HANDLE_VALUE is no constant expression, so it cannot be a template argument.
template <auto CloseFunction>
struct InvalidHandleValue {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type value) noexcept { CloseFunction(value); }
};

}  // namespace handle_traits

// Handles that are null when empty.
using KernelHandle = UniqueHandle<handle_traits::Simple<HANDLE, nullptr, CloseHandle>>;
using RegistryKey = UniqueHandle<handle_traits::Simple<HKEY, nullptr, RegCloseKey>>;
using ModuleHandle = UniqueHandle<handle_traits::Simple<HMODULE, nullptr, FreeLibrary>>;
using WindowHandle = UniqueHandle<handle_traits::Simple<HWND, nullptr, DestroyWindow>>;
using MemoryDC = UniqueHandle<handle_traits::Simple<HDC, nullptr, DeleteDC>>;
using IconHandle = UniqueHandle<handle_traits::Simple<HICON, nullptr, DestroyIcon>>;

// Handles that are INVALID_HANDLE_VALUE when empty.
using FileHandle = UniqueHandle<handle_traits::InvalidHandleValue<CloseHandle>>;
using FindHandle = UniqueHandle<handle_traits::InvalidHandleValue<FindClose>>;

using FontHandle = UniqueHandle<handle_traits::Simple<HFONT, nullptr, DeleteObject>>;
using PenHandle = UniqueHandle<handle_traits::Simple<HPEN, nullptr, DeleteObject>>;
using BrushHandle = UniqueHandle<handle_traits::Simple<HBRUSH, nullptr, DeleteObject>>;
using BitmapHandle = UniqueHandle<handle_traits::Simple<HBITMAP, nullptr, DeleteObject>>;

// A shell item identifier list from the COM task allocator (the shell's allocator).
using ItemIdListHandle = UniqueHandle<handle_traits::Simple<LPITEMIDLIST, nullptr, CoTaskMemFree>>;

// A counted COM reference: releases on destruction, AddRefs on copy.
template <typename Interface>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Adopts a reference the caller already owns.
    static ComPtr Adopt(Interface* pointer) noexcept {
        ComPtr result;
        result.pointer_ = pointer;
        return result;
    }
    ComPtr(const ComPtr& other) noexcept : pointer_(other.pointer_) {
        if (pointer_) pointer_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    Interface* Get() const noexcept { return pointer_; }
    Interface* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }

    void Reset() noexcept {
        if (Interface* old = std::exchange(pointer_, nullptr)) old->Release();
    }
    // Out-parameter for creation and QueryInterface; releases the old reference first.
    Interface** Put() noexcept {
        Reset();
        return &pointer_;
    }
    void** PutVoid() noexcept { return reinterpret_cast<void**>(Put()); }

    // QueryInterface into another counted reference; empty when not supported.
    template <typename Other>
    HRESULT As(const IID& iid, ComPtr<Other>& result) const noexcept {
        if (!pointer_) return E_POINTER;
        return pointer_->QueryInterface(iid, result.PutVoid());
    }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace platform
