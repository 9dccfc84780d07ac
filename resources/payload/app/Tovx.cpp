// Tovx.dll: the helper library of Vantorelle. It tells the program what kind
// of file a path names, by its extension, and which interface version it has;
// it fades colours and plays its synthesiser's waves from the tables that it
// carries as resources (Tovx.rc).
#include <windows.h>

#include <cstdint>

namespace {

// One of the library's RCDATA tables and its size in bytes; null when the
// table is missing. Resources stay mapped while the library is loaded.
const uint8_t *Table(const char *name, DWORD *size) {
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&Table), &self)) {
        return nullptr;
    }
    HRSRC info = FindResourceA(self, name, MAKEINTRESOURCEA(10)); // RT_RCDATA
    if (info == nullptr) {
        return nullptr;
    }
    *size = SizeofResource(self, info);
    return static_cast<const uint8_t *>(LockResource(LoadResource(self, info)));
}

const DWORD WaveLength = 256; // samples of one period of the wave table

struct FileKind {
    const char *Extension;
    const char *Kind;
};

const FileKind FileKinds[] = {
    {".cmn", "Packed composition"},
    {".cmp", "Composition"},
    {".shc", "Shape"},
    {".jpg", "Picture"},
    {".png", "Picture"},
    {".bmp", "Picture"},
    {".mp3", "Music"},
    {".ra", "Music"},
    {".rm", "Music"},
    {".m3u", "Play list"},
    {".pls", "Play list"},
};

} // namespace

// The interface version, major in the high byte: 1.0.
extern "C" __declspec(dllexport) int TovxVersion() {
    return 0x0100;
}

// The kind of file that path names ("Composition", "Picture" ...), judged by
// the extension after its last backslash; "File" when the extension is not
// one of Vantorelle's, "" for a null path. The text is static.
extern "C" __declspec(dllexport) const char *TovxFileKind(const char *path) {
    if (path == nullptr) {
        return "";
    }
    const char *extension = nullptr;
    for (const char *p = path; *p != '\0'; ++p) {
        if (*p == '\\' || *p == '/') {
            extension = nullptr;
        } else if (*p == '.') {
            extension = p;
        }
    }
    if (extension != nullptr) {
        for (const FileKind &kind : FileKinds) {
            if (lstrcmpiA(extension, kind.Extension) == 0) {
                return kind.Kind;
            }
        }
    }
    return "File";
}

// value weighted by alpha / 255 (both 0 to 255) from the fade table; the mix
// of two colour values a and b is TovxFade(255 - alpha, a) + TovxFade(alpha, b).
// -1 for arguments out of range or without the table.
extern "C" __declspec(dllexport) int TovxFade(int alpha, int value) {
    DWORD size = 0;
    const uint8_t *blend = Table("Blend", &size);
    if (blend == nullptr || size != 256 * 256 || alpha < 0 || alpha > 255 || value < 0 || value > 255) {
        return -1;
    }
    return blend[alpha * 256 + value];
}

// The number of periods in the wave table, 0 without it.
extern "C" __declspec(dllexport) int TovxWaveCount() {
    DWORD size = 0;
    return Table("Waves", &size) != nullptr ? static_cast<int>(size / (2 * WaveLength)) : 0;
}

// Sample index (0 to 255) of period wave as a 16-bit value; 0 out of range.
extern "C" __declspec(dllexport) int TovxWaveSample(int wave, int index) {
    DWORD size = 0;
    const uint8_t *waves = Table("Waves", &size);
    if (waves == nullptr || wave < 0 || index < 0 || index >= static_cast<int>(WaveLength) ||
        static_cast<DWORD>(wave) >= size / (2 * WaveLength)) {
        return 0;
    }
    const uint8_t *sample = waves + 2 * (static_cast<DWORD>(wave) * WaveLength + static_cast<DWORD>(index));
    return static_cast<int16_t>(sample[0] | sample[1] << 8);
}
