// Extraction benchmark: unpacks the carried files into a temp folder the way
// the install does (codec in its steps, progress function called, pacing
// off) and compares that with the least work that can produce the same tree:
// one uncompress and one WriteFile per resource. Then it reports the peak
// working set of the extraction and the paced total with the real clock.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <windows.h>
#include <psapi.h>
#include <zlib.h>

#include "install/Folders.h"
#include "install/Payload.h"
#include "install/InstallState.h"
#include "resources/ResourceIds.h"
#include "tests/support/EngineState.h"

namespace {

const int Rounds = 15;
const char *const Subfolders[] = {SUBFOLDER_NAMES};

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

double MegaBytes(SIZE_T bytes) {
    return double(bytes) / (1024.0 * 1024.0);
}

PROCESS_MEMORY_COUNTERS Memory() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

// One resource: uncompress into a buffer of the stored length, write it
// (and, with `flush`, flush it as the data file's close does).
bool PlainFile(const std::string &path, uint16_t id, bool flush) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(RT_PAYLOAD));
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const uint8_t *data = static_cast<const uint8_t *>(loaded ? LockResource(loaded) : nullptr);
    const DWORD size = found ? SizeofResource(nullptr, found) : 0;
    if (!data || size < 4) {
        return false;
    }
    uLongf length = data[0] | data[1] << 8 | data[2] << 16 | uLongf(data[3]) << 24;
    uint8_t *out = static_cast<uint8_t *>(malloc(length ? length : 1));
    bool ok = out && uncompress(out, &length, data + 4, size - 4) == Z_OK;
    if (ok) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ok = file != INVALID_HANDLE_VALUE && WriteFile(file, out, length, &written, nullptr) &&
             written == length;
        if (ok && flush) {
            FlushFileBuffers(file);
        }
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
    }
    free(out);
    return ok;
}

bool PlainTable(const std::string &folder, const char (*names)[PathBufferSize], int count, uint16_t baseId,
                bool flush) {
    for (int i = 0; i < count; ++i) {
        if (!PlainFile(folder + "\\" + names[i], uint16_t(baseId + i), flush)) {
            return false;
        }
    }
    return true;
}

bool PlainExtract(const std::string &root, bool flush) {
    for (const char *name : Subfolders) {
        CreateDirectoryA((root + "\\" + name).c_str(), nullptr);
    }
    const std::string in = root + "\\";
    return PlainTable(in + ImageFilesFolder, ImageFiles, ImageFileCount, ImageFilesBaseId, flush) &&
           PlainTable(in + ShapeFilesFolder, ShapeFiles, ShapeFileCount, ShapeFilesBaseId, flush) &&
           PlainTable(in + CompositionFilesFolder, CompositionFiles, CompositionFileCount,
                      CompositionFilesBaseId, flush) &&
           PlainTable(root, AppFiles, AppFileCount, AppFilesBaseId, flush);
}

// Empties and recreates a folder, outside the timed part.
void Fresh(const std::string &folder) {
    RemoveFolder(folder, nullptr, false);
    CreateFolder(folder);
}

double Best(const std::vector<double> &values) {
    return *std::min_element(values.begin(), values.end());
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "vbench-" + std::to_string(GetCurrentProcessId());
    const std::string setupTree = root + "\\Vantorelle";
    const std::string plainTree = root + "\\Plain";
    CreateFolder(root);

    const PROCESS_MEMORY_COUNTERS start = Memory();
    SetupTickCount = FarAheadClock;
    InstallDir = setupTree;
    std::vector<double> setupTimes, plainTimes, flushedTimes;
    PROCESS_MEMORY_COUNTERS extraction = {};
    // The first round runs the extraction alone, so that its peak is the
    // extraction's; later rounds alternate which of the two runs first.
    auto runSetup = [&] {
        Fresh(setupTree);
        const double t0 = Seconds();
        const bool ok = ExtractPayload();
        setupTimes.push_back(Seconds() - t0);
        return ok;
    };
    auto runPlain = [&](bool flush) {
        Fresh(plainTree);
        const double t0 = Seconds();
        const bool ok = PlainExtract(plainTree, flush);
        (flush ? flushedTimes : plainTimes).push_back(Seconds() - t0);
        return ok;
    };
    for (int round = 0; round < Rounds; ++round) {
        bool ok;
        if (round % 2 == 0) {
            ok = runSetup();
            if (round == 0) {
                extraction = Memory();
            }
            ok = runPlain(false) && ok;
            ok = runPlain(true) && ok;
        } else {
            ok = runPlain(true);
            ok = runPlain(false) && ok;
            ok = runSetup() && ok;
        }
        if (!ok) {
            fprintf(stderr, "an extraction failed\n");
            return 1;
        }
    }

    const double setupBest = Best(setupTimes);
    const double plainBest = Best(plainTimes);
    printf("Unpaced extraction of %d resources (%u stored bytes), best and median of %d rounds:\n",
           AppFileCount + CompositionFileCount + ImageFileCount + ShapeFileCount,
           unsigned(PayloadTotalSize()), Rounds);
    printf("  setup (TZCodec, %2d steps, progress)  %8.1f ms  %8.1f ms\n", PayloadUnpackSteps,
           setupBest * 1000, Median(setupTimes) * 1000);
    printf("  plain (uncompress + WriteFile)       %8.1f ms  %8.1f ms\n", plainBest * 1000,
           Median(plainTimes) * 1000);
    printf("  plain, flushing each file            %8.1f ms  %8.1f ms\n", Best(flushedTimes) * 1000,
           Median(flushedTimes) * 1000);
    printf("  ratio setup / plain                  %8.3f x   %8.3f x   (goal: at most 1.10 x)\n",
           setupBest / plainBest, Median(setupTimes) / Median(plainTimes));
    printf("  ratio setup / plain with flush       %8.3f x   %8.3f x\n", setupBest / Best(flushedTimes),
           Median(setupTimes) / Median(flushedTimes));
    printf("Peak working set during extraction     %8.2f MB  (goal: at most 12 MB)\n",
           MegaBytes(extraction.PeakWorkingSetSize));
    printf("  of which before the first extraction %8.2f MB  (the runtime), growth %.2f MB\n",
           MegaBytes(start.PeakWorkingSetSize),
           MegaBytes(extraction.PeakWorkingSetSize - start.PeakWorkingSetSize));
    printf("  peak private bytes                   %8.2f MB  (before: %.2f MB)\n",
           MegaBytes(extraction.PeakPagefileUsage), MegaBytes(start.PeakPagefileUsage));

    SetupTickCount = GetTickCount;
    Fresh(setupTree);
    const DWORD pacedStart = GetTickCount();
    const bool pacedOk = ExtractPayload();
    const DWORD pacedTotal = GetTickCount() - pacedStart;
    printf("Paced extraction (GetTickCount)        %8lu ms  (goal: 4000 to 4150 ms)%s\n", pacedTotal,
           pacedOk ? "" : "  FAILED");

    InstallDir.clear();
    RemoveFolder(root, nullptr, false);
    return pacedOk ? 0 : 1;
}
