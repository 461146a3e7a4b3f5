// Counts the heap allocations this program's own code makes: the entries of
// the program's import table for the heap and the C runtime allocator are
// pointed at counting wrappers. Calls made inside the system's DLLs (their
// own imports) are not counted.
#pragma once

#include <cstdint>

void InstallAllocationCounter();
std::uint64_t AllocationCount();
