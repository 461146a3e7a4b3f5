// Imports winmm the plain way; shows that a planted winmm.dll is loaded then.
#include <windows.h>

#include <mmsystem.h>

int main() {
    return timeGetTime() == 12345 ? 1 : 0;
}
