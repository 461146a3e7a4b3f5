// Start-up, the message loop and shutdown, one routine per step.
#pragma once

void CreateUiFont();
void RegisterMainClass();
void ReadWorkArea();
void CreateMainWindow();
void PlaceMainWindow();
int RunMessageLoop();

// The entry routine: runs every step above in order and ends the process.
[[noreturn]] void ProgramMain();

// The program's exit-time step, run once after the message loop has ended.
void ProgramFinalization();
