#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "install/ZCodec.h"
#include "EngineTestSupport.h"

namespace {

struct TNote {
    float Fraction;
    uint32_t TotalIn, TotalOut, DeltaIn, DeltaOut;
};

// Records a codec's notifications; the StopAt-th one (1-based) clears Busy.
struct TRecorder {
    std::vector<TNote> Notes;
    size_t StopAt = 0;
    std::string Order;
};

void RecordEvent(void *object, TZCodec *codec, const std::string &, const char *, float fraction,
                 uint32_t totalIn, uint32_t totalOut, uint32_t deltaIn, uint32_t deltaOut) {
    TRecorder *recorder = static_cast<TRecorder *>(object);
    recorder->Notes.push_back({fraction, totalIn, totalOut, deltaIn, deltaOut});
    recorder->Order += 'E';
    if (recorder->StopAt == recorder->Notes.size()) {
        codec->Busy = false;
    }
}

TRecorder *ProcRecorder = nullptr;
void RecordProc(TZCodec *, const std::string &, const char *, float, uint32_t, uint32_t, uint32_t, uint32_t) {
    ProcRecorder->Order += 'P';
}

TZCodec RecordingCodec(TRecorder &recorder) {
    TZProgressEvent event;
    event.Object = &recorder;
    event.Function = RecordEvent;
    return TZCodec(nullptr, event);
}

// Deterministic data: random bytes do not compress, words do.
Bytes MakeData(size_t size, bool random) {
    Bytes data(size);
    uint32_t seed = 12345;
    const char words[] = "music pictures colour compositions ";
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245 + 12345;
        data[i] = random ? uint8_t(seed >> 16) : uint8_t(words[(i + (seed >> 28)) % (sizeof words - 1)]);
    }
    return data;
}

// The payload layout of the data: length header and zlib stream.
Bytes Pack(const Bytes &data, int level = 6) {
    const uint8_t none = 0; // a source of 0 bytes still needs a buffer
    uint8_t *out = nullptr;
    uint32_t length = 0;
    EXPECT_EQ(zrOk, TZCodec().Compress("", data.empty() ? &none : data.data(), uint32_t(data.size()), 0, true,
                                       level, &out, &length, ""));
    Bytes packed(out, out + length);
    free(out);
    return packed;
}

int Unpack(TZCodec &codec, const Bytes &packed, int steps, Bytes &result) {
    uint8_t *out = nullptr;
    uint32_t length = 0;
    int code =
        codec.Decompress("", packed.data(), uint32_t(packed.size()), "lbl", steps, true, &out, &length, "");
    result.assign(out, out + (out ? length : 0));
    free(out);
    return code;
}

} // namespace

// One step (or none) goes through uncompress without notifications; 20
// steps fail for a stream shorter than 20 bytes (no progress in the first).
TEST(ZCodec, RoundTripsWithOneAndTwentySteps) {
    struct {
        size_t Size;
        bool Random;
        int TwentySteps;
    } cases[] = {{0, true, zrZlibFailed}, {1, true, zrZlibFailed}, {19, true, zrOk},     {20, true, zrOk},
                 {21, true, zrOk},        {3 << 20, false, zrOk},  {1 << 20, true, zrOk}};
    for (const auto &c : cases) {
        SCOPED_TRACE("size " + std::to_string(c.Size));
        const Bytes data = MakeData(c.Size, c.Random);
        const Bytes packed = Pack(data);
        ASSERT_GE(packed.size(), 12u);
        EXPECT_EQ(c.Size, packed[0] | packed[1] << 8 | packed[2] << 16 | uint32_t(packed[3]) << 24);
        EXPECT_EQ(0x78, packed[4]);
        EXPECT_EQ(0x9C, packed[5]);

        TRecorder recorder;
        TZCodec codec = RecordingCodec(recorder);
        Bytes one, twenty;
        EXPECT_EQ(zrOk, Unpack(codec, packed, 1, one));
        EXPECT_EQ(zrOk, Unpack(codec, packed, 0, one));
        EXPECT_TRUE(one == data) << "1 step gives " << one.size() << " bytes";
        EXPECT_TRUE(recorder.Notes.empty()) << "one step makes no notification";
        EXPECT_EQ(c.TwentySteps, Unpack(codec, packed, 20, twenty));
        EXPECT_TRUE(c.TwentySteps != zrOk || twenty == data) << "20 steps give " << twenty.size() << " bytes";
        EXPECT_FALSE(codec.Busy);
    }
}

