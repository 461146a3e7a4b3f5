#include "app/program.h"

#include "app/main_window.h"
#include "app/placement.h"
#include "app/shared.h"
#include "sampling/sampler.h"

namespace {

constexpr char ClassName[] = "Huepeek";
constexpr DWORD MainWindowStyle = WS_OVERLAPPED | WS_SYSMENU | WS_MINIMIZEBOX;
static_assert(MainWindowStyle == 0x000A0000);

WNDCLASSA MainClass{};
MSG Message{};

} // namespace

void CreateUiFont() {
    UiFont.reset(
        CreateFontA(8, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif"));
}

void RegisterMainClass() {
    MainClass.style = 0;
    MainClass.lpfnWndProc = MainWndProc;
    MainClass.cbClsExtra = 0;
    MainClass.cbWndExtra = 0;
    MainClass.hIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    MainClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    // A small integer here is a system colour index plus one: COLOR_MENU.
    MainClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_MENU + 1));
    MainClass.lpszMenuName = nullptr;
    MainClass.lpszClassName = ClassName;
    RegisterClassA(&MainClass);
}

void ReadWorkArea() {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &WorkArea, 0);
}

void CreateMainWindow() {
    MainWindow = CreateWindowExA(0, ClassName, ProgramTitle, MainWindowStyle, 0, 0, 0, 0, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
}

void PlaceMainWindow() {
    const WindowPlace place = PlaceInWorkArea(WorkArea.right, WorkArea.bottom);
    SetWindowPos(MainWindow, HWND_TOPMOST, place.x, place.y, MainWindowWidth, MainWindowHeight,
                 SWP_SHOWWINDOW);
}

int RunMessageLoop() {
    // GetMessageA gives -1 on failure: that ends the loop too, rather than spin.
    while (GetMessageA(&Message, nullptr, 0, 0) > 0) {
        TranslateMessage(&Message);
        DispatchMessageA(&Message);
    }
    return static_cast<int>(Message.wParam);
}

void ProgramMain() {
    CreateUiFont();
    RegisterMainClass();
    ReadWorkArea();
    CreateMainWindow();
    if (MainWindow == nullptr) {
        // Without a window the loop would wait for ever on nothing.
        ExitProcess(1);
    }
    PlaceMainWindow();
    StartSampler();
    RunMessageLoop();
    ProgramFinalization();
    ExitProcess(0);
}

void ProgramFinalization() {
    FinishSampler();
}
