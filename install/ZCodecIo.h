#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "install/ZCodec.h"
#include "win32/PathLimit.h"

// The codec's buffers and disk transfers, shared by its decompressing unit
// and its compressing one, which lives in a unit of its own (docs/size.md).
namespace ZCodecIo {

// The payload layout's length header: the uncompressed length, little-endian.
const uint32_t HeaderSize = 4;

struct TFreeDeleter {
    void operator()(uint8_t *p) const { free(p); }
};
using TMallocBuffer = std::unique_ptr<uint8_t, TFreeDeleter>;

// malloc that never returns null for a request of 0 bytes.
uint8_t *Allocate(uint32_t size);

// Reads a disk file into a new buffer. With `header`, its first 4 bytes go
// there and the rest into the buffer. Returns a codec result.
TZResult ReadSource(const std::string &name, uint8_t *header, TMallocBuffer &data, uint32_t &length);

// Hands the output to its destination: a new disk file, or the caller's
// outBuffer and outLength when there is no destination name.
TZResult Deliver(TMallocBuffer &output, uint32_t length, uint8_t **outBuffer, uint32_t *outLength,
                 const std::string &destName);

} // namespace ZCodecIo
