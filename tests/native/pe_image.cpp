#include "pe_image.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

class Bytes {
  public:
    explicit Bytes(std::vector<unsigned char> data) : data_(std::move(data)) {}

    std::uint32_t At(std::size_t offset, std::size_t width) const {
        if (offset + width > data_.size() || offset + width < offset) {
            throw std::runtime_error("truncated image");
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            value |= static_cast<std::uint32_t>(data_[offset + i]) << (8 * i);
        }
        return value;
    }
    std::uint16_t U16(std::size_t offset) const {
        return static_cast<std::uint16_t>(At(offset, 2));
    }
    std::uint32_t U32(std::size_t offset) const { return At(offset, 4); }

    std::string CString(std::size_t offset) const {
        std::string text;
        while (offset < data_.size() && data_[offset] != 0) {
            text.push_back(static_cast<char>(data_[offset++]));
        }
        if (offset >= data_.size()) {
            throw std::runtime_error("unterminated name");
        }
        return text;
    }

  private:
    std::vector<unsigned char> data_;
};

struct Section {
    std::uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

std::size_t FileOffset(const std::vector<Section>& sections, std::uint32_t rva) {
    for (const Section& s : sections) {
        const std::uint32_t size = s.virtualSize > s.rawSize ? s.virtualSize : s.rawSize;
        if (rva >= s.virtualAddress && rva < s.virtualAddress + size) {
            return rva - s.virtualAddress + s.rawOffset;
        }
    }
    throw std::runtime_error("address outside every section");
}

} // namespace

PeImage ReadPeImage(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot open " + path);
    }
    const Bytes bytes(std::vector<unsigned char>(std::istreambuf_iterator<char>(file), {}));
    if (bytes.U16(0) != 0x5a4d) {
        throw std::runtime_error("no MZ header");
    }
    const std::size_t pe = bytes.U32(0x3c);
    if (bytes.U32(pe) != 0x00004550) {
        throw std::runtime_error("no PE signature");
    }
    PeImage image;
    const std::size_t coff = pe + 4;
    image.machine = bytes.U16(coff);
    const std::uint16_t sectionCount = bytes.U16(coff + 2);
    image.timeDateStamp = bytes.U32(coff + 4);
    const std::uint16_t optionalSize = bytes.U16(coff + 16);
    image.characteristics = bytes.U16(coff + 18);

    const std::size_t optional = coff + 20;
    image.magic = bytes.U16(optional);
    if (image.magic != 0x10b && image.magic != 0x20b) {
        throw std::runtime_error("unknown optional header");
    }
    image.subsystem = bytes.U16(optional + 68);
    image.dllCharacteristics = bytes.U16(optional + 70);
    const std::size_t directories = optional + (image.magic == 0x10b ? 96 : 112);
    const std::uint32_t importRva = bytes.U32(directories + 8);
    const std::uint32_t relocationRva = bytes.U32(directories + 5 * 8);
    const std::uint32_t relocationSize = bytes.U32(directories + 5 * 8 + 4);
    image.hasRelocations = relocationRva != 0 && relocationSize != 0;

    std::vector<Section> sections;
    const std::size_t sectionTable = optional + optionalSize;
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::size_t s = sectionTable + 40 * i;
        sections.push_back(
            {bytes.U32(s + 12), bytes.U32(s + 8), bytes.U32(s + 20), bytes.U32(s + 16)});
    }

    if (importRva != 0) {
        for (std::size_t entry = FileOffset(sections, importRva);; entry += 20) {
            const std::uint32_t nameRva = bytes.U32(entry + 12);
            if (nameRva == 0) {
                break;
            }
            image.importedDlls.push_back(bytes.CString(FileOffset(sections, nameRva)));
        }
    }
    return image;
}