// Level 0 stores the data in a stream 11 bytes longer: 29 bytes make 40
// (20 steps of 2), 30 make 41 (21 steps).
TEST(ZCodec, StepwiseNotifications) {
    struct {
        size_t Size;
        uint32_t Stream;
        size_t Notes;
    } cases[] = {{29, 40, 21}, {30, 41, 22}};
    for (const auto &c : cases) {
        SCOPED_TRACE("size " + std::to_string(c.Size));
        const Bytes packed = Pack(MakeData(c.Size, true), 0);
        ASSERT_EQ(4 + c.Stream, packed.size());
        TRecorder recorder;
        TZCodec codec = RecordingCodec(recorder);
        codec.ProgressProc = RecordProc;
        ProcRecorder = &recorder;
        Bytes out;
        EXPECT_EQ(zrOk, Unpack(codec, packed, 20, out));
        ASSERT_EQ(c.Notes, recorder.Notes.size());
        EXPECT_EQ(2 * c.Notes, recorder.Order.size());
        EXPECT_EQ("EP", recorder.Order.substr(0, 2)) << "OnProgress first, then ProgressProc";

        const TNote &first = recorder.Notes.front();
        EXPECT_EQ(0.0f, first.Fraction);
        EXPECT_EQ(0u, first.TotalIn + first.TotalOut + first.DeltaIn + first.DeltaOut);
        EXPECT_EQ(2u, recorder.Notes[1].DeltaIn);
        const TNote &last = recorder.Notes.back();
        EXPECT_EQ(1.0f, last.Fraction);
        EXPECT_EQ(c.Stream, last.TotalIn);
        EXPECT_EQ(c.Size, last.TotalOut);
        uint32_t sumIn = 0;
        for (const TNote &note : recorder.Notes) {
            sumIn += note.DeltaIn;
        }
        EXPECT_EQ(c.Stream, sumIn);
    }
}

TEST(ZCodec, ClearingBusyStopsAfterTheFollowingStep) {
    const Bytes packed = Pack(MakeData(29, true), 0); // 20 steps of 2 bytes
    TRecorder early;
    early.StopAt = 3;
    TZCodec stopped = RecordingCodec(early);
    Bytes out;
    EXPECT_EQ(zrZlibFailed, Unpack(stopped, packed, 20, out));
    ASSERT_EQ(4u, early.Notes.size()) << "three notifications, then the final one";
    EXPECT_EQ(-1.0f, early.Notes.back().Fraction);

    TRecorder late;
    late.StopAt = 20; // the step after it ends the stream
    TZCodec finished = RecordingCodec(late);
    EXPECT_EQ(zrOk, Unpack(finished, packed, 20, out));
    EXPECT_EQ(1.0f, late.Notes.back().Fraction);
}

TEST(ZCodec, StoredLengthIsACapacityNotACheck) {
    TTempFolder temp;
    Bytes packed = Pack(MakeData(5000, false));
    TZCodec codec;
    packed[0] = 0x87; // capacity 4999 (0x1387), one byte short
    packed[1] = 0x13;
    EXPECT_EQ(zrZlibFailed, codec.Decompress("", packed.data(), uint32_t(packed.size()), "", 20, true,
                                             nullptr, nullptr, temp / "small.bin"));
    EXPECT_FALSE(FileExists(temp / "small.bin"));
    packed[1] = 0x20; // 8327 (0x2087)
    EXPECT_EQ(zrOk, codec.Decompress("", packed.data(), uint32_t(packed.size()), "", 20, true, nullptr,
                                     nullptr, temp / "large.bin"));
    EXPECT_EQ(5000u, ReadWholeFile(temp / "large.bin").size());
}

