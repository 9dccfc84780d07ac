#pragma once

#include <string>

#include <windows.h>

#include "win32/KernelHandle.h"
#include "win32/PathLimit.h"

// Setup.exe runs elevated, and the folders it clears and writes may have been
// prepared by another user: a link (a junction or a symbolic link, anything
// that carries FILE_ATTRIBUTE_REPARSE_POINT) there would take the elevated
// writes and deletes elsewhere. These open files and folders as the objects
// that their names hold, never through a link.

inline bool IsLink(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// A folder and no link.
inline bool IsRealFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !IsLink(attributes);
}

// A path of the ANSI code page as the wide calls take it. The conversion is
// exact in this direction, so both name the same file. A path longer than
// MaxPathLength comes out empty.
class TWidePath {
  public:
    explicit TWidePath(const std::string &path) {
        if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, Text, PathBufferSize))
            Text[0] = L'\0';
    }
    const wchar_t *Get() const { return Text; }

  private:
    wchar_t Text[PathBufferSize];
};

// Opens a file without following a link (FILE_FLAG_OPEN_REPARSE_POINT), as
// CreateFileA does otherwise, and refuses one: INVALID_HANDLE_VALUE with
// ERROR_CANT_ACCESS_FILE when the name holds a link, so that nothing is ever
// written through one.
inline HANDLE CreateFileNoLink(const char *name, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    TKernelHandle file(CreateFileA(name, access, share, nullptr, disposition,
                                   flags | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.Valid())
        return INVALID_HANDLE_VALUE;
    // A device (NUL, a console) is no link; a disk file must say that it is
    // none. (Its attributes and reparse tag alone: the whole file information
    // costs Wine more than the write of a small file.)
    FILE_ATTRIBUTE_TAG_INFO info;
    if (GetFileType(file.Get()) == FILE_TYPE_DISK &&
        (!GetFileInformationByHandleEx(file.Get(), FileAttributeTagInfo, &info, sizeof info) ||
         IsLink(info.FileAttributes))) {
        file.Reset();
        SetLastError(ERROR_CANT_ACCESS_FILE);
        return INVALID_HANDLE_VALUE;
    }
    return file.Release();
}

// A folder held open by its handle, reached without following a link and no
// link itself. The handle does not share deleting, so while it is held no one
// can rename, remove or replace the folder: its name keeps naming this very
// folder. Invalid when the path is missing, is no folder, or is a link.
class TFolderPin {
  public:
    TFolderPin() = default;
    explicit TFolderPin(const wchar_t *path) { Pin(path); }
    explicit TFolderPin(const std::string &path) { Pin(TWidePath(path).Get()); }

    // Pins the folder at path in place of the one held so far; `access` adds
    // rights to the handle (for example WRITE_DAC). False when it cannot.
    bool Pin(const wchar_t *path, DWORD access = 0) {
        Handle.Reset(CreateFileW(path, FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | access,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        // Wine opens a link's target even when asked not to, but still
        // reports the link in the attributes of its name.
        FILE_ATTRIBUTE_TAG_INFO info;
        if (!Handle.Valid() ||
            !GetFileInformationByHandleEx(Handle.Get(), FileAttributeTagInfo, &info, sizeof info) ||
            !IsRealFolder(info.FileAttributes) || !IsRealFolder(GetFileAttributesW(path)))
            Handle.Reset();
        return Handle.Valid();
    }
    void Reset() { Handle.Reset(); }

    bool Valid() const { return Handle.Valid(); }
    HANDLE Get() const { return Handle.Get(); }
    // True when `path` names the pinned folder itself: the same volume and
    // file index.
    bool Names(const wchar_t *path) const {
        TFolderPin other(path);
        BY_HANDLE_FILE_INFORMATION mine, theirs;
        return Valid() && other.Valid() && GetFileInformationByHandle(Get(), &mine) &&
               GetFileInformationByHandle(other.Get(), &theirs) &&
               mine.dwVolumeSerialNumber == theirs.dwVolumeSerialNumber &&
               mine.nFileIndexHigh == theirs.nFileIndexHigh && mine.nFileIndexLow == theirs.nFileIndexLow;
    }

  private:
    TKernelHandle Handle;
};
