#pragma once

#include <cstdint>
#include <string>

#include <windows.h>

#include "win32/KernelHandle.h"

// A file opened for writing, replacing any file of that name; a link of that
// name is refused, never written through. Failures raise the form layer's
// file errors.
class TFileStream {
  public:
    // Raises EFCreateError "Cannot create file <name>" when it can't be created.
    explicit TFileStream(const std::string &name);
    TFileStream(const TFileStream &) = delete;
    TFileStream &operator=(const TFileStream &) = delete;

    // Moves to the byte offset from the start; returns the new position.
    uint32_t Seek(uint32_t offset);
    // Writes every byte or raises EWriteError "Stream write error".
    void WriteBuffer(const void *buffer, uint32_t count);

  private:
    TKernelHandle Handle;
};
