#include "install/Folders.h"

#include "install/InstallState.h"
#include "install/SetupMessage.h"
#include "win32/CurrentDirectory.h"
#include "win32/FindHandle.h"

namespace {

// Paths pass through buffers of 260 bytes: at most 259 characters.
const size_t PathLimit = 260;

void ReportMissing(const std::string &path, HWND owner, bool report) {
    if (report) {
        ShowSetupMessage("Folder " + path + " not found.", "", owner);
    }
}

} // namespace

TFolderStatus FolderExists(const std::string &path, HWND owner, bool report) {
    TCurrentDirectoryKeeper keeper;
    std::string folder = path;
    StripTrailingBackslash(folder);
    if (folder.size() < PathLimit && SetCurrentDirectoryA(folder.c_str())) {
        return fsOk;
    }
    ReportMissing(folder, owner, report);
    return fsFailed;
}

TFolderStatus CreateFolder(const std::string &path) {
    if (path.empty() || path.size() >= PathLimit) {
        return fsFailed;
    }
    if (FolderExists(path, nullptr, false) == fsOk) {
        return fsOk;
    }
    return CreateDirectoryA(path.c_str(), nullptr) ? fsOk : fsFailed;
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
    if (path.size() >= PathLimit) {
        return fsFailed;
    }
    TCurrentDirectoryKeeper keeper;
    if (!SetCurrentDirectoryA(path.c_str())) {
        ReportMissing(path, owner, report);
        return fsNoEntry;
    }
    WIN32_FIND_DATAA entry;
    TFindHandle search(FindFirstFileA("*.*", &entry));
    if (!search.Valid()) {
        return fsOk;
    }
    for (;;) {
        if (entry.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY) {
            // Only plain folders are descended into; 7 and 15 from a
            // subfolder leave it in place and the walk goes on.
            if (lstrcmpA(entry.cFileName, ".") != 0 && lstrcmpA(entry.cFileName, "..") != 0 &&
                RemoveFolder(entry.cFileName, nullptr, false) == fsFailed) {
                return fsFailed;
            }
        } else {
            DeleteFileA(entry.cFileName);
        }
        if (!FindNextFileA(search.Get(), &entry)) {
            return GetLastError() == ERROR_NO_MORE_FILES ? fsOk : fsFailed;
        }
    }
}
