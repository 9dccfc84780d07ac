#pragma once

#include <cstdint>
#include <string>

#include <windows.h>

#include "win32/KernelHandle.h"

// A file opened for writing, replacing any file of that name; a link of that
// name is refused, never written through. Failures raise the form layer's
// file errors (see Errors.h).
class TFileStream {
  public:
    TFileStream() = default;
    TFileStream(const TFileStream &) = delete;
    TFileStream &operator=(const TFileStream &) = delete;

    // Creates the file; false, and "Cannot create file <name>" raised, when
    // it can't be created.
    bool Create(const std::string &name);
    // Moves to the byte offset from the start; returns the new position.
    uint32_t Seek(uint32_t offset);
    // Writes every byte; false, and "Stream write error" raised, when fewer
    // were written.
    bool WriteBuffer(const void *buffer, uint32_t count);

  private:
    TKernelHandle Handle;
};
