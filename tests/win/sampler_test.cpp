// The sampler against real windows and real screen reads under Wine.
#include "sampler_fixture.h"

#include <tlhelp32.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

const RECT TargetRect = {560, 260, 660, 340}; // clear of the main window
const std::vector<std::string> Colour123456 = {"86", "56", "52", "34", "18", "12", "1193046"};

TEST_F(SamplerTest, LiveReadoutFollowsThePointer) {
    ColourTarget target(TargetRect, RGB(86, 52, 18));
    EXPECT_TRUE(PointAt(600, 300));
    EXPECT_TRUE(ColourTextsAre(Colour123456)) << ColourTexts()[6];
    EXPECT_EQ(TextOf(MainWindow), " Huepeek");

    target.SetColour(RGB(255, 0, 0));
    EXPECT_TRUE(ColourTextsAre({"255", "FF", "0", "0", "0", "0", "255"}));
    EXPECT_TRUE(PointAt(610, 320));
}

TEST_F(SamplerTest, FrozenTitleShowsDistanceAndResumeRestoresIt) {
    ColourTarget target(TargetRect, RGB(86, 52, 18));
    ASSERT_TRUE(PointAt(600, 300));
    ASSERT_TRUE(ColourTextsAre(Colour123456));

    Click();
    EXPECT_TRUE(PumpUntil([] { return TextOf(MainWindow) == "0"; })) << TextOf(MainWindow);
    target.SetColour(RGB(87, 53, 19));
    EXPECT_TRUE(PumpUntil([] { return TextOf(MainWindow) == "2"; })) << TextOf(MainWindow);
    EXPECT_TRUE(PointAt(620, 310)); // x and y follow while frozen
    EXPECT_EQ(ColourTexts(), Colour123456);

    Click();
    EXPECT_EQ(TextOf(MainWindow), " Huepeek");
    EXPECT_TRUE(ColourTextsAre({"87", "57", "53", "35", "19", "13", "1258839"}));
    EXPECT_EQ(TextOf(MainWindow), " Huepeek");
}

TEST_F(SamplerTest, TypedDigitsAreOverwrittenByTheNextPass) {
    ColourTarget target(TargetRect, RGB(86, 52, 18));
    ASSERT_TRUE(PointAt(600, 300));
    ASSERT_TRUE(ColourTextsAre(Colour123456));
    // As if typed: the field reports the change to its parent.
    SetWindowTextA(XField, "7");
    SetWindowTextA(RedDecField, "9");
    EXPECT_TRUE(PumpUntil([] { return TextOf(XField) == "600"; }));
    EXPECT_TRUE(ColourTextsAre(Colour123456));

    Click(); // frozen: only x and y are overwritten
    SetWindowTextA(RedDecField, "9");
    SetWindowTextA(YField, "1");
    EXPECT_TRUE(PumpUntil([] { return TextOf(YField) == "300"; }));
    EXPECT_EQ(TextOf(RedDecField), "9");
}

TEST_F(SamplerTest, NoDistanceLandsInTheTitleAfterAResume) {
    ColourTarget left({540, 260, 600, 340}, RGB(10, 200, 30));
    ColourTarget right({600, 260, 660, 340}, RGB(200, 10, 90));
    for (int cycle = 0; cycle < 200; ++cycle) {
        SCOPED_TRACE(cycle);
        const int x = cycle % 2 == 0 ? 570 : 630;
        SetCursorPos(x, 300);
        Click(); // freeze
        ASSERT_TRUE(PumpUntil([] { return TextOf(MainWindow) != " Huepeek"; }));
        SetCursorPos(x == 570 ? 630 : 570, 300);
        Click(); // resume
        ASSERT_EQ(TextOf(MainWindow), " Huepeek");
        // Once a pass after the resume has been shown, the title is still the program's.
        ASSERT_TRUE(PointAt(x == 570 ? 631 : 571, 301));
        ASSERT_EQ(TextOf(MainWindow), " Huepeek");
    }
}

TEST_F(SamplerTest, FinishEndsTheThreadAndReleasesTheRowTable) {
    ASSERT_TRUE(PointAt(600, 300));
    EXPECT_TRUE(FinishSampler());
    EXPECT_TRUE(PixelRows.empty());
    EXPECT_EQ(PixelBitmap, nullptr);
    // Nothing writes the fields any more.
    SetWindowTextA(XField, "");
    SetCursorPos(601, 300);
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(TextOf(XField), "");
}

// The threads of this process now, each as its id and creation time (ids can be reused).
std::set<std::pair<DWORD, ULONGLONG>> ProcessThreads() {
    std::set<std::pair<DWORD, ULONGLONG>> threads;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != GetCurrentProcessId()) {
            continue;
        }
        HANDLE thread = OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ThreadID);
        FILETIME created{}, ended{}, kernel{}, user{};
        GetThreadTimes(thread, &created, &ended, &kernel, &user);
        CloseHandle(thread);
        threads.insert({entry.th32ThreadID, static_cast<ULONGLONG>(created.dwHighDateTime) << 32 |
                                                created.dwLowDateTime});
    }
    CloseHandle(snapshot);
    return threads;
}

TEST_F(SamplerTest, PausesReuseOneTimerThread) {
    ASSERT_TRUE(PointAt(600, 300));
    const auto before = ProcessThreads();
    std::set<std::pair<DWORD, ULONGLONG>> seen = before;
    for (int x = 601; x <= 630; ++x) { // at least one pass and pause each
        ASSERT_TRUE(PointAt(x, 300));
        const auto now = ProcessThreads();
        seen.insert(now.begin(), now.end());
    }
    // A thread started for every pause would show up here once per pass.
    EXPECT_LE(seen.size(), before.size() + 2);
}

MMRESULT WINAPI RefusingTimer(UINT, UINT, LPTIMECALLBACK, DWORD_PTR, UINT) {
    return 0;
}

class RefusedTimerTest : public MainWindowTest {};

TEST_F(RefusedTimerTest, PassesKeepComing) {
    const PaceTimerFunctions system = PaceTimer;
    PaceTimer.setEvent = RefusingTimer;
    PaceTimer.killEvent = nullptr;
    StartSampler();
    for (int x = 600; x < 610; ++x) {
        SetCursorPos(x, 300);
        EXPECT_TRUE(PumpUntil([&] { return TextOf(XField) == std::to_string(x); }));
    }
    EXPECT_TRUE(FinishSampler());
    PaceTimer = system;
}

} // namespace
