// Checks of the shipped 32-bit program as a file.
#include "pe_image.h"

#include <gtest/gtest.h>

#include <filesystem>

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

TEST_F(ShippedExeTest, NeedsNoRuntimeDllBesideIt) {
    for (const std::string& dll : image.importedDlls) {
        EXPECT_EQ(dll.find("libgcc"), std::string::npos) << dll;
        EXPECT_EQ(dll.find("libstdc++"), std::string::npos) << dll;
        EXPECT_EQ(dll.find("libwinpthread"), std::string::npos) << dll;
    }
}

} // namespace
