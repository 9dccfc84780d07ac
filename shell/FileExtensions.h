#pragma once

#include <string>

#include <windows.h>

// The registry calls used to write the file-type classes. They point at
// RegCreateKeyExA and RegSetValueExA; tests put their own functions here to
// make a key fail.
extern LONG(WINAPI *SetupRegCreateKeyEx)(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass,
                                         DWORD options, REGSAM access, LPSECURITY_ATTRIBUTES security,
                                         PHKEY result, LPDWORD disposition);
extern LONG(WINAPI *SetupRegSetValueEx)(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type,
                                        const BYTE *data, DWORD size);

// Whether the current file-type page has its box of this name ticked ("cmp",
// "m3u" ...). The file-type page puts its answer here; null while there is
// no such page, and then nothing is ticked.
typedef bool (*TTypeBoxTicked)(const char *boxName);
extern TTypeBoxTicked TypeBoxTicked;

// Install step: registers every file type ticked on the current file-type
// page (TypeBoxTicked) with the installed program under HKEY_CLASSES_ROOT.
// Nothing is written when the Start-menu folder check fails. If that check or
// any type fails, one note is shown over owner. Always returns 1: a missing
// association does not fail the install.
int SetFileExtensions(HWND owner);

// Writes the extension key, the class key "<typeName>_auto_file" and its
// icon, shell and open-command subkeys for one type, pointing at
// Vantorelle.exe in InstallDirBuffer. Existing keys and values are
// overwritten. Returns 1 when every key was created or opened, 0 at the
// first key that could not be created (the keys before it stay written), and
// 0 without writing anything when there is no install folder.
int SetFileExtension(const std::string &typeName);
