// Compressing: only tools that pack the payload link this unit.
#include "install/ZCodec.h"

#include <string>

#include <zlib.h>

#include "install/ZCodecIo.h"

using namespace ZCodecIo;

namespace {

void WriteLength(uint8_t *p, uint32_t value) {
    p[0] = uint8_t(value);
    p[1] = uint8_t(value >> 8);
    p[2] = uint8_t(value >> 16);
    p[3] = uint8_t(value >> 24);
}

} // namespace

TZResult TZCodec::Compress(const std::string &sourceName, const uint8_t *sourceBuffer, uint32_t sourceLength,
                           uint32_t prefix, bool lengthHeader, int level, uint8_t **outBuffer,
                           uint32_t *outLength, const std::string &destName) {
    if ((sourceName.empty() && !sourceBuffer) || (destName.empty() && !outBuffer)) {
        return zrOk;
    }
    TMallocBuffer fileInput;
    const uint8_t *input = sourceBuffer;
    uint32_t inputLength = sourceLength;
    if (!sourceName.empty()) {
        if (!SourceExists(sourceName)) {
            return zrOpenFailed;
        }
        TZResult result = ReadSource(sourceName, nullptr, fileInput, inputLength);
        if (result != zrOk) {
            return result;
        }
        input = fileInput.get();
    }

    // Room for zlib's worst case (a little over the input length plus 13),
    // the length header and the caller's prefix.
    const double room = inputLength * 1.1 + 13 + HeaderSize + prefix;
    if (room >= 4294967296.0) {
        return zrNoMemory;
    }
    const uint32_t capacity = uint32_t(room);
    TMallocBuffer output(Allocate(capacity));
    if (!output) {
        return zrNoMemory;
    }
    uint32_t streamStart = prefix;
    if (lengthHeader) {
        WriteLength(output.get() + prefix, inputLength);
        streamStart += HeaderSize;
    }
    uLongf streamLength = capacity - streamStart;
    int zresult = compress2(output.get() + streamStart, &streamLength, input, inputLength, level);
    fileInput.reset();
    if (zresult != Z_OK) {
        return zrZlibFailed;
    }
    return Deliver(output, streamStart + uint32_t(streamLength), outBuffer, outLength, destName);
}

TZResult TZCodec::CompressFile(const std::string &sourceName, uint32_t prefix, bool lengthHeader, int level,
                               uint8_t **outBuffer, uint32_t *outLength, const std::string &destName) {
    std::string dest = destName;
    if (!outBuffer && dest.empty()) {
        if (sourceName.size() > MaxPathLength) {
            return zrNoMemory;
        }
        char folder[PathBufferSize];
        char title[PathBufferSize];
        SplitPath(sourceName.c_str(), folder, nullptr, title);
        dest = std::string(folder) + title + ".zip";
    }
    return Compress(sourceName, nullptr, 0, prefix, lengthHeader, level, outBuffer, outLength, dest);
}
