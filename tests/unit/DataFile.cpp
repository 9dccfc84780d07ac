#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "install/DataFile.h"
#include "EngineTestSupport.h"

namespace {

const uint16_t TestType = 300; // the blocks of DataFile.rc

std::string TakeString(char *text) {
    std::string copy = text ? text : "<null>";
    free(text);
    return copy;
}

bool OpenDisk(TDataFile &file, const std::string &name, bool deleteOnClose = false) {
    return file.Open(name, GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS, deleteOnClose, dfkFile, 0xFFFF, "",
                     0xFFFF);
}

bool OpenResource(TDataFile &file, uint16_t id, const std::string &name, uint16_t type) {
    return file.Open("", GENERIC_READ, 0, OPEN_EXISTING, false, dfkResource, id, name, type);
}

} // namespace

// Typed values go to disk little-endian and come back unchanged.
TEST(DataFile, TypedValuesRoundTripThroughTheDisk) {
    TTempFolder temp;
    {
        TDataFile file;
        ASSERT_TRUE(OpenDisk(file, temp / "typed.bin"));
        file.WriteInt(0x04030201);
        file.WriteFloat(1.5f);
        file.WriteDouble(-2.25);
        file.WriteString("hi");
        file.WriteText("yo");
        EXPECT_EQ(0u, file.SetPosition(0));
        EXPECT_EQ(0x04030201, file.ReadInt());
        EXPECT_EQ(1.5f, file.ReadFloat());
        EXPECT_EQ(-2.25, file.ReadDouble());
        EXPECT_EQ("hi", TakeString(file.ReadText()));
        EXPECT_EQ("yo", TakeString(file.ReadText()));
        EXPECT_EQ(0, file.ReadInt());
        EXPECT_TRUE(file.IsEof());
    }
    EXPECT_EQ((Bytes{1, 2, 3, 4, 0, 0, 0xC0, 0x3F, 0, 0, 0, 0, 0, 0, 2, 0xC0, 'h', 'i', 0, 'y', 'o', 0}),
              ReadWholeFile(temp / "typed.bin"));
}

// From the end, a disk file adds the distance to its size; a resource block
// counts the distance back from its end.
TEST(DataFile, SeekOriginsOnDiskAndResource) {
    TTempFolder temp;
    TDataFile disk;
    ASSERT_TRUE(OpenDisk(disk, temp / "seek.bin"));
    disk.Write("0123456789", 10);
    EXPECT_EQ(8u, disk.Seek(-2, 2));
    EXPECT_EQ(7u, disk.Seek(-3, 1024));
    EXPECT_EQ(9u, disk.Seek(2, 1));
    EXPECT_EQ(6u, disk.Seek(-3, 512));
    EXPECT_EQ(4u, disk.Seek(4, 77)) << "any other origin counts from the start";
    EXPECT_EQ(4u, disk.Seek(-20, 1)) << "a move before the start is refused";

    TDataFile block;
    ASSERT_TRUE(OpenResource(block, 7, "", TestType));
    EXPECT_EQ(10u, block.ResourceSize);
    EXPECT_EQ(0u, block.GetSize()) << "a resource block reports size 0";
    EXPECT_EQ(7u, block.Seek(3, 2));
    EXPECT_EQ(5u, block.Seek(-2, 1));
    EXPECT_EQ(0, block.Write("x", 1)) << "a resource block is read-only";
}

TEST(DataFile, ResourceReadsStopAtTheEnd) {
    TDataFile file;
    ASSERT_TRUE(OpenResource(file, 7, "", TestType));
    char buffer[16] = {};
    EXPECT_EQ(4, file.Read(buffer, 4));
    EXPECT_STREQ("0123", buffer);
    EXPECT_FALSE(file.IsEof());
    file.Seek(7, 0);
    EXPECT_EQ(3, file.Read(buffer, 8)) << "only the bytes left";
    EXPECT_TRUE(file.IsEof());
    EXPECT_EQ(0, file.Read(buffer, 1)) << "at the end";
    EXPECT_TRUE(file.IsEof());
    file.Seek(20, 0);
    EXPECT_EQ(0, file.Read(buffer, 1)) << "past the end";
    EXPECT_TRUE(file.IsEof());

    EXPECT_FALSE(OpenResource(file, 4321, "", TestType));
    TDataFile bitmap;
    ASSERT_TRUE(OpenResource(bitmap, 1, "", 555)) << "type 555 stands for the bitmap type";
    EXPECT_EQ(40, bitmap.ReadInt()) << "a bitmap resource begins with its 40-byte info header";
}

