// Extraction from a program whose payload lacks one image (id 3010, the
// tenth): it stops there, and nothing after it in the fixed order is made.
#include <string>

#include <gtest/gtest.h>

#include "install/Payload.h"
#include "install/InstallState.h"
#include "EngineTestSupport.h"

TEST(PayloadMissing, TotalCountsTheMissingResourceAsZero) {
    uint32_t stored = 0;
    for (const readers::ManifestRow &row : readers::Manifest())
        stored += row.id == 3010 ? 0 : uint32_t(ReadWholeFile(PackedPayloadFile(row.id)).size());
    EXPECT_EQ(0u, ResourceStoredSize(3010, 257));
    EXPECT_EQ(stored, PayloadTotalSize());
}

TEST(PayloadMissing, ExtractionStopsAtTheMissingImage) {
    TTempFolder temp;
    DWORD(WINAPI * savedClock)() = SetupTickCount;
    SetupTickCount = FarAheadClock;
    InstallDir = temp / "Vantorelle";
    ASSERT_TRUE(CreateDirectoryA(InstallDir.c_str(), nullptr));

    EXPECT_FALSE(ExtractPayload());

    SetupTickCount = savedClock;
    EXPECT_EQ(9u, Listing(InstallDir + "\\Images").size()) << "the nine images before id 3010";
    EXPECT_TRUE(FileExists(InstallDir + "\\Images\\Happy.bmp"));
    EXPECT_EQ(3u, Listing(InstallDir).size())
        << "InBox, OutBox and Images only: no later folder, no program file";
    EXPECT_TRUE(DirectoryExists(InstallDir + "\\InBox"));
    EXPECT_TRUE(DirectoryExists(InstallDir + "\\OutBox"));
    InstallDir.clear();
}
