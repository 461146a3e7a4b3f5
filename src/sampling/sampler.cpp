#include "sampling/sampler.h"

#include "app/shared.h"

#include <memory>

PixelBuffer* PixelBitmap = nullptr;
RowTable PixelRows;
HANDLE PaceEvent = nullptr;
UINT PaceTimerId = 0;
DWORD WorkerThreadId = 0;
PaceTimerFunctions PaceTimer;
std::atomic<int> SamplerDpiAwareness{-1};
LPTHREAD_START_ROUTINE SamplerEntry = SamplerThread;

namespace {

constexpr DWORD PassPauseMs = 5;
constexpr UINT PaceResolutionMs = 4;
// A pause never waits longer than this past its time, even if the timer's
// callback is lost.
constexpr DWORD PauseGraceMs = 100;
// How long the exit waits for the sampler to end its pass and pause.
constexpr DWORD FinishWaitMs = 1000;

HANDLE SamplerHandle = nullptr;

// An idle periodic timer that keeps the platform's timer thread alive between
// pauses. Wine ends that thread once its last timer has fired and starts a
// new one for the next: without the hold, a thread is made and ended for
// every pass, which costs more than the passes themselves.
constexpr UINT TimerThreadHoldMs = 1000;
UINT TimerThreadHold = 0;

// What one pass captured.
struct PassRecord {
    PixelBytes pixel{};
    LONG x = 0;
    LONG y = 0;
    friend bool operator==(const PassRecord&, const PassRecord&) = default;
};

// The latest pass, handed from the sampler thread to the UI thread.
SRWLOCK LatestPassLock = SRWLOCK_INIT;
PassRecord LatestPass;
std::atomic<bool> PassPosted{false};
std::atomic<bool> RefreshRequested{true};

// The UI thread's part of the readout: the colour the frozen distance is measured from.
Colour SavedColour;
bool WritingFields = false;

template <class Function> Function ModuleFunction(HMODULE module, const char* name) {
    return module == nullptr
               ? nullptr
               : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

template <class Function> Function User32Function(const char* name) {
    return ModuleFunction<Function>(GetModuleHandleA("user32.dll"), name);
}

// On a scaled display a thread without DPI awareness gets the pointer in
// scaled coordinates while the screen copy reads physical pixels: it would
// read a pixel up and to the left of the pointer. The sampler thread alone is
// made per-monitor aware (v2, else v1), so both are physical pixels; the
// window keeps its designed size. Where the function does not exist (before
// Windows 10 1607) the thread stays as it was.
void MakeThreadPerMonitorAware() {
    using SetContext = HANDLE(WINAPI*)(HANDLE);
    const auto set = User32Function<SetContext>("SetThreadDpiAwarenessContext");
    if (set == nullptr) {
        return;
    }
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 and DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE.
    const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
    const auto perMonitor = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
    if (set(perMonitorV2) == nullptr) {
        set(perMonitor);
    }
}

// This thread's DPI awareness as the platform reports it; -1 if it cannot say.
int ThreadDpiAwareness() {
    using GetContext = HANDLE(WINAPI*)();
    using GetAwareness = int(WINAPI*)(HANDLE);
    const auto get = User32Function<GetContext>("GetThreadDpiAwarenessContext");
    const auto awareness = User32Function<GetAwareness>("GetAwarenessFromDpiAwarenessContext");
    return get != nullptr && awareness != nullptr ? awareness(get()) : -1;
}

void CALLBACK IdleTimerCallback(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {}

void HoldTimerThread() {
    if (TimerThreadHold == 0 && PaceTimer.setEvent != nullptr) {
        TimerThreadHold =
            PaceTimer.setEvent(TimerThreadHoldMs, TimerThreadHoldMs, IdleTimerCallback, 0,
                               TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
    }
}

void ReleaseTimerThread() {
    if (TimerThreadHold != 0) {
        PaceTimer.killEvent(TimerThreadHold);
        TimerThreadHold = 0;
    }
}

void PublishPass(const PassRecord& pass) {
    AcquireSRWLockExclusive(&LatestPassLock);
    LatestPass = pass;
    ReleaseSRWLockExclusive(&LatestPassLock);
    if (!PassPosted.exchange(true)) {
        if (!PostMessageA(MainWindow, PassMessage, 0, 0)) {
            PassPosted.store(false);
        }
    }
}

// Steps 1 and 2 of a pass: the pointer position and the pixel there. False
// if either could not be had, so that no wrong value is shown.
bool CapturePass(PixelBuffer& bitmap, PassRecord& pass) {
    POINT position{};
    if (!GetCursorPos(&position)) {
        return false;
    }
    HDC surface = bitmap.Surface();
    if (surface == nullptr) {
        return false;
    }
    {
        ScreenDc screen;
        if (screen.get() == nullptr ||
            !BitBlt(surface, 0, 0, 1, 1, screen.get(), position.x, position.y, SRCCOPY)) {
            return false;
        }
    }
#ifdef HUEPEEK_LEAK_SCREEN_DC
    GetDC(nullptr); // a deliberate leak, built only to show that the soak sees one
#endif
    // The copy must have landed in the buffer's memory before it is read.
    GdiFlush();
    const std::uint8_t* row = PixelRows[0];
    pass = {{row[0], row[1], row[2]}, position.x, position.y};
    return true;
}

void WriteField(HWND field, const FieldText& text) {
    if (ReadCaption(field) == text.view()) {
        return; // it already shows this: a write would change nothing
    }
    SetWindowTextA(field, text.c_str());
}

void ShowLiveReadout(const PixelBytes& pixel) {
    const Readout readout = LiveReadout(pixel);
    SavedColour = readout.colour;
    const HWND fields[] = {RedDecField,  RedHexField,  GreenDecField, GreenHexField,
                           BlueDecField, BlueHexField, ResField};
    for (std::size_t i = 0; i < readout.texts.size(); ++i) {
        WriteField(fields[i], readout.texts[i]);
    }
}

void ShowDistance(const PixelBytes& pixel) {
    WriteField(MainWindow, DecimalText(ColourDistance(pixel, SavedColour)));
}

void ShowPosition(LONG x, LONG y) {
    const PositionPair texts = PositionTexts(x, y);
    WriteField(XField, texts.x);
    WriteField(YField, texts.y);
}

} // namespace

PaceTimerFunctions SystemPaceTimer() {
    // Only the system's own copy: never a winmm.dll lying beside the program.
    HMODULE winmm = LoadLibraryExA("winmm.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    PaceTimerFunctions timer;
    timer.setEvent = ModuleFunction<decltype(timer.setEvent)>(winmm, "timeSetEvent");
    timer.killEvent = ModuleFunction<decltype(timer.killEvent)>(winmm, "timeKillEvent");
    if (timer.setEvent == nullptr || timer.killEvent == nullptr) {
        return {};
    }
    return timer;
}

void StartSampler() {
    std::unique_ptr<PixelBuffer> bitmap = PixelBuffer::Create();
    if (bitmap != nullptr && PixelRows.Resize(static_cast<std::size_t>(bitmap->Height()))) {
        PixelRows[0] = bitmap->ScanLine0();
    } else {
        bitmap.reset();
    }
    if (PaceEvent == nullptr) {
        PaceEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    }
    if (PaceTimer.setEvent == nullptr) {
        PaceTimer = SystemPaceTimer();
    }
    StopFlag.store(false);
    RefreshRequested.store(true);
    PassPosted.store(false);
    // Without a buffer or an event there is nothing to sample with: the
    // fields stay empty rather than show a value that was never read.
    if (bitmap == nullptr || PaceEvent == nullptr) {
        return;
    }
    PixelBitmap = bitmap.release();
    HoldTimerThread();
    SamplerHandle = CreateThread(nullptr, 0, SamplerEntry, nullptr, 0, &WorkerThreadId);
    if (SamplerHandle == nullptr) {
        ReleaseTimerThread();
        delete PixelBitmap;
        PixelBitmap = nullptr;
    }
}

bool FinishSampler() {
    StopFlag.store(true);
    if (SamplerHandle != nullptr) {
        const bool ended = WaitForSingleObject(SamplerHandle, FinishWaitMs) == WAIT_OBJECT_0;
        ReleaseTimerThread();
        if (!ended) {
            // Still inside a platform call: leave its memory to the end of the process.
            return false;
        }
        CloseHandle(SamplerHandle);
        SamplerHandle = nullptr;
    }
    PixelRows.Release();
    return true;
}

DWORD WINAPI SamplerThread(LPVOID) {
    const std::unique_ptr<PixelBuffer> bitmap(PixelBitmap);
    MakeThreadPerMonitorAware();
    SamplerDpiAwareness.store(ThreadDpiAwareness());
    PassRecord shown;
    do {
        PassRecord pass;
        if (CapturePass(*bitmap, pass) && (RefreshRequested.exchange(false) || !(pass == shown))) {
            PublishPass(pass);
            shown = pass;
        }
        PauseMs(PassPauseMs);
    } while (!StopFlag.load());
    PixelBitmap = nullptr;
    return 0;
}

void PauseMs(DWORD milliseconds) {
    PaceTimerId = PaceTimer.setEvent != nullptr
                      ? PaceTimer.setEvent(milliseconds, PaceResolutionMs, PaceTimerCallback, 0,
                                           TIME_ONESHOT | TIME_CALLBACK_FUNCTION)
                      : 0;
    // A refused timer still gives a pause of the same length: a timed wait.
    WaitForSingleObject(PaceEvent, PaceTimerId != 0 ? milliseconds + PauseGraceMs : milliseconds);
    if (PaceTimerId != 0) {
        PaceTimer.killEvent(PaceTimerId);
    }
}

void CALLBACK PaceTimerCallback(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    SetEvent(PaceEvent);
}

void ApplyPass() {
    PassPosted.store(false);
    AcquireSRWLockShared(&LatestPassLock);
    const PassRecord pass = LatestPass;
    ReleaseSRWLockShared(&LatestPassLock);

    WritingFields = true;
    if (ReadCaption(StartStopButton) == LiveCaption) {
        ShowLiveReadout(pass.pixel);
    } else {
        ShowDistance(pass.pixel);
    }
    ShowPosition(pass.x, pass.y);
    WritingFields = false;
}

void RequestRefresh() {
    RefreshRequested.store(true);
}

bool ApplyingPass() {
    return WritingFields;
}
