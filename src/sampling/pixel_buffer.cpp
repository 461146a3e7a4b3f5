#include "sampling/pixel_buffer.h"

#include <cstring>

std::unique_ptr<PixelBuffer> PixelBuffer::Create() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 1;
    info.bmiHeader.biHeight = -1; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        return nullptr;
    }
    std::memset(bits, 0xff, 3);
    return std::unique_ptr<PixelBuffer>(
        new PixelBuffer(std::move(bitmap), static_cast<std::uint8_t*>(bits)));
}

void* PixelBuffer::operator new(std::size_t size) noexcept {
    return HeapAlloc(GetProcessHeap(), 0, size);
}

void PixelBuffer::operator delete(void* buffer) noexcept {
    if (buffer != nullptr) {
        HeapFree(GetProcessHeap(), 0, buffer);
    }
}

PixelBuffer::PixelBuffer(BitmapHandle bitmap, std::uint8_t* bits)
    : bitmap_(std::move(bitmap)), bits_(bits) {}

std::uint8_t* PixelBuffer::ScanLine0() const {
    GdiFlush();
    return bits_;
}

HDC PixelBuffer::Surface() {
    if (surface_.get() == nullptr) {
        MemoryDc dc(CreateCompatibleDC(nullptr));
        if (dc.get() == nullptr || SelectObject(dc.get(), bitmap_.get()) == nullptr) {
            return nullptr;
        }
        surface_ = std::move(dc);
    }
    return surface_.get();
}
