#pragma once

#include <string>

#include <windows.h>

// Results of the folder operations.
enum TFolderStatus {
    fsFailed = 0, // the folder does not exist or cannot be created, a listing failed, or the path is too long
    fsOk = 1,     // the folder exists, was created, or was cleared
    fsNoEntry = 7,    // the folder cannot be made the current directory
    fsEmptyPath = 15, // the path is empty
};

// The operations test and walk folders by making them the process's current
// directory, and restore the previous current directory before they return.
// Paths hold at most 259 characters; a longer path fails (0). With `report`
// set, a missing folder is shown as "Folder <path> not found." over `owner`
// (or the backdrop page when owner is null).

// 1 when the folder (trailing blanks and one backslash ignored) exists, else 0.
TFolderStatus FolderExists(const std::string &path, HWND owner, bool report);
// Creates the last level of the path: 1 when the folder exists afterwards, else 0.
TFolderStatus CreateFolder(const std::string &path);
// Deletes the folder's files and, through RemoveFolder, its subfolders
// (only entries whose attributes are exactly FILE_ATTRIBUTE_DIRECTORY are
// descended into). Entries that cannot be deleted stay. 1, 0, 7 or 15.
TFolderStatus ClearFolder(const std::string &path, HWND owner, bool report);
// Clears the folder and then removes it. The result of ClearFolder; 1 even
// when the folder could not be removed.
TFolderStatus RemoveFolder(const std::string &path, HWND owner, bool report);
