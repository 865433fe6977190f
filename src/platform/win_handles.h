#pragma once

#include <windows.h>

// Owns a kernel handle (process, file); closes it once. A failed CreateFile's
// INVALID_HANDLE_VALUE counts as no handle.
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle = nullptr) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~ScopedHandle() { reset(); }
    void reset()
    {
        if (handle_)
            CloseHandle(handle_);
        handle_ = nullptr;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HANDLE handle_;
};

// Owns an open registry key.
class ScopedRegKey {
public:
    ScopedRegKey() = default;
    ~ScopedRegKey() { if (key_) RegCloseKey(key_); }
    ScopedRegKey(const ScopedRegKey&) = delete;
    ScopedRegKey& operator=(const ScopedRegKey&) = delete;
    HKEY* receive() { return &key_; }
    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

// Owns a GDI object (font, brush, pen, bitmap).
template <typename T>
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(T object = nullptr) : object_(object) {}
    ~ScopedGdiObject() { if (object_) DeleteObject(object_); }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    T get() const { return object_; }
    void reset(T object)
    {
        if (object_) DeleteObject(object_);
        object_ = object;
    }

private:
    T object_;
};
