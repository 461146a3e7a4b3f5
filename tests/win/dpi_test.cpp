// The sampler on a scaled display: run in a Wine prefix whose LogPixels is
// 192 (200 %). Wine runs a program's threads per-monitor aware unless told
// otherwise, but a thread set to unaware sees scaled coordinates, as every
// thread of a program without a manifest does on Windows. So here the sampler
// thread starts unaware, and must make itself aware.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0A00
#undef WINVER
#define WINVER 0x0A00
#include "app/placement.h"
#include "sampler_fixture.h"

#include <string>
#include <vector>

namespace {

DWORD WINAPI UnawareSamplerThread(LPVOID parameter) {
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE);
    return SamplerThread(parameter);
}

DWORD WINAPI ReadPointerUnaware(LPVOID result) {
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE);
    GetCursorPos(static_cast<POINT*>(result));
    return 0;
}

class ScaledDisplayTest : public SamplerTest {
  protected:
    void SetUp() override {
        SamplerEntry = UnawareSamplerThread;
        SamplerTest::SetUp();
        // The window is made; from here this thread places things in physical pixels.
        previous = SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
        ASSERT_NE(previous, nullptr);
    }
    void TearDown() override {
        SetThreadDpiAwarenessContext(previous);
        SamplerTest::TearDown();
        SamplerEntry = SamplerThread;
    }
    DPI_AWARENESS_CONTEXT previous = nullptr;
};

TEST_F(ScaledDisplayTest, AnUnawareThreadSeesScaledCoordinates) {
    ScreenDc screen;
    EXPECT_EQ(GetDeviceCaps(screen.get(), LOGPIXELSX), 192) << "LogPixels of this prefix";
    SetCursorPos(1050, 750);
    POINT seen{};
    HANDLE thread = CreateThread(nullptr, 0, ReadPointerUnaware, &seen, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    // The fault the sampler must avoid: half the physical position.
    EXPECT_EQ(seen.x, 525);
    EXPECT_EQ(seen.y, 375);
}

TEST_F(ScaledDisplayTest, TheSamplerThreadMakesItselfPerMonitorAware) {
    ASSERT_TRUE(PumpUntil([] { return SamplerDpiAwareness.load() != -1; }));
    EXPECT_EQ(SamplerDpiAwareness.load(), DPI_AWARENESS_PER_MONITOR_AWARE);
    const RECT rect = ScreenRect(MainWindow);
    EXPECT_EQ(rect.right - rect.left, MainWindowWidth) << "the window keeps its designed size";
    EXPECT_EQ(rect.bottom - rect.top, MainWindowHeight);
}

TEST_F(ScaledDisplayTest, ReadsThePixelUnderThePointerInPhysicalPixels) {
    // Far from the origin, where a scaled reading is furthest off.
    ColourTarget target({1000, 700, 1100, 800}, RGB(0x12, 0x34, 0x56));
    ColourTarget decoy({500, 350, 550, 400}, RGB(255, 0, 0)); // what a scaled reading would see
    ASSERT_TRUE(PointAt(1050, 750));
    EXPECT_TRUE(ColourTextsAre({"18", "12", "52", "34", "86", "56", "5649426"}));
}

} // namespace
