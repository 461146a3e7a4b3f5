// Real input from the X server (xdotool) into the program's window, and the
// real program started and closed as a process.
#include "app/shared.h"
#include "main_window_fixture.h"
#include "program_process.h"

#include <string>

namespace {

std::string Xdotool(const std::string& arguments) {
    return "/usr/bin/xdotool " + arguments;
}

POINT Centre(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::string ClickAt(POINT p) {
    return Xdotool("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " click 1");
}

void GiveFocusTo(HWND control) {
    SetForegroundWindow(MainWindow);
    SetFocus(control);
    PumpUntil([&] { return GetFocus() == control; });
}

using RealInputTest = MainWindowTest;

TEST_F(RealInputTest, MouseClickTogglesTheMode) {
    StopFlag.store(false);
    POINT p = Centre(StartStopButton);
    ASSERT_EQ(RunLinuxCommand(ClickAt(p)), 0);
    EXPECT_TRUE(PumpUntil([] { return TextOf(StartStopButton) == "Start"; }));
    // Far enough from the first click not to make a double-click of the two.
    p.x += 4 * GetSystemMetrics(SM_CXDOUBLECLK);
    ASSERT_EQ(RunLinuxCommand(ClickAt(p)), 0);
    EXPECT_TRUE(PumpUntil([] { return TextOf(StartStopButton) == "Stop"; }));
    EXPECT_EQ(TextOf(MainWindow), " Huepeek");
}

TEST_F(RealInputTest, DoubleClickChangesTheModeOnce) {
    StopFlag.store(false);
    const POINT p = Centre(StartStopButton);
    const std::string doubleClick = Xdotool("mousemove " + std::to_string(p.x) + " " +
                                            std::to_string(p.y) + " click --repeat 2 --delay 30 1");
    ASSERT_EQ(RunLinuxCommand(doubleClick), 0);
    EXPECT_TRUE(PumpUntil([] { return TextOf(StartStopButton) == "Start"; }));
    // Both clicks have been handled once a later message arrives.
    PostMessageA(MainWindow, WM_NULL, 0, 0);
    PumpMessages();
    EXPECT_EQ(TextOf(StartStopButton), "Start");
}

TEST_F(RealInputTest, SpaceBarOnTheFocusedButtonTogglesTheMode) {
    StopFlag.store(false);
    GiveFocusTo(StartStopButton);
    ASSERT_EQ(RunLinuxCommand(Xdotool("key space")), 0);
    EXPECT_TRUE(PumpUntil([] { return TextOf(StartStopButton) == "Start"; }));
    ASSERT_EQ(RunLinuxCommand(Xdotool("key space")), 0);
    EXPECT_TRUE(PumpUntil([] { return TextOf(StartStopButton) == "Stop"; }));
}

TEST_F(RealInputTest, DisplayFieldTakesDigitsAndRefusesLetters) {
    GiveFocusTo(XField);
    ASSERT_EQ(RunLinuxCommand(Xdotool("type --delay 20 4a2b")), 0);
    EXPECT_TRUE(PumpUntil([] { return TextOf(XField) == "42"; })) << TextOf(XField);
}

TEST(ProgramProcessTest, ShowsItsWindowAndExitsWithZeroOnClose) {
    ProgramProcess program;
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(TextOf(window), " Huepeek");
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(5000), 0);
}

TEST(ProgramProcessTest, CaptionCloseButtonEndsItWithZero) {
    ProgramProcess program;
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);
    RECT rect{};
    GetWindowRect(window, &rect);
    const int frame = GetSystemMetrics(SM_CXFIXEDFRAME);
    const int button = GetSystemMetrics(SM_CXSIZE);
    const POINT close = {rect.right - frame - button / 2 - 1,
                         rect.top + GetSystemMetrics(SM_CYFIXEDFRAME) +
                             GetSystemMetrics(SM_CYCAPTION) / 2};
    ASSERT_EQ(RunLinuxCommand(ClickAt(close)), 0);
    EXPECT_EQ(program.WaitForExit(5000), 0);
}

} // namespace
