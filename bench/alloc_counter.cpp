#include "alloc_counter.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace {

std::atomic<std::uint64_t> Count{0};

using HeapAllocFunction = LPVOID(WINAPI*)(HANDLE, DWORD, SIZE_T);
using HeapReAllocFunction = LPVOID(WINAPI*)(HANDLE, DWORD, LPVOID, SIZE_T);
using MallocFunction = void* (*)(size_t);
using CallocFunction = void* (*)(size_t, size_t);
using ReallocFunction = void* (*)(void*, size_t);

HeapAllocFunction RealHeapAlloc;
HeapReAllocFunction RealHeapReAlloc;
MallocFunction RealMalloc;
CallocFunction RealCalloc;
ReallocFunction RealRealloc;

LPVOID WINAPI CountingHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size) {
    Count.fetch_add(1);
    return RealHeapAlloc(heap, flags, size);
}
LPVOID WINAPI CountingHeapReAlloc(HANDLE heap, DWORD flags, LPVOID memory, SIZE_T size) {
    Count.fetch_add(1);
    return RealHeapReAlloc(heap, flags, memory, size);
}
void* CountingMalloc(size_t size) {
    Count.fetch_add(1);
    return RealMalloc(size);
}
void* CountingCalloc(size_t count, size_t size) {
    Count.fetch_add(1);
    return RealCalloc(count, size);
}
void* CountingRealloc(void* memory, size_t size) {
    Count.fetch_add(1);
    return RealRealloc(memory, size);
}

// Points this module's import of dll!function at replacement; gives the old target.
void* PatchImport(const char* dll, const char* function, void* replacement) {
    auto* base = reinterpret_cast<std::uint8_t*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
    for (; descriptor->Name != 0; ++descriptor) {
        if (_stricmp(reinterpret_cast<char*>(base + descriptor->Name), dll) != 0) {
            continue;
        }
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            auto* name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<char*>(name->Name), function) != 0) {
                continue;
            }
            DWORD old = 0;
            if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                                &old)) {
                return nullptr;
            }
            void* previous = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
            return previous;
        }
    }
    return nullptr;
}

template <class F> void Patch(const char* dll, const char* name, F replacement, F& real) {
    real = reinterpret_cast<F>(PatchImport(dll, name, reinterpret_cast<void*>(replacement)));
}

} // namespace

void InstallAllocationCounter() {
    // An entry the program does not import cannot be called through it: nothing to count.
    Patch("kernel32.dll", "HeapAlloc", &CountingHeapAlloc, RealHeapAlloc);
    Patch("kernel32.dll", "HeapReAlloc", &CountingHeapReAlloc, RealHeapReAlloc);
    Patch("msvcrt.dll", "malloc", &CountingMalloc, RealMalloc);
    Patch("msvcrt.dll", "calloc", &CountingCalloc, RealCalloc);
    Patch("msvcrt.dll", "realloc", &CountingRealloc, RealRealloc);
}

std::uint64_t AllocationCount() {
    return Count.load();
}
