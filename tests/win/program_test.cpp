// The real program as a process: start and close many times, and a winmm.dll
// planted beside it.
#include "program_process.h"
#include "wait.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

std::string FieldText(HWND window, int index) {
    HWND field = GetWindow(window, GW_CHILD);
    for (int i = 0; i < index && field != nullptr; ++i) {
        field = GetWindow(field, GW_HWNDNEXT);
    }
    char text[64] = {};
    // WM_GETTEXT is carried across processes; GetWindowText would not ask the control.
    SendMessageTimeoutA(field, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

constexpr int XFieldIndex = 8; // creation order: button, 7 colour fields, x

TEST(ProgramShutdownTest, CloseWhilePassesRunEndsWithZeroEveryTime) {
    double slowestMs = 0;
    for (int run = 0; run < 50; ++run) {
        SCOPED_TRACE(run);
        ProgramProcess program;
        HWND window = program.WaitForWindow();
        ASSERT_NE(window, nullptr);
        SetCursorPos(100 + run, 100);
        ASSERT_TRUE(
            PumpUntil([&] { return FieldText(window, XFieldIndex) == std::to_string(100 + run); }));
        LARGE_INTEGER frequency, start, end;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_EQ(program.WaitForExit(10000), 0);
        QueryPerformanceCounter(&end);
        slowestMs = std::max(slowestMs, 1000.0 * double(end.QuadPart - start.QuadPart) /
                                            double(frequency.QuadPart));
    }
    std::printf("slowest close-to-exit over 50 runs: %.1f ms\n", slowestMs);
}

TEST(DllPlantingTest, AWinmmBesideTheProgramIsNeverLoaded) {
    const std::string folder = ProgramFolder() + "planted\\";
    const std::string marker = folder + "planted.marker";
    ASSERT_NE(GetFileAttributesA((folder + "winmm.dll").c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "Huepeek.exe").c_str(),
                          (folder + "Huepeek.exe").c_str(), FALSE));
    // The test runs with WINEDLLOVERRIDES=winmm=n,b: under it Wine, like Windows,
    // prefers a DLL in the program's folder.

    // The planted DLL is live: a plain import loads it.
    DeleteFileA(marker.c_str());
    EXPECT_EQ(RunCommand('"' + folder + "plain_winmm_import.exe\""), 0);
    EXPECT_NE(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES);

    DeleteFileA(marker.c_str());
    {
        ProgramProcess program(folder + "Huepeek.exe");
        HWND window = program.WaitForWindow();
        ASSERT_NE(window, nullptr);
        for (int x = 300; x < 303; ++x) { // the readout works, paced by the system's timer
            SetCursorPos(x, 200);
            EXPECT_TRUE(
                PumpUntil([&] { return FieldText(window, XFieldIndex) == std::to_string(x); }));
        }
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(10000), 0);
    }
    EXPECT_EQ(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES)
        << "the program loaded the winmm.dll beside it";
}

} // namespace
