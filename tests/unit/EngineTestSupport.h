#pragma once

// Helpers shared by the installation engine's unit tests.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <windows.h>

typedef std::vector<uint8_t> Bytes;

// A fresh folder under the temp folder, removed with its contents at the end.
class TTempFolder {
  public:
    TTempFolder() {
        char temp[MAX_PATH], name[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        static int counter = 0;
        snprintf(name, sizeof name, "%svtest-%lu-%d", temp, GetCurrentProcessId(), ++counter);
        path_ = name;
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string &Path() const { return path_; }
    std::string operator/(const std::string &name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

inline DWORD Attributes(const std::string &path) {
    return GetFileAttributesA(path.c_str());
}
inline bool FileExists(const std::string &path) {
    return Attributes(path) != INVALID_FILE_ATTRIBUTES && !(Attributes(path) & FILE_ATTRIBUTE_DIRECTORY);
}
inline bool DirectoryExists(const std::string &path) {
    return Attributes(path) != INVALID_FILE_ATTRIBUTES && (Attributes(path) & FILE_ATTRIBUTE_DIRECTORY);
}

inline Bytes ReadWholeFile(const std::string &path) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return Bytes();
    }
    Bytes data(GetFileSize(file, nullptr));
    DWORD got = 0;
    ReadFile(file, data.data(), DWORD(data.size()), &got, nullptr);
    CloseHandle(file);
    data.resize(got);
    return data;
}

inline void WriteWholeFile(const std::string &path, const Bytes &data) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, data.data(), DWORD(data.size()), &written, nullptr);
    CloseHandle(file);
}

// The names in a folder, without . and ..
inline std::vector<std::string> Listing(const std::string &folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &entry)) {
        if (strcmp(entry.cFileName, ".") != 0 && strcmp(entry.cFileName, "..") != 0) {
            names.push_back(entry.cFileName);
        }
    }
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
    return names;
}

// A tick source for the extraction's pacing: each reading is 100 s after the
// last, so the extraction is always behind schedule and never waits.
inline DWORD WINAPI FarAheadClock() {
    static DWORD now = 0;
    return now += 100000;
}

#ifdef PAYLOAD_DIR
// The stand-in file of a manifest id as it must be installed, and its packed
// form (the build's payload folder seen through Z:).
inline std::string RawPayloadFile(unsigned id) {
    return "Z:" PAYLOAD_DIR "/files/" + std::to_string(id);
}
inline std::string PackedPayloadFile(unsigned id) {
    return "Z:" PAYLOAD_DIR "/" + std::to_string(id) + ".z";
}
#endif
