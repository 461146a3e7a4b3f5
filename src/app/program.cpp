#include <windows.h>
void ProgramMain() { ExitProcess(0); }
