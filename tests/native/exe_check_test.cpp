// Checks of the shipped 32-bit program as a file.
#include "pe_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <string>

namespace {

const char* const ShippedExe = HUEPEEK_SHIPPED_EXE;

class ShippedExeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(ShippedExe)) {
            GTEST_SKIP() << ShippedExe << " is not built";
        }
        image = ReadPeImage(ShippedExe);
    }
    PeImage image;
};

TEST_F(ShippedExeTest, IsA32BitIntelGuiProgram) {
    EXPECT_EQ(image.magic, 0x10b) << "PE32";
    EXPECT_EQ(image.machine, 0x14c) << "i386";
    EXPECT_EQ(image.subsystem, 2) << "Windows GUI";
    EXPECT_TRUE(image.characteristics & 0x0002) << "executable image";
    EXPECT_FALSE(image.characteristics & 0x2000) << "not a DLL";
}

TEST_F(ShippedExeTest, ImportsOnlyKnownSystemDlls) {
    // Known DLLs always come from the system folder: nothing beside the exe
    // (a Downloads folder) can stand in for them.
    std::set<std::string> imported;
    for (std::string dll : image.importedDlls) {
        std::transform(dll.begin(), dll.end(), dll.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        imported.insert(dll);
    }
    const std::set<std::string> known = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll"};
    EXPECT_TRUE(std::includes(known.begin(), known.end(), imported.begin(), imported.end()))
        << "imports: " << testing::PrintToString(imported);
    EXPECT_TRUE(imported.count("kernel32.dll") && imported.count("user32.dll"));
}

TEST_F(ShippedExeTest, IsHardened) {
    EXPECT_TRUE(image.dllCharacteristics & 0x0040) << "dynamic base (ASLR)";
    EXPECT_TRUE(image.dllCharacteristics & 0x0100) << "NX compatible (DEP)";
    EXPECT_TRUE(image.dllCharacteristics & 0x8000) << "terminal-server aware";
    EXPECT_TRUE(image.hasRelocations) << "relocations kept, so ASLR can move it";
    EXPECT_FALSE(image.characteristics & 0x0001) << "relocations not stripped";
    EXPECT_TRUE(image.characteristics & 0x0020) << "large-address aware";
}

TEST_F(ShippedExeTest, IsAtMost40KiB) {
    EXPECT_LE(std::filesystem::file_size(ShippedExe), 40u * 1024);
}

TEST_F(ShippedExeTest, CarriesNoTimestamp) {
    EXPECT_EQ(image.timeDateStamp, 0u);
}

} // namespace
