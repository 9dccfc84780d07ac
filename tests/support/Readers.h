// What the tests read back from the machine, written once for the unit and
// the end-to-end tests: files and folders, registry values, shortcuts and
// the Start-menu folder. Each reader answers "missing" (an empty result, -1,
// false) where there is nothing to read, so that a check fails with the
// value it found. The clean-up helpers beside them remove what an install
// leaves.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace readers {

// ------------------------------------------------------------------- files

DWORD Attributes(const std::string &path);
bool Exists(const std::string &path); // a file or a folder
bool FileExists(const std::string &path);
bool DirectoryExists(const std::string &path);

// The whole file as it is on disk; empty when it cannot be read, which
// *found (when given) tells apart from an empty file.
std::string FileText(const std::string &path, bool *found = nullptr);
void WriteText(const std::string &path, const std::string &text);

// A Unix path of the build ("/work/x/Setup.exe") as the programs under Wine
// see it ("Z:\work\x\Setup.exe"); a path that already has a drive letter
// only gets its slashes turned.
std::string WindowsPath(const std::string &unixPath);

// A path for the wide file functions: a full path in the "\\?\" form that
// they take beyond MAX_PATH characters.
std::wstring LongPath(const std::string &path);

// The names in a folder, sorted, without "." and ".."; paths longer than
// MAX_PATH work too. Listing is empty and CountEntries -1 when the folder
// cannot be listed.
std::vector<std::string> Listing(const std::string &folder);
int CountEntries(const std::string &folder);

// Removes a file or a folder with everything in it; a missing one is fine.
void RemoveTree(const std::string &path);

// Every folder and file below `folder`, by its path there (a folder's ends in
// a backslash), with its bytes: a tree that must come out byte for byte the
// same is compared before and after.
std::map<std::string, std::string> Tree(const std::string &folder);
// What differs between two trees, as "removed X, added Y, changed Z"; empty
// when they are the same.
std::string TreeChanges(const std::map<std::string, std::string> &before,
                        const std::map<std::string, std::string> &after);

// Makes in `folder` a folder and an empty file named with the fullwidth forms
// (U+FF01 to U+FF5E for "!" to "~") of the paths they look like, such as
// "..\\Outside" and "C:\\Outside\\keep.txt": names that the ANSI code page's
// best-fit mapping turns back into those paths. True when both were made.
bool MakeConvertedNames(const std::string &folder, const std::string &folderLooksLike,
                        const std::string &fileLooksLike);

// Makes `link` a symbolic link to `target` (Windows paths), which is what
// Wine shows of a junction: a folder link reports FILE_ATTRIBUTE_REPARSE_POINT.
// Made from the Unix side, as Wine's CreateSymbolicLinkW makes none. True
// when the link is there afterwards. RemoveLink removes the link alone.
bool MakeLink(const std::string &link, const std::string &target);
void RemoveLink(const std::string &link);

// ------------------------------------------------------------ the manifest

// A file of resources/payload/manifest.txt: its resource id, its folder below
// the install folder ("" for the install folder itself), its name and the
// size of the build's stand-in.
struct ManifestRow {
    unsigned id = 0;
    std::string folder;
    std::string name;
    uint32_t size = 0;
};
// The files of the manifest in its order, as the build read them into the
// program's tables (install/PayloadManifest.h).
std::vector<ManifestRow> Manifest();
// The folders that setup makes below the install folder, in the order in
// which it makes them; those without files stay empty.
std::vector<std::string> Subfolders();
// How many of the files go into this folder ("" the install folder itself).
size_t FileCount(const std::string &folder);

// ---------------------------------------------------------------- registry

// A registry value as RegQueryValueExA hands it back: type and raw bytes,
// a text's terminating zero included. The default is the missing value.
struct RegValue {
    bool present = false;
    DWORD type = REG_NONE;
    std::string bytes;
    bool operator==(const RegValue &other) const {
        return present == other.present && type == other.type && bytes == other.bytes;
    }
};
std::ostream &operator<<(std::ostream &out, const RegValue &value);

// The REG_SZ value of this text, and the 4-byte REG_BINARY flags whose first
// byte is this.
RegValue Text(const std::string &text);
RegValue Flags(char first);

// A value under HKEY_CLASSES_ROOT; a null name is the key's default value.
RegValue ReadValue(const std::string &key, const char *name = nullptr);
bool KeyExists(const std::string &key); // under HKEY_CLASSES_ROOT

// Deletes a registry key with its subkeys.
void DeleteKeyTree(HKEY parent, const std::string &name);

// Sets the Wine DLL override of one DLL for programs of this file name (for
// example "Setup.exe", "ddraw", "" to disable it). A null mode removes the
// override. Wine reads it when the program starts.
bool SetAppDllOverride(const std::string &exeName, const std::string &dll, const char *mode);

// ------------------------------------------------- file types and shortcuts

// The ten file types that the setup registers, as their extensions without
// the dot; each has the class "<type>_auto_file".
extern const char *const kTypeNames[10];
// Deletes every one of them, extension key and class key.
void RemoveFileTypes();

// What the shell reads back from a shortcut file: the target as written
// (without expanding it), the description and the working directory.
struct Shortcut {
    bool loaded = false;
    std::string target, description, workingDirectory;
};
Shortcut ReadShortcut(const std::string &path);

// The user's Start-menu folder of the product: Programs\Vantorelle.
std::string StartMenuFolder();

// ----------------------------------------------------------- screen reader

// One child of a window's client object as a screen reader reads it.
struct AccessibleChild {
    bool object = false; // an object of its own (a child window), else a simple element
    long role = 0, state = 0;
    std::string name, value; // empty when none
    RECT location = {};      // on the screen: left, top, width, height
};
// The window's client object (AccessibleObjectFromWindow, OBJID_CLIENT) and
// its children, in order; *name gets the object's own name. The children of
// their own objects give what they can; their name may need the window's
// process. Empty when there is no object.
std::vector<AccessibleChild> ReadAccessible(HWND window, std::string *name = nullptr);

} // namespace readers
