// One owner for each kind of GDI handle the program makes: each is released
// exactly once, by its owner.
#pragma once

#include <windows.h>

#include <utility>

// A font or bitmap, released with DeleteObject.
template <class Handle> class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    ~GdiObject() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            DeleteObject(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

using FontHandle = GdiObject<HFONT>;
using BitmapHandle = GdiObject<HBITMAP>;

// The whole screen's device context, given back when the owner goes.
class ScreenDc {
  public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    ~ScreenDc() {
        if (dc_ != nullptr) {
            ReleaseDC(nullptr, dc_);
        }
    }
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// A memory device context, deleted when the owner goes.
class MemoryDc {
  public:
    MemoryDc() = default;
    explicit MemoryDc(HDC dc) : dc_(dc) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    MemoryDc(MemoryDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    MemoryDc& operator=(MemoryDc&& other) noexcept {
        std::swap(dc_, other.dc_);
        return *this;
    }
    ~MemoryDc() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    HDC get() const { return dc_; }

  private:
    HDC dc_ = nullptr;
};
