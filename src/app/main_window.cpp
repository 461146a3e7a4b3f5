#include "app/main_window.h"

#include "app/shared.h"
#include "sampling/sampler.h"

namespace {

constexpr DWORD ButtonStyle = WS_CHILD | WS_VISIBLE | BS_PUSHLIKE | BS_RADIOBUTTON;
constexpr DWORD FieldStyle = WS_CHILD | WS_VISIBLE | ES_NUMBER;
constexpr DWORD LabelStyle = WS_CHILD | WS_VISIBLE;

static_assert(ButtonStyle == 0x50001004 && FieldStyle == 0x50002000 && LabelStyle == 0x50000000);

void CreateControls(HWND window) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const ControlRow& row : ControlTable) {
        *row.handle = CreateWindowExA(0, row.className, row.text, row.style, row.x, row.y,
                                      row.width, row.height, window, nullptr, instance, nullptr);
        SendMessageA(*row.handle, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont.get()),
                     MAKELPARAM(0, 0));
    }
    SetFocus(StartStopButton);
}

void ToggleMode() {
    if (ReadCaption(StartStopButton) == LiveCaption) {
        SetWindowTextA(StartStopButton, FrozenCaption);
    } else {
        SetWindowTextA(StartStopButton, LiveCaption);
        SetWindowTextA(MainWindow, ProgramTitle);
    }
    RequestRefresh();
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == EN_CHANGE && !ApplyingPass()) {
        RequestRefresh(); // typed into a field: the next pass overwrites it
    }
    if (HIWORD(wParam) != 0 || StopFlag.load()) {
        return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
    }
    if (reinterpret_cast<HWND>(lParam) == StartStopButton) {
        ToggleMode();
    }
    return 0;
}

void OnDestroy() {
    StopFlag.store(true);
    UiFont.reset();
    PostQuitMessage(0);
}

} // namespace

const std::array<ControlRow, 18> ControlTable = {{
    {"BUTTON", "Stop", ButtonStyle, 8, 112, 196, 21, &StartStopButton},
    {"EDIT", "", FieldStyle, 35, 14, 39, 21, &RedDecField},
    {"EDIT", "", FieldStyle, 78, 14, 39, 21, &RedHexField},
    {"EDIT", "", FieldStyle, 35, 38, 39, 21, &GreenDecField},
    {"EDIT", "", FieldStyle, 78, 38, 39, 21, &GreenHexField},
    {"EDIT", "", FieldStyle, 35, 62, 39, 21, &BlueDecField},
    {"EDIT", "", FieldStyle, 78, 62, 39, 21, &BlueHexField},
    {"EDIT", "", FieldStyle, 35, 86, 82, 21, &ResField},
    {"EDIT", "", FieldStyle, 150, 14, 53, 21, &XField},
    {"EDIT", "", FieldStyle, 150, 38, 53, 21, &YField},
    {"STATIC", "DEC", LabelStyle, 41, 1, 25, 13, &DecLabel},
    {"STATIC", "HEX", LabelStyle, 84, 1, 25, 13, &HexLabel},
    {"STATIC", "R", LabelStyle, 17, 18, 14, 13, &RedLabel},
    {"STATIC", "G", LabelStyle, 17, 41, 14, 13, &GreenLabel},
    {"STATIC", "B", LabelStyle, 18, 63, 14, 13, &BlueLabel},
    {"STATIC", "RES", LabelStyle, 4, 90, 26, 13, &ResLabel},
    {"STATIC", "X", LabelStyle, 134, 20, 9, 13, &XLabel},
    {"STATIC", "Y", LabelStyle, 134, 40, 9, 13, &YLabel},
}};

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateControls(window);
        return 0;
    case WM_COMMAND:
        return OnCommand(window, wParam, lParam);
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case PassMessage:
        ApplyPass();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