TEST(ZCodec, DamagedOrTruncatedStreamsFailWithAFinalMinusOne) {
    TTempFolder temp;
    const Bytes good = Pack(MakeData(4000, false));
    Bytes header = good, checksum = good, truncated(good.begin(), good.end() - 3);
    header[5] ^= 0x01;
    checksum.back() ^= 0xFF;
    for (const Bytes *packed : {&header, &checksum, &truncated}) {
        TRecorder recorder;
        TZCodec codec = RecordingCodec(recorder);
        EXPECT_EQ(zrZlibFailed, codec.Decompress("", packed->data(), uint32_t(packed->size()), "", 20, true,
                                                 nullptr, nullptr, temp / "out.bin"));
        ASSERT_FALSE(recorder.Notes.empty());
        const TNote &last = recorder.Notes.back();
        EXPECT_EQ(-1.0f, last.Fraction);
        EXPECT_EQ(0u, last.TotalIn + last.TotalOut + last.DeltaIn + last.DeltaOut);
        EXPECT_FALSE(FileExists(temp / "out.bin"));
        Bytes out;
        EXPECT_EQ(zrZlibFailed, Unpack(codec, *packed, 1, out));
    }
}

// Without source or destination nothing happens; a buffer is handed over
// only when there is no destination name.
TEST(ZCodec, DestinationsAndBufferOwnership) {
    TTempFolder temp;
    const Bytes data = MakeData(3000, false);
    const Bytes packed = Pack(data);
    TZCodec codec;
    uint8_t sentinel = 0;
    uint8_t *out = &sentinel;
    uint32_t length = 77;
    EXPECT_EQ(zrOk, codec.Decompress("", nullptr, 10, "", 20, true, &out, &length, temp / "a.bin"));
    EXPECT_EQ(zrOk, codec.DecompressDataFile(nullptr, 10, "", 20, true, &out, &length, ""));
    EXPECT_EQ(zrOk, codec.Decompress("", packed.data(), uint32_t(packed.size()), "", 20, true, &out, &length,
                                     temp / "b.bin"));
    EXPECT_EQ(&sentinel, out) << "with a destination file the caller's places stay as they were";
    EXPECT_EQ(77u, length);
    EXPECT_FALSE(FileExists(temp / "a.bin"));
    EXPECT_TRUE(ReadWholeFile(temp / "b.bin") == data);
    // NUL takes the write but refuses the flush: the output never reached a disk.
    EXPECT_EQ(zrWriteFailed, codec.Decompress("", packed.data(), uint32_t(packed.size()), "", 20, true, &out,
                                              &length, "NUL"));

    EXPECT_EQ(zrOk,
              codec.Decompress("", packed.data(), uint32_t(packed.size()), "", 20, true, &out, nullptr, ""));
    ASSERT_NE(&sentinel, out);
    EXPECT_EQ(0, memcmp(data.data(), out, data.size()));
    free(out);

    const Bytes stream(packed.begin() + 4, packed.end()); // no header: the capacity comes from outLength
    EXPECT_EQ(zrReadFailed,
              codec.Decompress("", stream.data(), uint32_t(stream.size()), "", 20, false, &out, nullptr, ""));
    length = 3000;
    EXPECT_EQ(zrOk,
              codec.Decompress("", stream.data(), uint32_t(stream.size()), "", 20, false, &out, &length, ""));
    EXPECT_EQ(3000u, length);
    free(out);
}

