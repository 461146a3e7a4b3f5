// The main window and its controls, made by the program's own start-up steps.
#include "app/main_window.h"
#include "app/placement.h"
#include "main_window_fixture.h"

#include <cstring>
#include <vector>

namespace {

TEST_F(MainWindowTest, StartsAsATopmostFixedSizeCaptionWindow) {
    char className[64] = {};
    GetClassNameA(MainWindow, className, sizeof className);
    EXPECT_STREQ(className, "Huepeek");
    EXPECT_EQ(TextOf(MainWindow), " Huepeek");

    const RECT rect = ScreenRect(MainWindow);
    EXPECT_EQ(rect.right - rect.left, 220);
    EXPECT_EQ(rect.bottom - rect.top, 165);
    const WindowPlace place = PlaceInWorkArea(WorkArea.right, WorkArea.bottom);
    EXPECT_EQ(rect.left, place.x);
    EXPECT_EQ(rect.top, place.y);

    const LONG style = GetWindowLongA(MainWindow, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongA(MainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MainWindowTest, ClassCarriesTheProgramIconArrowAndMenuBackground) {
    WNDCLASSA record{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "Huepeek", &record));
    EXPECT_EQ(record.style, 0u);
    EXPECT_EQ(record.lpfnWndProc, &MainWndProc);
    EXPECT_EQ(record.hCursor, LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
    EXPECT_EQ(reinterpret_cast<INT_PTR>(record.hbrBackground), 5);
}

TEST_F(MainWindowTest, StaysAboveAnOrdinaryWindow) {
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpMessages();
    bool mainFirst = false;
    for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == MainWindow || w == other) {
            mainFirst = w == MainWindow;
            break;
        }
    }
    EXPECT_TRUE(mainFirst);
    DestroyWindow(other);
}

struct ExpectedControl {
    const char* className;
    const char* text;
    LONG style;
    RECT client; // left, top, right, bottom in the main window's client area
    HWND* handle;
};

// The controls as the window must show them, in creation order.
const ExpectedControl ExpectedControls[] = {
    {"Button", "Stop", 0x50001004, {8, 112, 204, 133}, &StartStopButton},
    {"Edit", "", 0x50002000, {35, 14, 74, 35}, &RedDecField},
    {"Edit", "", 0x50002000, {78, 14, 117, 35}, &RedHexField},
    {"Edit", "", 0x50002000, {35, 38, 74, 59}, &GreenDecField},
    {"Edit", "", 0x50002000, {78, 38, 117, 59}, &GreenHexField},
    {"Edit", "", 0x50002000, {35, 62, 74, 83}, &BlueDecField},
    {"Edit", "", 0x50002000, {78, 62, 117, 83}, &BlueHexField},
    {"Edit", "", 0x50002000, {35, 86, 117, 107}, &ResField},
    {"Edit", "", 0x50002000, {150, 14, 203, 35}, &XField},
    {"Edit", "", 0x50002000, {150, 38, 203, 59}, &YField},
    {"Static", "DEC", 0x50000000, {41, 1, 66, 14}, &DecLabel},
    {"Static", "HEX", 0x50000000, {84, 1, 109, 14}, &HexLabel},
    {"Static", "R", 0x50000000, {17, 18, 31, 31}, &RedLabel},
    {"Static", "G", 0x50000000, {17, 41, 31, 54}, &GreenLabel},
    {"Static", "B", 0x50000000, {18, 63, 32, 76}, &BlueLabel},
    {"Static", "RES", 0x50000000, {4, 90, 30, 103}, &ResLabel},
    {"Static", "X", 0x50000000, {134, 20, 143, 33}, &XLabel},
    {"Static", "Y", 0x50000000, {134, 40, 143, 53}, &YLabel},
};

TEST_F(MainWindowTest, HasTheEighteenControlsInCreationOrder) {
    std::vector<HWND> children;
    for (HWND w = GetWindow(MainWindow, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        children.push_back(w);
    }
    ASSERT_EQ(children.size(), std::size(ExpectedControls));
    for (std::size_t i = 0; i < children.size(); ++i) {
        const ExpectedControl& expected = ExpectedControls[i];
        HWND control = children[i];
        SCOPED_TRACE(testing::Message() << "control " << i + 1 << " " << expected.text);
        EXPECT_EQ(control, *expected.handle);
        char className[64] = {};
        GetClassNameA(control, className, sizeof className);
        EXPECT_STRCASEEQ(className, expected.className);
        EXPECT_EQ(TextOf(control), expected.text);

        EXPECT_EQ(GetWindowLongA(control, GWL_STYLE), expected.style);
        EXPECT_EQ(GetWindowLongA(control, GWL_EXSTYLE), 0);
        EXPECT_EQ(GetDlgCtrlID(control), 0);
        RECT rect = ScreenRect(control);
        MapWindowPoints(nullptr, MainWindow, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, expected.client.left);
        EXPECT_EQ(rect.top, expected.client.top);
        EXPECT_EQ(rect.right, expected.client.right);
        EXPECT_EQ(rect.bottom, expected.client.bottom);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), UiFont.get());
    }
    EXPECT_EQ(GetFocus(), StartStopButton);
}

