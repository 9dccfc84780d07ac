// The install-wide helpers: the trailing-backslash strip, the path split and
// the pacing of the extraction.
#include <gtest/gtest.h>

#include <string>

#include "install/InstallState.h"

namespace {

TEST(StripTrailingBackslash, BlanksAndControlsFirstThenOneBackslash) {
    std::string s = "C:\\A\\\\ \t\r\n";
    StripTrailingBackslash(s);
    EXPECT_EQ("C:\\A\\", s);
}

struct TSplit {
    char Folder[260], Name[260], Extension[260];
    int Result;
    explicit TSplit(const char *path) { Result = SplitFilePath(path, Folder, Name, Extension); }
};

TEST(SplitFilePath, FolderNameAndShortExtension) {
    TSplit a("C:\\Data\\song.mp3");
    EXPECT_EQ(1, a.Result);
    EXPECT_STREQ("C:\\Data\\", a.Folder);
    EXPECT_STREQ("song", a.Name);
    EXPECT_STREQ(".mp3", a.Extension);

    TSplit bare("Vantorelle.exe");
    EXPECT_STREQ("", bare.Folder);
    EXPECT_STREQ("Vantorelle", bare.Name);
    EXPECT_STREQ(".exe", bare.Extension);

    TSplit longTail("photo.jpeg");
    EXPECT_STREQ("photo.jpeg", longTail.Name);
    EXPECT_STREQ("", longTail.Extension);

    TSplit dotFirst(".cmp");
    EXPECT_STREQ("", dotFirst.Name);
    EXPECT_STREQ(".cmp", dotFirst.Extension);

    EXPECT_EQ(0, SplitFilePath(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(1, SplitFilePath("a.b", nullptr, nullptr, nullptr));
}

TEST(SplitFilePath, ADotInAFolderNameIsNoExtension) {
    TSplit s("C:\\v1.2\\readme");
    EXPECT_STREQ("C:\\v1.2\\", s.Folder);
    EXPECT_STREQ("readme", s.Name);
    EXPECT_STREQ("", s.Extension);
}

TEST(SplitFilePath, LongPartsAreCutAt259Characters) {
    std::string path = std::string(300, 'f') + "\\" + std::string(400, 'n') + ".txt";
    TSplit s(path.c_str());
    EXPECT_EQ(259u, std::string(s.Folder).size());
    EXPECT_EQ(259u, std::string(s.Name).size());
    EXPECT_STREQ(".txt", s.Extension);
}

// ----------------------------------------------------------------- pacing

DWORD FakeNow = 0;
DWORD WINAPI FakeTickCount() {
    return FakeNow++;
}

class Pacing : public ::testing::Test {
  protected:
    void SetUp() override {
        SetupTickCount = FakeTickCount;
        ExtractStartTick = 1000;
    }
    void TearDown() override { SetupTickCount = GetTickCount; }
};

TEST_F(Pacing, WaitsOnlyWhen100MillisecondsAhead) {
    // 0.05 of 4000 ms is due at 200 ms.
    FakeNow = 1000 + 101;
    EXPECT_EQ(0u, PaceExtraction(0.05f)) << "99 ms ahead: no wait";

    FakeNow = 1000 + 100;
    DWORD before = FakeNow;
    EXPECT_EQ(100u, PaceExtraction(0.05f));
    EXPECT_GE(FakeNow - before, 101u) << "the clock ran for the whole lead";

    FakeNow = 1000 + 200;
    EXPECT_EQ(0u, PaceExtraction(0.05f)) << "on schedule";
    FakeNow = 1000 + 3000;
    EXPECT_EQ(0u, PaceExtraction(0.05f)) << "behind schedule";
}

TEST_F(Pacing, TheScheduleIsTheFractionOf4000Milliseconds) {
    FakeNow = 1000;
    EXPECT_EQ(4000u, PaceExtraction(1.0f));
    FakeNow = 1000;
    EXPECT_EQ(0u, PaceExtraction(0.0f));
}

} // namespace
