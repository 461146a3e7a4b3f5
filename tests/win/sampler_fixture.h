// The main window with the sampler running, over colour targets: plain
// windows of a known colour that the pointer is put on.
#pragma once

#include "main_window_fixture.h"
#include "sampling/sampler.h"

class ColourTarget {
  public:
    ColourTarget(RECT rect, COLORREF colour) : colour_(colour) {
        WNDCLASSA record{};
        record.lpfnWndProc = Paint;
        record.hInstance = GetModuleHandleA(nullptr);
        record.lpszClassName = "HuepeekColourTarget";
        RegisterClassA(&record);
        window_ = CreateWindowExA(WS_EX_TOPMOST, "HuepeekColourTarget", "", WS_POPUP | WS_VISIBLE,
                                  rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        Repaint();
    }
    ColourTarget(const ColourTarget&) = delete;
    ColourTarget& operator=(const ColourTarget&) = delete;
    ~ColourTarget() { DestroyWindow(window_); }

    void SetColour(COLORREF colour) {
        colour_ = colour;
        Repaint();
    }

  private:
    void Repaint() {
        InvalidateRect(window_, nullptr, TRUE);
        UpdateWindow(window_);
    }
    static LRESULT CALLBACK Paint(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_ERASEBKGND) {
            auto* self = reinterpret_cast<ColourTarget*>(GetWindowLongPtrA(window, GWLP_USERDATA));
            if (self != nullptr) {
                RECT rect{};
                GetClientRect(window, &rect);
                GdiObject<HBRUSH> brush(CreateSolidBrush(self->colour_));
                FillRect(reinterpret_cast<HDC>(wParam), &rect, brush.get());
            }
            return 1;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    COLORREF colour_;
};

class SamplerTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        StartSampler();
    }
    void TearDown() override {
        EXPECT_TRUE(FinishSampler()) << "the sampler thread did not end";
        MainWindowTest::TearDown();
    }

    static void Click() {
        SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                     reinterpret_cast<LPARAM>(StartStopButton));
    }

    // Moves the pointer and waits until the x and y fields show it.
    static bool PointAt(int x, int y) {
        SetCursorPos(x, y);
        return PumpUntil([&] {
            return TextOf(XField) == std::to_string(x) && TextOf(YField) == std::to_string(y);
        });
    }

    static std::vector<std::string> ColourTexts() {
        std::vector<std::string> texts;
        for (HWND field : {RedDecField, RedHexField, GreenDecField, GreenHexField, BlueDecField,
                           BlueHexField, ResField}) {
            texts.push_back(TextOf(field));
        }
        return texts;
    }

    static bool ColourTextsAre(const std::vector<std::string>& expected) {
        return PumpUntil([&] { return ColourTexts() == expected; });
    }
};
