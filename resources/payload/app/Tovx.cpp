// Tovx.dll: the helper library of Vantorelle. It tells the program what kind
// of file a path names, by its extension, and which interface version it has.
#include <windows.h>

namespace {

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