TEST_F(MainWindowTest, FontIsEightPixelBoldMsSansSerif) {
    LOGFONTA font{};
    ASSERT_NE(GetObjectA(UiFont.get(), sizeof font, &font), 0);
    EXPECT_EQ(font.lfHeight, 8);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
}

// WM_COMMAND: a sequence of messages sent, then the caption, title and
// return values checked.
enum class Source { Button, OtherControl, None };

struct CommandMessage {
    WORD code;
    Source source;
};

struct CommandCase {
    const char* name;
    const char* startCaption; // the mode before the messages
    bool stopFlag;
    bool destroyFirst; // send WM_DESTROY before the messages
    std::vector<CommandMessage> messages;
    const char* caption;
    const char* title;
};

class CommandTest : public MainWindowTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CommandTest, ChangesModeOnlyForAPlainButtonClick) {
    const CommandCase& c = GetParam();
    SetWindowTextA(StartStopButton, c.startCaption);
    SetWindowTextA(MainWindow, "17"); // a distance as the frozen readout shows it
    StopFlag.store(c.stopFlag);
    if (c.destroyFirst) {
        EXPECT_EQ(SendMessageA(MainWindow, WM_DESTROY, 0, 0), 0);
        EXPECT_TRUE(StopFlag.load());
    }
    for (const CommandMessage& m : c.messages) {
        HWND source = m.source == Source::Button         ? StartStopButton
                      : m.source == Source::OtherControl ? XField
                                                         : nullptr;
        EXPECT_EQ(SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(0, m.code),
                               reinterpret_cast<LPARAM>(source)),
                  0);
    }
    EXPECT_EQ(TextOf(StartStopButton), c.caption);
    EXPECT_EQ(TextOf(MainWindow), c.title);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, CommandTest,
    ::testing::Values(
        CommandCase{"click_while_live", "Stop", false, false, {{0, Source::Button}}, "Start", "17"},
        CommandCase{
            "click_while_frozen", "Start", false, false, {{0, Source::Button}}, "Stop", " Huepeek"},
        CommandCase{"two_clicks",
                    "Stop",
                    false,
                    false,
                    {{0, Source::Button}, {0, Source::Button}},
                    "Stop",
                    " Huepeek"},
        CommandCase{
            "other_control", "Stop", false, false, {{0, Source::OtherControl}}, "Stop", "17"},
        CommandCase{"no_control", "Start", false, false, {{0, Source::None}}, "Start", "17"},
        CommandCase{
            "notification_from_button", "Stop", false, false, {{1, Source::Button}}, "Stop", "17"},
        CommandCase{"double_click",
                    "Stop",
                    false,
                    false,
                    {{BN_CLICKED, Source::Button}, {BN_DOUBLECLICKED, Source::Button}},
                    "Start",
                    "17"},
        CommandCase{"after_destroy", "Stop", false, true, {{0, Source::Button}}, "Stop", "17"},
        CommandCase{
            "before_start_up_finished", "Start", true, false, {{0, Source::Button}}, "Start", "17"},
        CommandCase{"any_caption_but_stop_is_frozen",
                    "stop",
                    false,
                    false,
                    {{0, Source::Button}},
                    "Stop",
                    " Huepeek"}),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
