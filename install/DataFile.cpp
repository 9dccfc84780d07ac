#include "install/DataFile.h"

#include <cstdlib>
#include <cstring>

#include "win32/Links.h"

namespace {

// Resource type that stands for the bitmap type (RT_BITMAP).
const uint16_t ResourceTypeBitmapAlias = 555;

// The rights that let a handle change a file's data.
const DWORD WriteAccess = GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA;

char *NewCString(const std::string &text) {
    char *copy = static_cast<char *>(malloc(text.size() + 1));
    if (copy) {
        memcpy(copy, text.c_str(), text.size() + 1);
    }
    return copy;
}

} // namespace

TDataFile::TDataFile(const void *owner, std::vector<std::string> *lines) : Owner(owner), Lines(lines) {}

TDataFile::~TDataFile() {
    Close();
}

bool TDataFile::Close() {
    if (!Handle) {
        return true;
    }
    bool done;
    if (DeleteOnClose) {
        SetFilePointer(Handle, 0, nullptr, FILE_BEGIN);
        done = SetEndOfFile(Handle) != FALSE;
    } else {
        done = Commit();
    }
    done = CloseHandle(Handle) != FALSE && done;
    Handle = nullptr;
    Position = 0;
    if (DeleteOnClose) {
        done = DeleteFileA(FileName.c_str()) != FALSE && done;
    }
    return done;
}

bool TDataFile::Open(const std::string &name, DWORD access, DWORD share, DWORD disposition,
                     bool deleteOnClose, TDataFileKind kind, uint16_t resourceId,
                     const std::string &resourceName, uint16_t resourceType) {
    Kind = kind;
    if (kind == dfkResource) {
        ResourceId = resourceId;
        ResourceName = resourceName;
        ResourceType = resourceType;
        LPCSTR resName = ResourceId == 0xFFFF ? ResourceName.c_str() : MAKEINTRESOURCEA(ResourceId);
        LPCSTR resType =
            ResourceType == ResourceTypeBitmapAlias ? MAKEINTRESOURCEA(2) : MAKEINTRESOURCEA(ResourceType);
        HRSRC found = FindResourceA(nullptr, resName, resType);
        if (!found) {
            return false;
        }
        ResourceSize = SizeofResource(nullptr, found);
        HGLOBAL loaded = LoadResource(nullptr, found);
        ResourceData = static_cast<const uint8_t *>(loaded ? LockResource(loaded) : nullptr);
        Position = 0;
        Eof = false;
        return true;
    }

    FileName = name;
    if (name.empty()) {
        return false;
    }
    if (Handle) {
        CloseHandle(Handle);
    }
    Handle = nullptr;
    Position = 0;
    Eof = false;
    Error = false;
    DeleteOnClose = deleteOnClose;
    // A file opened for writing is never reached through a link.
    HANDLE opened =
        access & WriteAccess
            ? CreateFileNoLink(name.c_str(), access, share, disposition, FILE_ATTRIBUTE_NORMAL)
            : CreateFileA(name.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        return false;
    }
    Handle = opened;
    return true;
}

bool TDataFile::Commit() {
    if (!Handle) {
        return false;
    }
    if (Owner == this && Lines) {
        SetPosition(0);
        for (const std::string &line : *Lines) {
            WriteString(line);
            Write("\r\n", 2);
        }
        SetEndOfFile(Handle);
    }
    return FlushFileBuffers(Handle) != FALSE;
}

uint32_t TDataFile::SetPosition(uint32_t offset) {
    return Seek(static_cast<int32_t>(offset - Position), 1);
}

uint32_t TDataFile::GetPosition() const {
    return Position;
}

HANDLE TDataFile::GetHandle() const {
    return Handle;
}

uint32_t TDataFile::GetSize() const {
    return Handle ? GetFileSize(Handle, nullptr) : 0;
}

bool TDataFile::IsEof() const {
    return Eof;
}

bool TDataFile::HasError() const {
    return Error;
}

