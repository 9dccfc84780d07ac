#include "shell/FileExtensions.h"

#include <cctype>

#include "install/InstallState.h"
#include "install/SetupMessage.h"
#include "resources/ProductInfo.h"
#include "shell/Shortcuts.h"
#include "win32/RegKey.h"

LONG(WINAPI *SetupRegCreateKeyEx)
(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD) = RegCreateKeyExA;
LONG(WINAPI *SetupRegSetValueEx)(HKEY, LPCSTR, DWORD, DWORD, const BYTE *, DWORD) = RegSetValueExA;
TTypeBoxTicked TypeBoxTicked = nullptr;

namespace {

const char kProgramFile[] = PRODUCT_PROGRAM_FILE;
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

// Creates subKey under parent, or opens it when it exists, with full access,
// into key. False when that failed.
bool CreateKey(TRegKey &key, HKEY parent, const std::string &subKey) {
    HKEY created = nullptr;
    if (SetupRegCreateKeyEx(parent, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created,
                            nullptr) != ERROR_SUCCESS)
        return false;
    key.Reset(created);
    return true;
}

// A REG_SZ value; the size includes the terminating zero. A null name is the
// key's default value.
void SetText(const TRegKey &key, const char *name, const std::string &text) {
    SetupRegSetValueEx(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
}

void SetBinary(const TRegKey &key, const char *name, const BYTE (&data)[4]) {
    SetupRegSetValueEx(key.Get(), name, 0, REG_BINARY, data, sizeof data);
}

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
    if (!CreateKey(extensionKey, HKEY_CLASSES_ROOT, "." + typeName))
        return 0;
    SetText(extensionKey, nullptr, className);

    TRegKey commandKey;
    if (!CreateKey(commandKey, HKEY_CLASSES_ROOT, className + "\\shell\\open\\command"))
        return 0;
    SetText(commandKey, nullptr, "\"" + program + "\" %1");

    TRegKey classKey;
    if (!CreateKey(classKey, HKEY_CLASSES_ROOT, className))
        return 0;
    SetText(classKey, nullptr, Description(typeName));
    SetBinary(classKey, "EditFlags", kClassEditFlags);

    TRegKey iconKey;
    if (!CreateKey(iconKey, classKey.Get(), "DefaultIcon"))
        return 0;
    SetText(iconKey, nullptr, program + "," + std::to_string(IconIndex(typeName)));

    TRegKey shellKey;
    if (!CreateKey(shellKey, classKey.Get(), "shell"))
        return 0;
    SetText(shellKey, nullptr, "");

    TRegKey openKey;
    if (!CreateKey(openKey, shellKey.Get(), "open"))
        return 0;
    SetText(openKey, nullptr, "");
    SetBinary(openKey, "EditFlags", kOpenEditFlags);
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
