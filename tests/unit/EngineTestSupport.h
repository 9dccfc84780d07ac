#pragma once

// Helpers shared by the installation engine's unit tests.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

#include "support/EngineState.h"
#include "support/Readers.h"

using readers::Attributes;
using readers::DirectoryExists;
using readers::FileExists;
using readers::Listing;

typedef std::vector<uint8_t> Bytes;

// A fresh folder under the temp folder, removed with its contents at the end.
class TTempFolder {
  public:
    TTempFolder() {
        char temp[MAX_PATH], name[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        // Wine hands out the same process ids run after run: a name that is
        // taken is never reused.
        static int counter = 0;
        do {
            snprintf(name, sizeof name, "%svtest-%lu-%d", temp, GetCurrentProcessId(), ++counter);
        } while (!CreateDirectoryA(name, nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
        path_ = name;
    }
    ~TTempFolder() { readers::RemoveTree(path_); }
    const std::string &Path() const { return path_; }
    std::string operator/(const std::string &name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

// The whole file as bytes; empty when it cannot be read.
inline Bytes ReadWholeFile(const std::string &path) {
    const std::string data = readers::FileText(path);
    return Bytes(data.begin(), data.end());
}

inline void WriteWholeFile(const std::string &path, const Bytes &data) {
    readers::WriteText(path, std::string(data.begin(), data.end()));
}

#ifdef PAYLOAD_DIR
// The stand-in file of a manifest id as it must be installed, and its packed
// form, in the build's payload folder.
inline std::string RawPayloadFile(unsigned id) {
    return readers::WindowsPath(PAYLOAD_DIR "/files/" + std::to_string(id));
}
inline std::string PackedPayloadFile(unsigned id) {
    return readers::WindowsPath(PAYLOAD_DIR "/" + std::to_string(id) + ".z");
}
#endif
