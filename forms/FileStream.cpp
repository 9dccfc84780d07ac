#include "forms/FileStream.h"

#include "forms/Errors.h"
#include "win32/Links.h"

bool TFileStream::Create(const std::string &name) {
    Handle.Reset(CreateFileNoLink(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL));
    if (!Handle.Valid())
        return Raise("Cannot create file " + name);
    return true;
}

uint32_t TFileStream::Seek(uint32_t offset) {
    return SetFilePointer(Handle.Get(), static_cast<LONG>(offset), nullptr, FILE_BEGIN);
}

bool TFileStream::WriteBuffer(const void *buffer, uint32_t count) {
    DWORD written = 0;
    if (!WriteFile(Handle.Get(), buffer, count, &written, nullptr) || written != count)
        return Raise("Stream write error");
    return true;
}
