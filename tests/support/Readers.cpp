#include "support/Readers.h"

#include "install/PayloadManifest.h"
#include "win32/Com.h"
#include "win32/FindHandle.h"
#include "win32/RegKey.h"

#include <objbase.h>
#include <oleacc.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace readers {
namespace {

bool ListFolder(const std::string &folder, std::vector<std::string> &names) {
    WIN32_FIND_DATAW found;
    TFindHandle search(FindFirstFileW((LongPath(folder) + L"\\*").c_str(), &found));
    if (!search.Valid())
        return false;
    do {
        if (lstrcmpW(found.cFileName, L".") == 0 || lstrcmpW(found.cFileName, L"..") == 0)
            continue;
        char name[MAX_PATH * 2] = "";
        WideCharToMultiByte(CP_ACP, 0, found.cFileName, -1, name, sizeof name, nullptr, nullptr);
        names.emplace_back(name);
    } while (FindNextFileW(search.Get(), &found));
    std::sort(names.begin(), names.end());
    return true;
}

} // namespace

DWORD Attributes(const std::string &path) {
    return GetFileAttributesA(path.c_str());
}

bool Exists(const std::string &path) {
    return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool FileExists(const std::string &path) {
    return Exists(path) && !(Attributes(path) & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string &path) {
    return Exists(path) && (Attributes(path) & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FileText(const std::string &path, bool *found) {
    std::ifstream in(path, std::ios::binary);
    if (found != nullptr)
        *found = static_cast<bool>(in);
    std::ostringstream data;
    if (in)
        data << in.rdbuf();
    return data.str();
}

void WriteText(const std::string &path, const std::string &text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string WindowsPath(const std::string &unixPath) {
    std::string path = unixPath;
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::wstring LongPath(const std::string &path) {
    std::string windows = path;
    std::replace(windows.begin(), windows.end(), '/', '\\');
    wchar_t wide[1024];
    MultiByteToWideChar(CP_ACP, 0, windows.c_str(), -1, wide, 1024);
    // Only a full path with a drive letter takes the prefix.
    const bool full = windows.size() > 2 && windows[1] == ':' && windows[2] == '\\';
    return (full ? L"\\\\?\\" : L"") + std::wstring(wide);
}

std::vector<std::string> Listing(const std::string &folder) {
    std::vector<std::string> names;
    ListFolder(folder, names);
    return names;
}

int CountEntries(const std::string &folder) {
    std::vector<std::string> names;
    return ListFolder(folder, names) ? static_cast<int>(names.size()) : -1;
}

std::map<std::string, std::string> Tree(const std::string &folder) {
    std::map<std::string, std::string> tree;
    std::vector<std::string> names;
    ListFolder(folder, names);
    for (const std::string &name : names) {
        const std::string path = folder + "\\" + name;
        if (DirectoryExists(path)) {
            tree[name + "\\"] = "";
            for (const auto &below : Tree(path))
                tree[name + "\\" + below.first] = below.second;
        } else {
            tree[name] = FileText(path);
        }
    }
    return tree;
}

bool MakeConvertedNames(const std::string &folder, const std::string &folderLooksLike,
                        const std::string &fileLooksLike) {
    auto fullwidth = [](const std::string &path) {
        std::wstring wide;
        for (char c : path)
            wide += c > ' ' && c <= '~' ? wchar_t(c - ' ' + 0xFF00) : wchar_t(c);
        return wide;
    };
    const std::wstring in = LongPath(folder) + L"\\";
    if (!CreateDirectoryW((in + fullwidth(folderLooksLike)).c_str(), nullptr))
        return false;
    HANDLE file = CreateFileW((in + fullwidth(fileLooksLike)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              0, nullptr);
    return file != INVALID_HANDLE_VALUE && CloseHandle(file);
}

std::string TreeChanges(const std::map<std::string, std::string> &before,
                        const std::map<std::string, std::string> &after) {
    std::string changes;
    auto note = [&](const char *what, const std::string &name) {
        changes += (changes.empty() ? "" : ", ") + std::string(what) + " " + name;
    };
    for (const auto &entry : before) {
        auto now = after.find(entry.first);
        if (now == after.end())
            note("removed", entry.first);
        else if (now->second != entry.second)
            note("changed", entry.first);
    }
    for (const auto &entry : after)
        if (!before.count(entry.first))
            note("added", entry.first);
    return changes;
}

namespace {

// The Unix name of a Windows path (wine_get_unix_file_name), quoted for a
// command line; empty outside Wine.
std::string UnixName(const std::wstring &path) {
    typedef char *(CDECL * TUnixFileName)(LPCWSTR);
    auto unixFileName = reinterpret_cast<TUnixFileName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char *name = unixFileName ? unixFileName(path.c_str()) : nullptr;
    if (!name)
        return "";
    std::string quoted = "\"" + std::string(name) + "\"";
    HeapFree(GetProcessHeap(), 0, name);
    return quoted;
}

// Runs a program of the Unix side (Wine starts those too), then waits until
// `done` holds: the process handle that Wine gives for it tells nothing.
template <class Done> bool RunUnix(const std::string &program, const std::string &arguments, Done done) {
    std::string command = program + " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(("Z:" + program).c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int i = 0; i < 1000 && !done(); i++)
        Sleep(10);
    return done();
}

void RemoveWideLink(const std::wstring &link) {
    auto gone = [&] { return GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES; };
    if (!gone())
        RunUnix("/bin/rm", "-f " + UnixName(link), gone);
}

// Removes every link at or below the path, by the names the system holds.
void RemoveLinksBelow(const std::wstring &path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return RemoveWideLink(path);
    WIN32_FIND_DATAW found;
    TFindHandle search(FindFirstFileW((path + L"\\*").c_str(), &found));
    if (!search.Valid())
        return;
    do {
        if (lstrcmpW(found.cFileName, L".") != 0 && lstrcmpW(found.cFileName, L"..") != 0)
            RemoveLinksBelow(path + L"\\" + found.cFileName);
    } while (FindNextFileW(search.Get(), &found));
}

} // namespace

bool MakeLink(const std::string &link, const std::string &target) {
    return RunUnix("/bin/ln", "-s " + UnixName(LongPath(target)) + " " + UnixName(LongPath(link)),
                   [&] { return Exists(link); });
}

void RemoveLink(const std::string &link) {
    RemoveWideLink(LongPath(link));
}

void RemoveTree(const std::string &path) {
    // The links first: the library's walk would follow them out of the tree.
    RemoveLinksBelow(LongPath(path));
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::vector<ManifestRow> Manifest() {
    return {PAYLOAD_FILE_ROWS};
}

std::vector<std::string> Subfolders() {
    return {SUBFOLDER_NAMES};
}

size_t FileCount(const std::string &folder) {
    size_t count = 0;
    for (const ManifestRow &row : Manifest())
        count += row.folder == folder;
    return count;
}

std::ostream &operator<<(std::ostream &out, const RegValue &value) {
    if (!value.present)
        return out << "(no value)";
    out << "type " << value.type << ", " << value.bytes.size() << " bytes \"";
    for (char c : value.bytes)
        c == '\0' ? out << "\\0" : out << c;
    return out << "\"";
}

RegValue Text(const std::string &text) {
    return {true, REG_SZ, text + '\0'};
}

RegValue Flags(char first) {
    return {true, REG_BINARY, std::string{first, 0, 0, 0}};
}

RegValue ReadValue(const std::string &key, const char *name) {
    RegValue value;
    TRegKey handle;
    if (!handle.Open(HKEY_CLASSES_ROOT, key.c_str(), KEY_READ))
        return value;
    char data[1024];
    DWORD size = sizeof data;
    if (RegQueryValueExA(handle.Get(), name, nullptr, &value.type, reinterpret_cast<BYTE *>(data), &size) ==
        ERROR_SUCCESS) {
        value.present = true;
        value.bytes.assign(data, size);
    }
    return value;
}

bool KeyExists(const std::string &key) {
    return TRegKey().Open(HKEY_CLASSES_ROOT, key.c_str(), KEY_READ);
}

void DeleteKeyTree(HKEY parent, const std::string &name) {
    {
        TRegKey key;
        if (!key.Open(parent, name.c_str(), KEY_ALL_ACCESS))
            return;
        char child[256];
        DWORD size = sizeof child;
        while (RegEnumKeyExA(key.Get(), 0, child, &size, nullptr, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS) {
            DeleteKeyTree(key.Get(), child);
            size = sizeof child;
        }
    }
    RegDeleteKeyA(parent, name.c_str());
}

bool SetAppDllOverride(const std::string &exeName, const std::string &dll, const char *mode) {
    std::string path = "Software\\Wine\\AppDefaults\\" + exeName + "\\DllOverrides";
    HKEY created = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                        nullptr) != ERROR_SUCCESS)
        return false;
    TRegKey key(created);
    LONG result;
    if (mode != nullptr)
        result = RegSetValueExA(key.Get(), dll.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(mode),
                                static_cast<DWORD>(std::strlen(mode) + 1));
    else
        result = RegDeleteValueA(key.Get(), dll.c_str());
    return result == ERROR_SUCCESS || (mode == nullptr && result == ERROR_FILE_NOT_FOUND);
}

const char *const kTypeNames[10] = {"cmp", "cmn", "jpg", "png", "bmp", "mp3", "m3u", "pls", "ra", "rm"};

void RemoveFileTypes() {
    for (const char *type : kTypeNames) {
        DeleteKeyTree(HKEY_CLASSES_ROOT, std::string(".") + type);
        DeleteKeyTree(HKEY_CLASSES_ROOT, std::string(type) + "_auto_file");
    }
}

Shortcut ReadShortcut(const std::string &path) {
    Shortcut result;
    TComScope com;
    TComPtr<IShellLinkA> link;
    TComPtr<IPersistFile> file;
    if (FAILED(
            CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Out())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.Out())))
        return result;
    WCHAR widePath[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
    if (FAILED(file->Load(widePath, STGM_READ)))
        return result;
    char text[MAX_PATH] = "";
    result.loaded = true;
    link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    result.target = text;
    text[0] = 0;
    link->GetDescription(text, MAX_PATH);
    result.description = text;
    text[0] = 0;
    link->GetWorkingDirectory(text, MAX_PATH);
    result.workingDirectory = text;
    return result;
}

std::string StartMenuFolder() {
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAMS, FALSE);
    return std::string(path) + "\\Vantorelle";
}

namespace {

std::string Narrow(BSTR text) {
    std::string narrow;
    if (text) {
        int length = WideCharToMultiByte(CP_ACP, 0, text, SysStringLen(text), nullptr, 0, nullptr, nullptr);
        narrow.resize(length);
        WideCharToMultiByte(CP_ACP, 0, text, SysStringLen(text), &narrow[0], length, nullptr, nullptr);
        SysFreeString(text);
    }
    return narrow;
}

// What the object tells of its child `id` (CHILDID_SELF: of itself).
void ReadChild(IAccessible *object, long id, AccessibleChild &child) {
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = id;
    BSTR text = nullptr;
    object->get_accName(self, &text);
    child.name = Narrow(text);
    text = nullptr;
    object->get_accValue(self, &text);
    child.value = Narrow(text);
    VARIANT result;
    result.vt = VT_EMPTY;
    if (SUCCEEDED(object->get_accRole(self, &result)) && result.vt == VT_I4)
        child.role = result.lVal;
    result.vt = VT_EMPTY;
    if (SUCCEEDED(object->get_accState(self, &result)) && result.vt == VT_I4)
        child.state = result.lVal;
    long left = 0, top = 0, width = 0, height = 0;
    object->accLocation(&left, &top, &width, &height, self);
    child.location = {left, top, width, height};
}

} // namespace

std::vector<AccessibleChild> ReadAccessible(HWND window, std::string *name) {
    TComScope com;
    std::vector<AccessibleChild> children;
    TComPtr<IAccessible> client;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, client.Out())) ||
        !client.Get())
        return children;
    if (name) {
        AccessibleChild self;
        ReadChild(client.Get(), CHILDID_SELF, self);
        *name = self.name;
    }
    long count = 0;
    client->get_accChildCount(&count);
    for (long id = 1; id <= count; ++id) {
        AccessibleChild child;
        VARIANT which;
        which.vt = VT_I4;
        which.lVal = id;
        TComPtr<IDispatch> dispatch;
        TComPtr<IAccessible> own;
        if (SUCCEEDED(client->get_accChild(which, dispatch.Typed())) && dispatch.Get() &&
            SUCCEEDED(dispatch->QueryInterface(IID_IAccessible, own.Out()))) {
            child.object = true;
            ReadChild(own.Get(), CHILDID_SELF, child);
        } else {
            ReadChild(client.Get(), id, child);
        }
        children.push_back(child);
    }
    return children;
}

} // namespace readers
