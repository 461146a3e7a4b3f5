// The Windows half of the soak: starts the program, keeps the pointer moving
// over changing colours with a freeze/resume now and then and a short rest
// every 20 s, and every 10 s
// prints the program's handle and GDI object counts as the platform reports
// them (Wine answers 0). The Linux half (bench/soak) reads memory and
// descriptors from /proc at each printed sample.
//
//   soak_driver.exe <program.exe> <minutes>
//
// Lines: "started <pid>", "sample <seconds> <handles> <gdi objects> <user objects>",
// "exit <code>"; a line starting "error" on failure (exit code 1).
#include "gradient_target.h"
#include "wait.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr ULONGLONG SampleMs = 10000;
constexpr ULONGLONG ToggleMs = 3000;
constexpr ULONGLONG ShiftMs = 5000;
// Now and then the pointer rests, as a user's does. (The first rest, before
// the first sample, also lets the platform finish its one-time set-up of the
// sampler thread: under Wine that thread opens its own X connection only
// once the pointer has rested long enough to be read from the X server.)
constexpr ULONGLONG RestEveryMs = 20000;
constexpr DWORD RestMs = 500;
constexpr int RowY = 300;

// Keeps this thread's windows answering for `ms`.
void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

HWND WaitForWindow(HANDLE process) {
    HWND window = nullptr;
    PumpUntil(
        [&] {
            window = FindWindowA("Huepeek", nullptr);
            return WaitForSingleObject(process, 0) != WAIT_TIMEOUT ||
                   (window != nullptr &&
                    FindWindowExA(window, nullptr, "BUTTON", nullptr) != nullptr);
        },
        20000);
    return window;
}

int Fail(const char* what, HANDLE process) {
    std::printf("error %s\n", what);
    std::fflush(stdout);
    if (process != nullptr) {
        TerminateProcess(process, 1);
    }
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::printf("error usage: soak_driver.exe <program.exe> <minutes>\n");
        return 1;
    }
    const ULONGLONG runMs = static_cast<ULONGLONG>(std::atof(argv[2]) * 60000);
    GradientTarget target;

    std::string commandLine = std::string("\"") + argv[1] + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &child)) {
        return Fail("the program did not start", nullptr);
    }
    CloseHandle(child.hThread);
    HWND window = WaitForWindow(child.hProcess);
    HWND button = window != nullptr ? FindWindowExA(window, nullptr, "BUTTON", nullptr) : nullptr;
    if (button == nullptr) {
        return Fail("no window", child.hProcess);
    }
    std::printf("started %lu\n", child.dwProcessId);
    std::fflush(stdout);

    SetCursorPos(100, RowY);
    PumpFor(RestMs);
    const ULONGLONG start = GetTickCount64();
    ULONGLONG nextSample = start + SampleMs, nextToggle = start + ToggleMs,
              nextShift = start + ShiftMs, nextRest = start + RestEveryMs;
    int x = 100;
    // Until the sample at the end of the run has been taken.
    for (ULONGLONG now = start; nextSample <= start + runMs; now = GetTickCount64()) {
        if (WaitForSingleObject(child.hProcess, 0) != WAIT_TIMEOUT) {
            return Fail("the program ended during the soak", nullptr);
        }
        x = x >= 897 ? 100 : x + 3;
        SetCursorPos(x, RowY);
        if (now >= nextToggle) {
            DWORD_PTR result = 0;
            SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
            nextToggle += ToggleMs;
        }
        if (now >= nextShift) {
            target.Shift();
            nextShift += ShiftMs;
        }
        if (now >= nextRest) {
            PumpFor(RestMs);
            nextRest += RestEveryMs;
        }
        if (now >= nextSample) {
            DWORD handles = 0;
            GetProcessHandleCount(child.hProcess, &handles);
            std::printf("sample %llu %lu %lu %lu\n", (now - start) / 1000, handles,
                        GetGuiResources(child.hProcess, GR_GDIOBJECTS),
                        GetGuiResources(child.hProcess, GR_USEROBJECTS));
            std::fflush(stdout);
            nextSample += SampleMs;
        }
        PumpFor(3);
    }

    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(child.hProcess, 10000) != WAIT_OBJECT_0) {
        return Fail("the program did not end after WM_CLOSE", child.hProcess);
    }
    DWORD code = 1;
    GetExitCodeProcess(child.hProcess, &code);
    std::printf("exit %lu\n", code);
    CloseHandle(child.hProcess);
    return 0;
}