uint32_t TDataFile::Seek(int32_t distance, uint16_t origin) {
    const bool fromCurrent = origin == 1 || origin == 512;
    const bool fromEnd = origin == 2 || origin == 1024;
    if (Kind == dfkResource) {
        if (!ResourceData) {
            return 0;
        }
        if (fromCurrent) {
            Position += static_cast<uint32_t>(distance);
        } else if (fromEnd) {
            Position = ResourceSize - static_cast<uint32_t>(distance);
        } else {
            Position = static_cast<uint32_t>(distance);
        }
        return Position;
    }
    if (!Handle) {
        return 0;
    }
    DWORD method = fromCurrent ? FILE_CURRENT : fromEnd ? FILE_END : FILE_BEGIN;
    SetLastError(NO_ERROR);
    DWORD result = SetFilePointer(Handle, distance, nullptr, method);
    // A refused move (before the start of the file) leaves the file pointer,
    // and so Position, where it was.
    if (result != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR) {
        Position = result;
    }
    return Position;
}

int32_t TDataFile::Read(void *buffer, uint32_t count) {
    Eof = false;
    uint32_t done = 0;
    if (Kind == dfkResource) {
        if (!ResourceData) {
            return 0;
        }
        uint32_t left = Position < ResourceSize ? ResourceSize - Position : 0;
        done = count < left ? count : left;
        if (done) {
            memcpy(buffer, ResourceData + Position, done);
        }
    } else {
        if (!Handle) {
            return 0;
        }
        DWORD got = 0;
        if (!ReadFile(Handle, buffer, count, &got, nullptr)) {
            return -1;
        }
        done = got;
    }
    Position += done;
    if (done < count) {
        Eof = true;
    }
    return static_cast<int32_t>(done);
}

int32_t TDataFile::Write(const void *buffer, uint32_t count) {
    if (!Handle) {
        return 0;
    }
    DWORD written = 0;
    if (!WriteFile(Handle, buffer, count, &written, nullptr)) {
        return -1;
    }
    Position += written;
    return static_cast<int32_t>(written);
}

bool TDataFile::WriteInt(int32_t value) {
    Write(&value, sizeof value);
    return true;
}

bool TDataFile::WriteFloat(float value) {
    Write(&value, sizeof value);
    return true;
}

bool TDataFile::WriteDouble(double value) {
    Write(&value, sizeof value);
    return true;
}

bool TDataFile::WriteText(const char *text) {
    return WriteString(text ? text : "");
}

bool TDataFile::WriteString(const std::string &text) {
    Write(text.c_str(), static_cast<uint32_t>(text.size() + 1));
    return true;
}

int32_t TDataFile::ReadInt() {
    return ReadValue<int32_t>();
}

float TDataFile::ReadFloat() {
    return ReadValue<float>();
}

double TDataFile::ReadDouble() {
    return ReadValue<double>();
}

char *TDataFile::ReadLine() {
    std::string line;
    char c = 0;
    for (;;) {
        int32_t got = Read(&c, 1);
        if (got < 0) {
            return nullptr;
        }
        if (got == 0 || c == '\0') {
            return NewCString(line);
        }
        if (c == '\r' || c == '\n') {
            break;
        }
        line += c;
    }
    // Skip the rest of the line end and any empty lines; the first other byte
    // is left to begin the next line.
    for (;;) {
        int32_t got = Read(&c, 1);
        if (got < 0) {
            return nullptr;
        }
        if (got == 0) {
            break;
        }
        if (c != '\r' && c != '\n') {
            Seek(-1, 1);
            break;
        }
    }
    return NewCString(line);
}

char *TDataFile::ReadText() {
    std::string text;
    ReadString(text);
    return NewCString(text);
}

uint32_t TDataFile::ReadTextInto(char *buffer, uint32_t size) {
    if (!buffer) {
        return 0;
    }
    std::string text;
    uint32_t length = ReadString(text);
    if (size > 0) {
        uint32_t copied = length < size - 1 ? length : size - 1;
        memcpy(buffer, text.data(), copied);
        buffer[copied] = '\0';
    }
    return length;
}

uint32_t TDataFile::ReadString(std::string &text) {
    text.clear();
    char c = 0;
    while (Read(&c, 1) == 1 && c != '\0') {
        text += c;
    }
    return static_cast<uint32_t>(text.size());
}
