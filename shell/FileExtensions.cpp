#include "shell/FileExtensions.h"

#include <cctype>

#include "install/InstallState.h"
#include "install/SetupMessage.h"
#include "shell/Shortcuts.h"

LONG(WINAPI *SetupRegCreateKeyEx)
(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD) = RegCreateKeyExA;
TTypeBoxTicked TypeBoxTicked = nullptr;

LONG(WINAPI *SetupRegSetValueEx)(HKEY, LPCSTR, DWORD, DWORD, const BYTE *, DWORD) = RegSetValueExA;

namespace {

const char kProgramFile[] = "Vantorelle.exe";
const char kClassSuffix[] = "_auto_file";
const char kNote[] = "Some of the Files Extensions were not set successfully. "
                     "You can set them later using menu item Help\\File Extensions.";

// "EditFlags" of the class key and of its open verb.
const BYTE kClassEditFlags[4] = {0x00, 0x00, 0x00, 0x00};
const BYTE kOpenEditFlags[4] = {0x01, 0x00, 0x00, 0x00};

// A file type the setup registers, and the box on the file-type page that
// selects it. The playlist and RealMedia boxes stand for two types each.
struct TFileTypeRow {
    const char *Extension;
    const char *Box;
};

const TFileTypeRow kFileTypes[] = {
    {".cmp", "cmp"}, {".cmn", "cmn"}, {".jpg", "jpg"}, {".png", "png"}, {".bmp", "bmp"},
    {".mp3", "mp3"}, {".m3u", "m3u"}, {".pls", "m3u"}, {".ra", "ra"},   {".rm", "ra"},
};

// An open registry key, closed when the holder goes out of scope.
class TRegKey {
  public:
    TRegKey() = default;
    TRegKey(const TRegKey &) = delete;
    TRegKey &operator=(const TRegKey &) = delete;
    ~TRegKey() {
        if (Handle)
            RegCloseKey(Handle);
    }

    // Creates subKey under parent, or opens it when it exists, with full
    // access. False when that failed.
    bool Create(HKEY parent, const std::string &subKey) {
        HKEY key = nullptr;
        if (SetupRegCreateKeyEx(parent, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                nullptr) != ERROR_SUCCESS)
            return false;
        Handle = key;
        return true;
    }

    // A REG_SZ value; the size includes the terminating zero. A null name
    // is the key's default value.
    void SetText(const char *name, const std::string &text) const {
        SetupRegSetValueEx(Handle, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1));
    }

    void SetBinary(const char *name, const BYTE (&data)[4]) const {
        SetupRegSetValueEx(Handle, name, 0, REG_BINARY, data, sizeof data);
    }

    HKEY Handle = nullptr;
};

// The extension without its dot, at most three characters.
std::string TypeName(const char *extension) {
    return std::string(extension + 1).substr(0, 3);
}

// The packed-composition type shows the program's first icon, every other
// type its second.
int IconIndex(const std::string &typeName) {
    return lstrcmpiA(typeName.c_str(), "CMN") == 0 ? 0 : 1;
}

std::string Description(const std::string &typeName) {
    std::string upper = typeName;
    for (char &c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper + " File";
}

bool IsTicked(const TFileTypeRow &row) {
    return TypeBoxTicked && TypeBoxTicked(row.Box);
}

} // namespace

int SetFileExtension(const std::string &typeName) {
    if (!InstallDirBuffer)
        return 0;
    const std::string program = std::string(InstallDirBuffer) + "\\" + kProgramFile;
    const std::string className = typeName + kClassSuffix;

    TRegKey extensionKey;
    if (!extensionKey.Create(HKEY_CLASSES_ROOT, "." + typeName))
        return 0;
    extensionKey.SetText(nullptr, className);

    TRegKey commandKey;
    if (!commandKey.Create(HKEY_CLASSES_ROOT, className + "\\shell\\open\\command"))
        return 0;
    commandKey.SetText(nullptr, "\"" + program + "\" %1");

    TRegKey classKey;
    if (!classKey.Create(HKEY_CLASSES_ROOT, className))
        return 0;
    classKey.SetText(nullptr, Description(typeName));
    classKey.SetBinary("EditFlags", kClassEditFlags);

    TRegKey iconKey;
    if (!iconKey.Create(classKey.Handle, "DefaultIcon"))
        return 0;
    iconKey.SetText(nullptr, program + "," + std::to_string(IconIndex(typeName)));

    TRegKey shellKey;
    if (!shellKey.Create(classKey.Handle, "shell"))
        return 0;
    shellKey.SetText(nullptr, "");

    TRegKey openKey;
    if (!openKey.Create(shellKey.Handle, "open"))
        return 0;
    openKey.SetText(nullptr, "");
    openKey.SetBinary("EditFlags", kOpenEditFlags);
    return 1;
}

int SetFileExtensions(HWND owner) {
    // The associations follow the Start-menu check: a folder that exists
    // without a readable main shortcut leaves every type alone.
    bool succeeded = CheckStartMenuFolder(MainShortcutName, StartMenuFolderName) != 0;
    if (succeeded) {
        for (const TFileTypeRow &row : kFileTypes) {
            if (IsTicked(row) && SetFileExtension(TypeName(row.Extension)) != 1)
                succeeded = false;
        }
    }
    if (!succeeded)
        ShowSetupMessage(kNote, "", owner);
    return 1;
}
