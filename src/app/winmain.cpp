#include <windows.h>

void ProgramMain();

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    ProgramMain();
    return 0;
}
