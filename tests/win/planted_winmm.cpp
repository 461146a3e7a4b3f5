// A stand-in winmm.dll that leaves a marker file beside itself when loaded:
// the program must never load it from its own folder.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

extern "C" __declspec(dllexport) DWORD WINAPI timeGetTime();
extern "C" DWORD WINAPI timeGetTime() {
    return 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(instance, path, MAX_PATH);
        char* slash = strrchr(path, '\\');
        if (slash != nullptr) {
            lstrcpyA(slash + 1, "planted.marker");
            CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        }
    }
    return TRUE;
}
