// A window showing a gradient along x, for the pointer to move over: every
// column has its own colour. Shift() moves the gradient, so a pointer at rest
// still sees new colours.
#pragma once

#include <windows.h>

#include <cstdint>

class GradientTarget {
  public:
    GradientTarget() {
        WNDCLASSA record{};
        record.lpfnWndProc = Paint;
        record.hInstance = GetModuleHandleA(nullptr);
        record.lpszClassName = "HuepeekGradientTarget";
        RegisterClassA(&record);
        window_ = CreateWindowExA(0, "HuepeekGradientTarget", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                  Width, 700, nullptr, nullptr, nullptr, nullptr);
        UpdateWindow(window_);
    }
    GradientTarget(const GradientTarget&) = delete;
    GradientTarget& operator=(const GradientTarget&) = delete;
    ~GradientTarget() { DestroyWindow(window_); }

    HWND window() const { return window_; }

    void Shift() {
        ++offset_;
        InvalidateRect(window_, nullptr, TRUE);
        UpdateWindow(window_);
    }

  private:
    static constexpr int Width = 1024;

    static LRESULT CALLBACK Paint(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_ERASEBKGND) {
            return DefWindowProcA(window, message, wParam, lParam);
        }
        RECT rect{};
        GetClientRect(window, &rect);
        static std::uint32_t row[Width];
        for (int x = 0; x < Width; ++x) {
            const auto u = static_cast<std::uint32_t>(x) + offset_ * 17;
            row[x] = ((u * 37) & 0xFF) << 16 | ((u * 11) & 0xFF) << 8 | ((u * 3) & 0xFF);
        }
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, Width, 1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        StretchDIBits(reinterpret_cast<HDC>(wParam), 0, 0, Width, rect.bottom, 0, 0, Width, 1, row,
                      &info, DIB_RGB_COLORS, SRCCOPY);
        return 1;
    }

    HWND window_ = nullptr;
    static inline std::uint32_t offset_ = 0;
};
