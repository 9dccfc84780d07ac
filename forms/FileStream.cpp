#include "forms/FileStream.h"

#include "forms/Exceptions.h"
#include "win32/Links.h"

TFileStream::TFileStream(const std::string &name)
    : Handle(CreateFileNoLink(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL)) {
    if (!Handle.Valid())
        throw EFCreateError("Cannot create file " + name);
}

uint32_t TFileStream::Seek(uint32_t offset) {
    return SetFilePointer(Handle.Get(), static_cast<LONG>(offset), nullptr, FILE_BEGIN);
}

void TFileStream::WriteBuffer(const void *buffer, uint32_t count) {
    DWORD written = 0;
    if (!WriteFile(Handle.Get(), buffer, count, &written, nullptr) || written != count)
        throw EWriteError("Stream write error");
}
