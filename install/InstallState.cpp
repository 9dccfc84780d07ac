#include "install/InstallState.h"

#include <cstring>

std::string InstallDir;
char *InstallDirBuffer = nullptr;
uint32_t PayloadTotalBytes = 0;
uint32_t PayloadDoneBytes = 0;
uint32_t ExtractStartTick = 0;
DWORD(WINAPI *SetupTickCount)() = GetTickCount;

TProgressDisplay ProgressDisplay = nullptr;

void CopyBounded(char *to, const char *begin, const char *end) {
    if (!to)
        return;
    size_t length = static_cast<size_t>(end - begin);
    if (length > MaxPathLength)
        length = MaxPathLength;
    std::memcpy(to, begin, length);
    to[length] = '\0';
}

void StripTrailingBackslash(std::string &path) {
    while (!path.empty() && static_cast<unsigned char>(path.back()) <= ' ')
        path.pop_back();
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
}

int SplitFilePath(const char *path, char *folder, char *name, char *extension) {
    CopyBounded(folder, "", "");
    CopyBounded(name, "", "");
    CopyBounded(extension, "", "");
    if (!path)
        return 0;
    const char *end = path + std::strlen(path);
    const char *slash = std::strrchr(path, '\\');
    const char *dot = std::strrchr(path, '.');
    // A dot in a folder name or a long tail starts no extension.
    if (dot && ((slash && dot < slash) || end - dot > 4))
        dot = nullptr;
    const char *nameEnd = dot ? dot : end;
    if (dot)
        CopyBounded(extension, dot, end);
    if (slash) {
        CopyBounded(folder, path, slash + 1);
        CopyBounded(name, slash + 1, nameEnd);
    } else {
        CopyBounded(name, path, nameEnd);
    }
    return 1;
}

DWORD PaceExtraction(float fraction) {
    int32_t target = static_cast<int32_t>(fraction * 4000.0);
    uint32_t elapsed = SetupTickCount() - ExtractStartTick;
    int32_t lead = static_cast<int32_t>(static_cast<uint32_t>(target) - elapsed);
    if (lead < 100)
        return 0;
    DWORD start = SetupTickCount();
    while (SetupTickCount() - start < static_cast<DWORD>(lead))
        Sleep(1);
    return static_cast<DWORD>(lead);
}

void ExtractProgress(TZCodec *, const std::string &, const char *label, float, uint32_t, uint32_t,
                     uint32_t deltaIn, uint32_t) {
    PayloadDoneBytes += deltaIn;
    char name[PathBufferSize], extension[PathBufferSize];
    SplitFilePath(label, nullptr, name, extension);
    // A payload of no bytes counts as not started, never as NaN.
    float fraction = PayloadTotalBytes
                         ? static_cast<float>(static_cast<double>(PayloadDoneBytes) / PayloadTotalBytes)
                         : 0.0f;
    if (ProgressDisplay)
        ProgressDisplay(std::string(name) + extension, fraction);
    PaceExtraction(fraction);
}
