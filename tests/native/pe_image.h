// A small reader of the headers of a Windows executable, for checks of the
// shipped program from the Linux side.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PeImage {
    std::uint16_t machine = 0;         // 0x14c i386, 0x8664 x86-64
    std::uint16_t characteristics = 0; // COFF file characteristics
    std::uint16_t magic = 0;           // 0x10b PE32, 0x20b PE32+
    std::uint16_t subsystem = 0;       // 2 GUI, 3 console
    std::uint16_t dllCharacteristics = 0;
    std::uint32_t timeDateStamp = 0;
    bool hasRelocations = false;
    std::vector<std::string> importedDlls; // as named in the import table
};

// Reads the file's headers and import table; throws std::runtime_error on a
// file that is not a well-formed PE image.
PeImage ReadPeImage(const std::string& path);
