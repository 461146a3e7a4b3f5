#include "app/shared.h"

std::atomic<bool> StopFlag{true};

HWND MainWindow = nullptr;
FontHandle UiFont;
RECT WorkArea = {0, 0, 0, 0};

HWND StartStopButton = nullptr;
HWND RedDecField = nullptr, RedHexField = nullptr, GreenDecField = nullptr;
HWND GreenHexField = nullptr, BlueDecField = nullptr, BlueHexField = nullptr;
HWND ResField = nullptr, XField = nullptr, YField = nullptr;
HWND DecLabel = nullptr, HexLabel = nullptr, RedLabel = nullptr, GreenLabel = nullptr;
HWND BlueLabel = nullptr, ResLabel = nullptr, XLabel = nullptr, YLabel = nullptr;

Caption ReadCaption(HWND window) {
    Caption caption;
    const int count = GetWindowTextA(window, caption.chars_.data(), 255);
    caption.length_ = count > 0 ? static_cast<std::size_t>(count) : 0;
    return caption;
}
