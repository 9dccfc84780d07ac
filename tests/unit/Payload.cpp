#include <string>

#include <gtest/gtest.h>

#include "install/Payload.h"
#include "install/InstallState.h"
#include "EngineTestSupport.h"

namespace {

using readers::FileCount;
using readers::ManifestRow;

class Payload : public ::testing::Test {
  protected:
    void SetUp() override {
        savedClock_ = SetupTickCount;
        SetupTickCount = FarAheadClock;
        InstallDir = temp_ / "Vantorelle";
        ASSERT_TRUE(CreateDirectoryA(InstallDir.c_str(), nullptr));
    }
    void TearDown() override {
        SetupTickCount = savedClock_;
        InstallDir.clear();
    }
    // Every file of the manifest is installed in its folder, equal byte for
    // byte to its source.
    void ExpectTree() {
        ASSERT_FALSE(rows_.empty());
        for (const ManifestRow &row : rows_) {
            const std::string path =
                InstallDir + (row.folder.empty() ? "" : "\\" + row.folder) + "\\" + row.name;
            const Bytes source = ReadWholeFile(RawPayloadFile(row.id));
            ASSERT_FALSE(source.empty()) << "no stand-in file for id " << row.id;
            EXPECT_TRUE(ReadWholeFile(path) == source) << path << " differs from id " << row.id;
        }
    }
    const std::vector<ManifestRow> rows_ = readers::Manifest();
    TTempFolder temp_;
    DWORD(WINAPI *savedClock_)() = nullptr;
};

} // namespace

// The tree after a run, and the gauge's totals: every stored byte counts in
// the total, only the zlib streams are consumed (4 bytes short per file).
TEST_F(Payload, ExtractionWritesTheWholeTree) {
    uint32_t stored = 0;
    for (const ManifestRow &row : rows_)
        stored += uint32_t(ReadWholeFile(PackedPayloadFile(row.id)).size());
    EXPECT_EQ(stored, PayloadTotalSize());

    ASSERT_TRUE(ExtractPayload());
    // Each folder holds its files and nothing else; those without stay empty.
    const std::vector<std::string> folders = readers::Subfolders();
    EXPECT_EQ(FileCount("") + folders.size(), Listing(InstallDir).size());
    for (const std::string &folder : folders) {
        EXPECT_TRUE(DirectoryExists(InstallDir + "\\" + folder)) << folder;
        EXPECT_EQ(FileCount(folder), Listing(InstallDir + "\\" + folder).size()) << folder;
    }
    ExpectTree();
    EXPECT_EQ(stored, PayloadTotalBytes);
    EXPECT_EQ(stored - rows_.size() * 4, PayloadDoneBytes);
}

TEST_F(Payload, RerunReplacesEveryFile) {
    ASSERT_TRUE(ExtractPayload());
    WriteWholeFile(InstallDir + "\\Vantorelle.exe", {'o', 'l', 'd'});
    WriteWholeFile(InstallDir + "\\Images\\Baby.bmp", Bytes(200000, 'x'));
    ASSERT_TRUE(ExtractPayload());
    ExpectTree();
}

TEST_F(Payload, ExtractPayloadFileSelectorsAndEmptyNames) {
    CreateDirectoryA((InstallDir + "\\Shapes").c_str(), nullptr);
    EXPECT_TRUE(ExtractPayloadFile("Copy.shc", 4002, pfShapes, 257));
    EXPECT_TRUE(ReadWholeFile(InstallDir + "\\Shapes\\Copy.shc") == ReadWholeFile(RawPayloadFile(4002)));
    EXPECT_TRUE(ExtractPayloadFile("", 5, pfInstallDir, 257)) << "an empty name counts as written";
    EXPECT_FALSE(ExtractPayloadFile("Redist.txt", 5, 2, 257)) << "selector 2 names no folder";
    EXPECT_FALSE(ExtractPayloadFile("Redist.txt", 9999, pfInstallDir, 257));
    EXPECT_FALSE(ExtractPayloadFile("Redist.txt", 5, pfImages, 257)) << "the Images folder does not exist";
    EXPECT_EQ(1u, Listing(InstallDir).size()) << "nothing but Shapes was written";
}

// The device NUL takes every write and refuses the flush: the bytes never
// reach a disk, so the file has failed, and the install with it.
TEST_F(Payload, AFileWhoseFlushFailsIsNotWritten) {
    InstallDir = "\\\\.";
    EXPECT_FALSE(ExtractPayloadFile("NUL", 5, pfInstallDir, 257));
}

// An install folder too long for the folder buffers: no folder is created,
// and the first file fails.
TEST_F(Payload, OverlongInstallFolderFailsCleanly) {
    InstallDir = temp_.Path() + "\\" + std::string(258 - temp_.Path().size(), 'V');
    ASSERT_TRUE(CreateDirectoryA(InstallDir.c_str(), nullptr));
    EXPECT_FALSE(ExtractPayload());
    EXPECT_TRUE(Listing(InstallDir).empty());
    // The longest path written below the folder: \Compositions\I Love You, Baby.cmp.
    EXPECT_EQ(34u, LongestPayloadPath());
}
