#pragma once

#include <string>

#include <windows.h>

// The Start-menu folder under the user's Programs folder, and the names of
// its two shortcuts (without ".lnk").
extern const char StartMenuFolderName[]; // "Vantorelle"
extern const char MainShortcutName[];    // "Vantorelle"
extern const char HelpShortcutName[];    // "Help"

// Install step: when InstallDirBuffer is set and the Start-menu folder may be
// written (CheckStartMenuFolder), creates Programs\Vantorelle with
// Vantorelle.lnk to the installed Vantorelle.exe and Help.lnk to
// Vantorelle.hlp. Shell failures are not reported. Always returns 1.
int CreateShortcuts();

// Returns 1 when the folder folderName is absent from the Programs folder, or
// when it holds shortcutName.lnk as a shortcut that loads and has a readable
// description. Returns 0 otherwise, and when the Programs folder or the
// shortcut path cannot be worked out.
int CheckStartMenuFolder(const std::string &shortcutName, const std::string &folderName);

// Creates the folder folderName under the Programs folder (an existing one is
// fine) and tells the shell. Returns 1, or 0 when the Programs folder cannot
// be found.
int CreateStartMenuFolder(const std::string &folderName);

// Writes Programs\folderName\shortcutName.lnk pointing at target with the
// setup's description, replacing a shortcut of that name. Returns 1 whether
// or not the shortcut could be written.
int CreateShortcut(const std::string &target, const std::string &shortcutName, const std::string &folderName);
