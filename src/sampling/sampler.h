// The sampler thread: the colour and position under the pointer, about every 5 ms.
//
// The sampler thread only captures: it reads the pointer, copies the pixel
// there and hands the result to the UI thread with a posted message. The UI
// thread applies it (ApplyPass): reads the mode from the button caption and
// writes the live texts or the frozen distance, then x and y. Deciding the
// mode where the mode is changed means no frozen distance can land in the
// title after a resume, and the sampler never waits on the UI thread, so
// shutdown can never deadlock with it.
#pragma once

#include "sampling/pixel_buffer.h"
#include "sampling/readout.h"
#include "sampling/row_table.h"

#include <windows.h>

#include <mmsystem.h>

#include <atomic>
#include <cstdint>

extern PixelBuffer* PixelBitmap; // made by StartSampler, freed by the sampler thread
extern RowTable PixelRows;       // released at exit, once the thread has ended
extern HANDLE PaceEvent;
extern UINT PaceTimerId;
extern DWORD WorkerThreadId;

// The sampler thread's DPI awareness as the platform reports it on that
// thread: 2 per-monitor aware, 0 unaware, -1 not known (no such functions).
extern std::atomic<int> SamplerDpiAwareness;

// The message the sampler posts to MainWindow when it has a pass to show.
inline constexpr UINT PassMessage = WM_APP + 1;

// The multimedia timer, taken from the system's own winmm.dll at start-up.
struct PaceTimerFunctions {
    MMRESULT(WINAPI* setEvent)(UINT, UINT, LPTIMECALLBACK, DWORD_PTR, UINT) = nullptr;
    MMRESULT(WINAPI* killEvent)(UINT) = nullptr;
};
extern PaceTimerFunctions PaceTimer;

// timeSetEvent and timeKillEvent of the system's winmm.dll (never one beside
// the program); both null if either cannot be had.
PaceTimerFunctions SystemPaceTimer();

// Prepares the pixel buffer and the pacing event, clears StopFlag and starts
// the sampler thread. Run once on the UI thread, before the message loop.
void StartSampler();

// Sets StopFlag and waits a bounded time for the sampler thread to end; once
// it has, releases the row table. Returns whether the thread ended.
bool FinishSampler();

DWORD WINAPI SamplerThread(LPVOID parameter);

// The routine StartSampler runs on the new thread: SamplerThread, or a test's
// wrapper that prepares the thread first.
extern LPTHREAD_START_ROUTINE SamplerEntry;

void PauseMs(DWORD milliseconds);
void CALLBACK PaceTimerCallback(UINT timerId, UINT message, DWORD_PTR user, DWORD_PTR, DWORD_PTR);

// On the UI thread: shows the latest pass (the handler of PassMessage).
void ApplyPass();

// On the UI thread: what the window shows may differ from the latest pass
// (the mode changed, or the user typed into a field): show the next pass
// even if the pixel and position have not changed.
void RequestRefresh();

// Whether the UI thread is writing a pass into the fields right now.
bool ApplyingPass();
