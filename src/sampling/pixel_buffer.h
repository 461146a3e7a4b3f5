// The 1 x 1, 24-bit pixel buffer that screen copies land in: a DIB section
// whose one row stays at the same address for the buffer's whole life.
#pragma once

#include "app/gdi.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

class PixelBuffer {
  public:
    // A white buffer, or nullptr if the platform refuses the bitmap.
    static std::unique_ptr<PixelBuffer> Create();

    // From the process heap: the program needs nothing of the C++ runtime's allocator.
    static void* operator new(std::size_t size) noexcept;
    static void operator delete(void* buffer) noexcept;

    PixelBuffer(const PixelBuffer&) = delete;
    PixelBuffer& operator=(const PixelBuffer&) = delete;

    int Height() const { return 1; }
    // The only row: blue, green, red, padded to 4 bytes.
    std::uint8_t* ScanLine0() const;
    // The drawing surface, made at the first request; nullptr if it cannot be made.
    HDC Surface();

  private:
    PixelBuffer(BitmapHandle bitmap, std::uint8_t* bits);

    BitmapHandle bitmap_;
    std::uint8_t* bits_;
    MemoryDc surface_; // destroyed first, so the bitmap is no longer selected
};
