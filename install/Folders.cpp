#include "install/Folders.h"

#include <sddl.h>

#include "install/InstallState.h"
#include "install/SetupMessage.h"
#include "win32/CurrentDirectory.h"
#include "win32/FindHandle.h"
#include "win32/PathLimit.h"

const char InstallFolderSecurity[] = "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)";

BOOL(WINAPI *SetupCreateDirectory)(LPCSTR, LPSECURITY_ATTRIBUTES) = CreateDirectoryA;
BOOL(WINAPI *SetupSetObjectSecurity)
(HANDLE, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR) = SetKernelObjectSecurity;

namespace {

void ReportMissing(const std::string &path, HWND owner, bool report) {
    if (report) {
        ShowSetupMessage("Folder " + path + " not found.", "", owner);
    }
}

bool IsDotEntry(const wchar_t *name) {
    return lstrcmpW(name, L".") == 0 || lstrcmpW(name, L"..") == 0;
}

TFolderStatus RemovePinned(const wchar_t *name);

// Clears the folder `name` (a full path, or a name in the current
// directory): pinned first, entered, and checked to be the folder pinned.
TFolderStatus ClearPinned(const wchar_t *name) {
    TFolderPin pin(name);
    if (!pin.Valid()) {
        return fsNoEntry;
    }
    TCurrentDirectoryKeeper keeper;
    if (!SetCurrentDirectoryW(name) || !pin.Names(L".")) {
        return fsNoEntry;
    }
    WIN32_FIND_DATAW entry;
    TFindHandle search(FindFirstFileW(L"*.*", &entry));
    if (!search.Valid()) {
        return fsOk;
    }
    for (;;) {
        if (entry.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY) {
            // Only plain folders are descended into; 7 and 15 from a
            // subfolder leave it in place and the walk goes on.
            if (!IsDotEntry(entry.cFileName) && RemovePinned(entry.cFileName) == fsFailed) {
                return fsFailed;
            }
        } else if (!IsLink(entry.dwFileAttributes)) {
            DeleteFileW(entry.cFileName);
        }
        if (!FindNextFileW(search.Get(), &entry)) {
            return GetLastError() == ERROR_NO_MORE_FILES ? fsOk : fsFailed;
        }
    }
}

// The pin is gone by the time the folder is removed (it shares no deleting);
// whatever might take the folder's place then is removed as itself, never
// followed.
TFolderStatus RemovePinned(const wchar_t *name) {
    TFolderStatus result = ClearPinned(name);
    if (result == fsOk) {
        RemoveDirectoryW(name);
    }
    return result;
}

void FreeLocal(PSECURITY_DESCRIPTOR memory) {
    LocalFree(memory);
}
typedef THolder<PSECURITY_DESCRIPTOR, FreeLocal> TLocalDescriptor;

TFolderStatus CreateFolder(const std::string &path, LPSECURITY_ATTRIBUTES security) {
    if (path.empty() || path.size() > MaxPathLength) {
        return fsFailed;
    }
    if (FolderExists(path, nullptr, false) == fsOk) {
        return fsOk;
    }
    return SetupCreateDirectory(path.c_str(), security) ? fsOk : fsFailed;
}

} // namespace

TFolderStatus FolderExists(const std::string &path, HWND owner, bool report) {
    TCurrentDirectoryKeeper keeper;
    std::string folder = path;
    StripTrailingBackslash(folder);
    if (folder.size() <= MaxPathLength && SetCurrentDirectoryA(folder.c_str())) {
        return fsOk;
    }
    ReportMissing(folder, owner, report);
    return fsFailed;
}

TFolderStatus CreateFolder(const std::string &path) {
    return CreateFolder(path, nullptr);
}

TFolderStatus CreateInstallFolder(const std::string &path, TFolderPin &pin) {
    pin.Reset();
    PSECURITY_DESCRIPTOR made = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(InstallFolderSecurity, SDDL_REVISION_1, &made,
                                                              nullptr)) {
        return fsFailed;
    }
    TLocalDescriptor descriptor(made);
    SECURITY_ATTRIBUTES security = {sizeof security, descriptor.Get(), FALSE};
    if (CreateFolder(path, &security) != fsOk || !pin.Pin(TWidePath(path).Get(), WRITE_DAC | WRITE_OWNER)) {
        pin.Reset();
        return fsFailed;
    }
    // Set again through the pin: the folder may have been there before, made
    // by someone else.
    const SECURITY_INFORMATION parts =
        OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION;
    if (!SetupSetObjectSecurity(pin.Get(), parts, descriptor.Get())) {
        pin.Reset();
        return fsFailed;
    }
    return fsOk;
}

TFolderStatus RemoveFolder(const std::string &path, HWND owner, bool report) {
    std::string folder = path;
    StripTrailingBackslash(folder);
    TFolderStatus result = ClearFolder(folder, owner, report);
    if (result != fsOk) {
        return result;
    }
    RemoveDirectoryA(folder.c_str());
    return fsOk;
}

TFolderStatus ClearFolder(const std::string &path, HWND owner, bool report) {
    if (path.empty()) {
        ReportMissing(path, owner, report);
        return fsEmptyPath;
    }
    if (path.size() > MaxPathLength) {
        return fsFailed;
    }
    TFolderStatus result = ClearPinned(TWidePath(path).Get());
    if (result == fsNoEntry) {
        ReportMissing(path, owner, report);
    }
    return result;
}
