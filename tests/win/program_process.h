// The real program started as a process of its own, for black-box tests.
#pragma once

#include "wait.h"

#include <windows.h>

#include <string>

class ProgramProcess {
  public:
    explicit ProgramProcess(std::string exe = ProgramFolder() + "Huepeek.exe") {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + exe + "\"";
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process_)) {
            CloseHandle(process_.hThread);
        }
    }
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;
    ~ProgramProcess() {
        if (process_.hProcess != nullptr) {
            if (!HasEnded()) {
                TerminateProcess(process_.hProcess, 99);
                WaitForSingleObject(process_.hProcess, 5000);
            }
            CloseHandle(process_.hProcess);
        }
    }

    bool Started() const { return process_.hProcess != nullptr; }
    bool HasEnded() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }

    // The process's main window once it is shown, or nullptr after the deadline.
    HWND WaitForWindow(DWORD timeoutMs = 20000) {
        PumpUntil(
            [&] {
                window_ = FindShownWindow();
                return window_ != nullptr || HasEnded();
            },
            timeoutMs);
        return window_;
    }

    // Waits for the process to end; its exit code, or -1 if it has not ended.
    long WaitForExit(DWORD timeoutMs) {
        if (!PumpUntil([&] { return HasEnded(); }, timeoutMs)) {
            return -1;
        }
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return static_cast<long>(code);
    }

  private:
    HWND FindShownWindow() {
        struct Search {
            DWORD process;
            HWND found;
        } search{process_.dwProcessId, nullptr};
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                char className[32] = {};
                GetClassNameA(window, className, sizeof className);
                if (owner == s->process && IsWindowVisible(window) &&
                    std::string(className) == "Huepeek") {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};
