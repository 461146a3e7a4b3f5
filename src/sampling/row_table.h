// The table of pixel row addresses: sized at run time, kept on the process
// heap, released explicitly (never by a destructor at process exit, when the
// sampler thread may still be reading it).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

class RowTable {
  public:
    // Makes the table `length` entries long, every entry null. False (and an
    // empty table) if the heap refuses.
    bool Resize(std::size_t length) {
        Release();
        if (length == 0) {
            return true;
        }
        void* rows = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, length * sizeof(std::uint8_t*));
        if (rows == nullptr) {
            return false;
        }
        rows_ = static_cast<std::uint8_t**>(rows);
        length_ = length;
        return true;
    }

    // Length 0 afterwards.
    void Release() {
        if (rows_ != nullptr) {
            HeapFree(GetProcessHeap(), 0, rows_);
        }
        rows_ = nullptr;
        length_ = 0;
    }

    std::size_t size() const { return length_; }
    bool empty() const { return length_ == 0; }
    std::uint8_t*& operator[](std::size_t index) { return rows_[index]; }

  private:
    std::uint8_t** rows_ = nullptr;
    std::size_t length_ = 0;
};
