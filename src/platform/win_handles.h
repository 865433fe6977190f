#pragma once

#include <utility>

#include <windows.h>

namespace torvane {

template <typename Handle>
bool IsNullHandle(Handle handle)
{
    return handle == nullptr;
}

// Kernel calls disagree on failure: CreateFile gives INVALID_HANDLE_VALUE,
// OpenProcess and CreateMutex give null.
inline bool IsNullOrInvalidHandle(HANDLE handle)
{
    return handle == nullptr || handle == INVALID_HANDLE_VALUE;
}

// Owns one handle and closes it once with Close. A value IsEmpty accepts is
// held as null, so a failed call's result can be taken on without a check.
template <typename Handle, auto Close, auto IsEmpty = &IsNullHandle<Handle>>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(Adopt(handle)) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return !IsEmpty(handle_); }

    // Takes `handle` on and closes the one held before, unless it is the same.
    void reset(Handle handle = nullptr)
    {
        const Handle previous = std::exchange(handle_, Adopt(handle));
        if (!IsEmpty(previous) && previous != handle_)
            Close(previous);
    }

    // Lets go of the handle without closing it.
    Handle release() { return std::exchange(handle_, nullptr); }

    // For a call that hands the handle back through a pointer; whatever was
    // held is closed first.
    Handle* receive()
    {
        reset();
        return &handle_;
    }

private:
    static Handle Adopt(Handle handle) { return IsEmpty(handle) ? nullptr : handle; }

    Handle handle_ = nullptr;
};

using ScopedHandle = UniqueHandle<HANDLE, CloseHandle, IsNullOrInvalidHandle>;
using ScopedRegKey = UniqueHandle<HKEY, RegCloseKey>;
using ScopedMenu = UniqueHandle<HMENU, DestroyMenu>;
using ScopedIcon = UniqueHandle<HICON, DestroyIcon>;
// A window the owner made and nobody else destroys, such as a tooltip.
using ScopedWindow = UniqueHandle<HWND, DestroyWindow>;
// Fonts, brushes, pens, bitmaps and regions.
template <typename T>
using ScopedGdiObject = UniqueHandle<T, DeleteObject>;
using ScopedRegion = ScopedGdiObject<HRGN>;
// A DC of CreateCompatibleDC's.
using MemoryDc = UniqueHandle<HDC, DeleteDC>;

// A window's DC, or the screen's for a null window, borrowed from GetDC and
// given back when the owner goes.
class WindowDc {
public:
    explicit WindowDc(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back when the owner
// goes. A null object selects nothing. Not for regions, whose SelectObject
// answers with a kind of region rather than the object it replaced.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect()
    {
        if (previous_)
            SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace torvane