// The named block holds a CR LF CR LF b \0 c.
TEST(DataFile, ReadLineSkipsEmptyLinesAndStopsAtZero) {
    TDataFile file;
    ASSERT_TRUE(OpenResource(file, 0xFFFF, "LINES", TestType));
    EXPECT_EQ("a", TakeString(file.ReadLine()));
    EXPECT_EQ(5u, file.GetPosition()) << "the next line begins at b";
    EXPECT_EQ("b", TakeString(file.ReadLine()));
    EXPECT_EQ("c", TakeString(file.ReadLine()));
}

TEST(DataFile, ReadTextIntoBoundsItsCopy) {
    TDataFile file;
    ASSERT_TRUE(OpenResource(file, 7, "", TestType));
    char buffer[8];
    memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(10u, file.ReadTextInto(buffer, 0));
    EXPECT_EQ('#', buffer[0]) << "size 0 copies nothing, not even a terminator";
    file.SetPosition(0);
    EXPECT_EQ(10u, file.ReadTextInto(buffer, 4));
    EXPECT_STREQ("012", buffer);
    EXPECT_EQ(0u, file.ReadTextInto(nullptr, 8));
}

TEST(DataFile, CreateAlwaysEmptiesAndDeleteOnCloseDeletes) {
    TTempFolder temp;
    WriteWholeFile(temp / "old.bin", Bytes(100, 'x'));
    {
        TDataFile file;
        ASSERT_TRUE(OpenDisk(file, temp / "old.bin"));
        EXPECT_EQ(0u, file.GetSize());
        file.Write("new", 3);
        TDataFile scratch;
        ASSERT_TRUE(OpenDisk(scratch, temp / "scratch.bin", true));
        scratch.Write("data", 4);
    }
    EXPECT_EQ((Bytes{'n', 'e', 'w'}), ReadWholeFile(temp / "old.bin"));
    EXPECT_FALSE(FileExists(temp / "scratch.bin"));
    TDataFile missing;
    EXPECT_FALSE(
        missing.Open(temp / "none", GENERIC_READ, 0, OPEN_EXISTING, false, dfkFile, 0xFFFF, "", 0xFFFF));
    EXPECT_EQ(nullptr, missing.GetHandle()) << "a failed open leaves Handle null";
}

// Commit writes the line list only when the object owns it: each line, a
// zero byte, CR and LF, in place of what the file held.
TEST(DataFile, CommitWritesOwnedLines) {
    TTempFolder temp;
    std::vector<std::string> lines = {"ab", "", "c"};
    int someoneElse = 0;
    {
        TDataFile owned(nullptr, &lines);
        owned.Owner = &owned;
        ASSERT_TRUE(OpenDisk(owned, temp / "owned.txt"));
        owned.Write("previous contents, longer than the lines", 40);
        EXPECT_TRUE(owned.Commit());
        TDataFile foreign(&someoneElse, &lines);
        ASSERT_TRUE(OpenDisk(foreign, temp / "foreign.txt"));
        foreign.Write("kept", 4);
    }
    EXPECT_EQ((Bytes{'a', 'b', 0, '\r', '\n', 0, '\r', '\n', 'c', 0, '\r', '\n'}),
              ReadWholeFile(temp / "owned.txt"));
    EXPECT_EQ((Bytes{'k', 'e', 'p', 't'}), ReadWholeFile(temp / "foreign.txt"));
}
