// Waiting in Windows-side tests: on a condition, with a deadline, while the
// test thread's windows keep getting their messages.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

inline void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

// Pumps messages until done() holds or timeoutMs passes; returns done().
template <class Condition> bool PumpUntil(Condition done, DWORD timeoutMs = 10000) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        PumpMessages();
        if (done()) {
            return true;
        }
        if (GetTickCount64() > deadline) {
            return done();
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

inline std::string TextOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Starts a process; its thread handle is closed at once.
inline bool StartProcess(std::string commandLine, PROCESS_INFORMATION& process) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    return true;
}

// Runs a Windows program and returns its exit code, or -1 if it did not
// start or end in time.
inline long RunCommand(std::string commandLine, DWORD timeoutMs = 20000) {
    PROCESS_INFORMATION process{};
    if (!StartProcess(commandLine, process)) {
        return -1;
    }
    DWORD code = static_cast<DWORD>(-1);
    const bool ended = PumpUntil(
        [&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
    if (ended) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hProcess);
    return ended ? static_cast<long>(code) : -1;
}

// Runs a Linux command through /bin/sh (Wine starts Linux programs, but their
// process handles never signal) and returns its exit status, or -1 if it did
// not start or end in time. The status comes back through a file.
inline long RunLinuxCommand(const std::string& command, DWORD timeoutMs = 20000) {
    static int count = 0;
    const std::string status =
        "/tmp/huepeek-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
    const std::string windowsPath = "Z:" + status;
    DeleteFileA(windowsPath.c_str());
    std::string commandLine = "/bin/sh -c \"" + command + "; echo $? > " + status + ".tmp && mv " +
                              status + ".tmp " + status + "\"";
    PROCESS_INFORMATION process{};
    if (!StartProcess(commandLine, process)) {
        return -1;
    }
    CloseHandle(process.hProcess);
    const bool ended = PumpUntil(
        [&] { return GetFileAttributesA(windowsPath.c_str()) != INVALID_FILE_ATTRIBUTES; },
        timeoutMs);
    if (!ended) {
        return -1;
    }
    char text[16] = {};
    HANDLE file = CreateFileA(windowsPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    DWORD read = 0;
    ReadFile(file, text, sizeof text - 1, &read, nullptr);
    CloseHandle(file);
    DeleteFileA(windowsPath.c_str());
    return std::strtol(text, nullptr, 10);
}

// The folder the test program runs from, with a trailing backslash.
inline std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}
