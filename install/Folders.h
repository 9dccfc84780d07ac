#pragma once

#include <string>

#include <windows.h>

#include "win32/Links.h"

// Results of the folder operations.
enum TFolderStatus {
    fsFailed = 0, // the folder does not exist or cannot be created, a listing failed, or the path is too long
    fsOk = 1,     // the folder exists, was created, or was cleared
    fsNoEntry = 7,    // the folder cannot be made the current directory, or is a link
    fsEmptyPath = 15, // the path is empty
};

// The operations test and walk folders by making them the process's current
// directory, and restore the previous current directory before they return.
// Paths hold at most MaxPathLength characters; a longer path fails (0). With `report`
// set, a missing folder is shown as "Folder <path> not found." over `owner`
// (or the backdrop page when owner is null).

// 1 when the folder (trailing blanks and one backslash ignored) exists, else 0.
TFolderStatus FolderExists(const std::string &path, HWND owner, bool report);
// Creates the last level of the path: 1 when the folder exists afterwards, else 0.
TFolderStatus CreateFolder(const std::string &path);
// Deletes the folder's files and, through RemoveFolder, its subfolders
// (only entries whose attributes are exactly FILE_ATTRIBUTE_DIRECTORY are
// descended into). Entries that cannot be deleted stay. 1, 0, 7 or 15.
//
// The walk never leaves the folder: it lists and deletes by the names the
// system holds (the wide calls), never enters, follows or removes a link, at
// the top or below, and pins each folder it enters (TFolderPin) for as long
// as it works there. A link stays where it is.
TFolderStatus ClearFolder(const std::string &path, HWND owner, bool report);
// Clears the folder and then removes it. The result of ClearFolder; 1 even
// when the folder could not be removed.
TFolderStatus RemoveFolder(const std::string &path, HWND owner, bool report);

// Creates the install folder as CreateFolder does, so that only SYSTEM and
// the administrators may change what it holds and every user may read and
// run it (InstallFolderSecurity, inherited by all that the install puts in
// it), and pins it. A folder that was already there (one that the clear
// could not remove) gets the same security. 1 when the folder is there,
// secured and pinned; 0 when it cannot be made, is a link, or the system
// refuses its security.
TFolderStatus CreateInstallFolder(const std::string &path, TFolderPin &pin);

// The install folder's security descriptor: owned by the administrators,
// full control for SYSTEM and the administrators, read and execute for the
// users, inherited by every file and folder below it and nothing inherited
// from above.
extern const char InstallFolderSecurity[];

// How the folder operations create a folder and set the security of a
// pinned one (CreateDirectoryA, SetKernelObjectSecurity; tests put their
// own here).
extern BOOL(WINAPI *SetupCreateDirectory)(LPCSTR path, LPSECURITY_ATTRIBUTES security);
extern BOOL(WINAPI *SetupSetObjectSecurity)(HANDLE object, SECURITY_INFORMATION parts,
                                            PSECURITY_DESCRIPTOR descriptor);