// Short headers, missing files, empty input and over-long names fail with
// their codes, never with a read out of bounds or a NaN.
TEST(ZCodec, MalformedSourcesAndNamesFailCleanly) {
    TTempFolder temp;
    TZCodec codec;
    uint8_t *out = nullptr;
    const uint8_t three[] = {5, 0, 0};
    EXPECT_EQ(zrReadFailed, codec.Decompress("", three, 3, "", 20, true, &out, nullptr, ""));
    WriteWholeFile(temp / "short.z", {5, 0});
    EXPECT_EQ(zrReadFailed,
              codec.DecompressFile(temp / "short.z", temp / "out", "", 20, true, nullptr, nullptr));
    EXPECT_EQ(zrOpenFailed,
              codec.DecompressFile(temp / "none.z", temp / "out", "", 20, true, nullptr, nullptr));
    EXPECT_EQ(zrNoResource,
              codec.DecompressResource(9999, 257, "", 20, true, nullptr, nullptr, temp / "out"));

    const std::string longName = temp / std::string(260, 'n');
    const Bytes packed = Pack(MakeData(100, false));
    EXPECT_EQ(zrOpenFailed, codec.Decompress("", packed.data(), uint32_t(packed.size()), "", 20, true,
                                             nullptr, nullptr, longName));
    EXPECT_EQ(zrNoMemory, codec.CompressFile(longName, 0, true, 6, nullptr, nullptr, ""));
    EXPECT_FALSE(FileExists(temp / "out"));
    EXPECT_EQ(nullptr, out);

    TRecorder recorder;
    TZCodec empty = RecordingCodec(recorder);
    Bytes result;
    EXPECT_EQ(zrZlibFailed, Unpack(empty, Bytes{0, 0, 0, 0}, 20, result));
    ASSERT_EQ(2u, recorder.Notes.size());
    EXPECT_EQ(0.0f, recorder.Notes[0].Fraction) << "no input: fraction 0, never NaN";
}

// The derived ".zip" names of the source's folder and title.
TEST(ZCodec, CompressFileDerivesTheDestinationName) {
    TTempFolder temp;
    const Bytes data = MakeData(2000, false);
    for (const char *name : {"song.mp3", "photo.jpeg", "notes"}) {
        WriteWholeFile(temp / name, data);
    }
    TZCodec codec;
    EXPECT_EQ(zrOk, codec.CompressFile(temp / "song.mp3", 0, true, 6, nullptr, nullptr, ""));
    EXPECT_EQ(zrOk, codec.CompressFile(temp / "photo.jpeg", 0, true, 6, nullptr, nullptr, ""));
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    SetCurrentDirectoryA(temp.Path().c_str());
    EXPECT_EQ(zrOk, codec.CompressFile("notes", 0, true, 6, nullptr, nullptr, ""));
    SetCurrentDirectoryA(before);
    EXPECT_TRUE(FileExists(temp / "photo.jpeg.zip"));
    EXPECT_TRUE(FileExists(temp / "notes.zip"));
    EXPECT_TRUE(ReadWholeFile(temp / "song.zip") == Pack(data));
    EXPECT_EQ(zrOk,
              codec.DecompressFile(temp / "song.zip", temp / "song.out", "", 20, true, nullptr, nullptr));
    EXPECT_TRUE(ReadWholeFile(temp / "song.out") == data);
}

TEST(ZCodec, SplitPathParts) {
    struct {
        const char *Path, *Folder, *Extension, *Title;
    } cases[] = {
        {"C:\\Data\\song.mp3", "C:\\Data\\", ".mp3", "song"},
        {"C:\\d.\\ab", "C:\\d.\\", "", "ab"},
        {"archive.tar.gz", "", ".gz", "archive.tar"},
    };
    for (const auto &c : cases) {
        char folder[260], extension[260], title[260];
        EXPECT_TRUE(TZCodec::SplitPath(c.Path, folder, extension, title));
        EXPECT_STREQ(c.Folder, folder) << c.Path;
        EXPECT_STREQ(c.Extension, extension) << c.Path;
        EXPECT_STREQ(c.Title, title) << c.Path;
    }
    char title[261];
    title[260] = '#';
    EXPECT_TRUE(TZCodec::SplitPath(("C:\\" + std::string(400, 't')).c_str(), nullptr, nullptr, title));
    EXPECT_EQ(259u, strlen(title));
    EXPECT_EQ('#', title[260]);
    EXPECT_FALSE(TZCodec::SplitPath(nullptr, nullptr, nullptr, title));
    EXPECT_STREQ("", title);
}
