// The sampler as first designed, for comparison: every pass it reads the
// button caption and writes all nine texts from the sampler thread itself,
// each a blocking call to the UI thread, whether or not anything changed.
#pragma once

#include <windows.h>

// Starts and stops the comparison sampler on the existing main window.
HANDLE StartLiteralSampler();
void FinishLiteralSampler(HANDLE thread);
