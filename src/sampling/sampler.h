// The sampler thread: the colour and position under the pointer, about every 5 ms.
#pragma once

#include <windows.h>

// Prepares the pixel buffer and the pacing event, clears StopFlag and starts
// the sampler thread. Run once on the UI thread, before the message loop.
void StartSampler();

// Run at exit, once StopFlag is set: waits a bounded time for the sampler
// thread to end, then releases the row table. Returns whether it ended.
bool FinishSampler();
