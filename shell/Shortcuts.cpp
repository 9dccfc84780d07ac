#include "shell/Shortcuts.h"

#include <objbase.h>
#include <shlobj.h>

#include "install/InstallState.h"
#include "resources/ProductInfo.h"
#include "win32/Com.h"
#include "win32/FindHandle.h"
#include "win32/PathLimit.h"

const char StartMenuFolderName[] = PRODUCT_NAME;
const char MainShortcutName[] = PRODUCT_NAME;
const char HelpShortcutName[] = "Help";

namespace {

// The same notice and version text as in the version resource.
const char kDescription[] = PRODUCT_COPYRIGHT_NOTICE PRODUCT_VERSION_TEXT;

const CLSID kClsidShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidShellLinkA = {0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Access mode for loading an existing shortcut. The shell link object
// reads the file with it as well, so the check below loads a valid shortcut.
const DWORD kLoadMode = STGM_WRITE;

// The item list of a special folder, freed with the shell's allocator.
class TItemList {
  public:
    TItemList() = default;
    TItemList(const TItemList &) = delete;
    TItemList &operator=(const TItemList &) = delete;
    ~TItemList() { CoTaskMemFree(Items); }
    LPITEMIDLIST Items = nullptr;
};

// The current user's Start-menu Programs folder, looked up anew each time.
// False when the shell cannot name it.
bool ProgramsFolder(std::string &path) {
    TItemList list;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAMS, &list.Items)) || !list.Items)
        return false;
    char buffer[PathBufferSize] = "";
    if (!SHGetPathFromIDListA(list.Items, buffer))
        return false;
    path = buffer;
    return true;
}

// An ANSI path as UTF-16 with its terminating zero. False when it does not
// fit into PathBufferSize wide characters or cannot be converted.
bool ToWide(const std::string &path, WCHAR (&wide)[PathBufferSize]) {
    return MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, PathBufferSize) != 0;
}

HRESULT CreateShellLink(TComPtr<IShellLinkA> &link) {
    return CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLinkA, link.Out());
}

} // namespace

int CreateShortcuts() {
    if (!InstallDirBuffer)
        return 1;
    if (!CheckStartMenuFolder(MainShortcutName, StartMenuFolderName))
        return 1;
    CreateStartMenuFolder(StartMenuFolderName);
    const std::string directory = std::string(InstallDirBuffer) + "\\";
    CreateShortcut(directory + PRODUCT_PROGRAM_FILE, MainShortcutName, StartMenuFolderName);
    CreateShortcut(directory + PRODUCT_HELP_FILE, HelpShortcutName, StartMenuFolderName);
    return 1;
}

int CheckStartMenuFolder(const std::string &shortcutName, const std::string &folderName) {
    std::string programs;
    if (!ProgramsFolder(programs))
        return 0;
    const std::string folder = programs + "\\" + folderName;
    WIN32_FIND_DATAA found;
    if (!TFindHandle(FindFirstFileA(folder.c_str(), &found)).Valid())
        return 1;

    WCHAR shortcutPath[PathBufferSize];
    if (!ToWide(folder + "\\" + shortcutName + ".lnk", shortcutPath))
        return 0;

    TComScope com;
    TComPtr<IShellLinkA> link;
    if (FAILED(CreateShellLink(link)))
        return 0;
    {
        TComPtr<IPersistFile> file;
        if (FAILED(link->QueryInterface(kIidPersistFile, file.Out())))
            return 0;
        if (FAILED(file->Load(shortcutPath, kLoadMode)))
            return 0;
    }
    char description[PathBufferSize] = "";
    if (link->GetDescription(description, PathBufferSize) != S_OK)
        return 0;
    return 1;
}

int CreateStartMenuFolder(const std::string &folderName) {
    std::string programs;
    if (!ProgramsFolder(programs))
        return 1;
    const std::string folder = programs + "\\" + folderName;
    CreateDirectoryA(folder.c_str(), nullptr);
    SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHA, folder.c_str(), nullptr);
    return 1;
}

int CreateShortcut(const std::string &target, const std::string &shortcutName,
                   const std::string &folderName) {
    std::string programs;
    WCHAR shortcutPath[PathBufferSize];
    if (!ProgramsFolder(programs) ||
        !ToWide(programs + "\\" + folderName + "\\" + shortcutName + ".lnk", shortcutPath))
        return 1;

    TComScope com;
    TComPtr<IShellLinkA> link;
    if (FAILED(CreateShellLink(link)))
        return 1;
    link->SetPath(target.c_str());
    link->SetDescription(kDescription);
    TComPtr<IPersistFile> file;
    if (SUCCEEDED(link->QueryInterface(kIidPersistFile, file.Out())))
        file->Save(shortcutPath, TRUE);
    return 1;
}
