#include "install/ZCodec.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include <windows.h>
#include <zlib.h>

#include "install/DataFile.h"
#include "install/InstallState.h"
#include "install/ZCodecIo.h"
#include "win32/FindHandle.h"

using namespace ZCodecIo;

namespace {

// The zlib interface version the codec is written against; later versions
// of the library accept it.
const char ZlibInterfaceVersion[] = "1.1.3";

uint32_t ReadLength(const uint8_t *p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

namespace ZCodecIo {

uint8_t *Allocate(uint32_t size) {
    return static_cast<uint8_t *>(malloc(size ? size : 1));
}

TZResult ReadSource(const std::string &name, uint8_t *header, TMallocBuffer &data, uint32_t &length) {
    if (name.size() > MaxPathLength) {
        return zrOpenFailed;
    }
    TDataFile source;
    if (!source.Open(name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, false, dfkFile, 0xFFFF, "",
                     0xFFFF)) {
        return zrOpenFailed;
    }
    uint32_t size = source.GetSize();
    if (size == INVALID_FILE_SIZE) {
        return zrReadFailed;
    }
    if (header && source.Read(header, HeaderSize) != int32_t(HeaderSize)) {
        return zrReadFailed;
    }
    uint32_t rest = size > source.GetPosition() ? size - source.GetPosition() : 0;
    data.reset(Allocate(rest));
    if (!data) {
        return zrNoMemory;
    }
    int32_t got = source.Read(data.get(), rest);
    if (got < 0) {
        return zrReadFailed;
    }
    length = uint32_t(got);
    return zrOk;
}

TZResult Deliver(TMallocBuffer &output, uint32_t length, uint8_t **outBuffer, uint32_t *outLength,
                 const std::string &destName) {
    if (destName.empty()) {
        *outBuffer = output.release();
        if (outLength) {
            *outLength = length;
        }
        return zrOk;
    }
    if (destName.size() > MaxPathLength) {
        return zrOpenFailed;
    }
    TDataFile dest;
    if (!dest.Open(destName, GENERIC_WRITE, 0, CREATE_ALWAYS, false, dfkFile, 0xFFFF, "", 0xFFFF)) {
        return zrOpenFailed;
    }
    if (dest.Write(output.get(), length) != int32_t(length)) {
        return zrWriteFailed;
    }
    // The write only handed the bytes to the system: a flush or close that
    // fails (a full disk on write-back, a share that went away) loses them.
    if (!dest.Close()) {
        return zrWriteFailed;
    }
    return zrOk;
}

} // namespace ZCodecIo

TZCodec::TZCodec() = default;

TZCodec::TZCodec(TZProgressProc progressProc, TZProgressEvent onProgress)
    : OnProgress(onProgress), ProgressProc(progressProc) {}

void TZCodec::Notify(const std::string &source, const std::string &label, float fraction, uint32_t totalIn,
                     uint32_t totalOut, uint32_t deltaIn, uint32_t deltaOut) {
    if (OnProgress.Function) {
        OnProgress.Function(OnProgress.Object, this, source, label.c_str(), fraction, totalIn, totalOut,
                            deltaIn, deltaOut);
    }
    if (ProgressProc) {
        ProgressProc(this, source, label.c_str(), fraction, totalIn, totalOut, deltaIn, deltaOut);
    }
}

TZResult TZCodec::DecompressResource(uint16_t id, uint16_t type, const std::string &label, int steps,
                                     bool lengthHeader, uint8_t **outBuffer, uint32_t *outLength,
                                     const std::string &destName) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
    if (!found) {
        return zrNoResource;
    }
    HGLOBAL loaded = LoadResource(nullptr, found);
    const void *data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        return zrNoResource;
    }
    return Decompress("", static_cast<const uint8_t *>(data), SizeofResource(nullptr, found), label, steps,
                      lengthHeader, outBuffer, outLength, destName);
}

TZResult TZCodec::DecompressFile(const std::string &sourceName, const std::string &destName,
                                 const std::string &label, int steps, bool lengthHeader, uint8_t **outBuffer,
                                 uint32_t *outLength) {
    return Decompress(sourceName, nullptr, 0, label, steps, lengthHeader, outBuffer, outLength, destName);
}

TZResult TZCodec::DecompressDataFile(TDataFile *file, uint32_t length, const std::string &label, int steps,
                                     bool lengthHeader, uint8_t **outBuffer, uint32_t *outLength,
                                     const std::string &destName) {
    if (!file || (destName.empty() && !outBuffer)) {
        return zrOk;
    }
    TMallocBuffer input(Allocate(length));
    if (!input) {
        return zrNoMemory;
    }
    int32_t got = file->Read(input.get(), length);
    if (got < 0) {
        return zrReadFailed;
    }
    return Decompress("", input.get(), uint32_t(got), label, steps, lengthHeader, outBuffer, outLength,
                      destName);
}

TZResult TZCodec::Decompress(const std::string &sourceName, const uint8_t *sourceBuffer,
                             uint32_t sourceLength, const std::string &label, int steps, bool lengthHeader,
                             uint8_t **outBuffer, uint32_t *outLength, const std::string &destName) {
    if ((sourceName.empty() && !sourceBuffer) || (destName.empty() && !outBuffer)) {
        return zrOk;
    }
    uint32_t capacity = 0;
    if (!lengthHeader) {
        if (!outLength) {
            return zrReadFailed;
        }
        capacity = *outLength;
    }

    TMallocBuffer fileInput;
    const uint8_t *input = nullptr;
    uint32_t inputLength = 0;
    if (!sourceName.empty()) {
        uint8_t header[HeaderSize];
        TZResult result = ReadSource(sourceName, lengthHeader ? header : nullptr, fileInput, inputLength);
        if (result != zrOk) {
            return result;
        }
        if (lengthHeader) {
            capacity = ReadLength(header);
        }
        input = fileInput.get();
    } else if (lengthHeader) {
        if (sourceLength < HeaderSize) {
            return zrReadFailed;
        }
        capacity = ReadLength(sourceBuffer);
        input = sourceBuffer + HeaderSize;
        inputLength = sourceLength - HeaderSize;
    } else {
        input = sourceBuffer;
        inputLength = sourceLength;
    }

    TMallocBuffer output(Allocate(capacity));
    if (!output) {
        return zrNoMemory;
    }

    Busy = true;
    int zresult;
    uint32_t outputLength = 0;
    if (steps > 1) {
        z_stream stream;
        memset(&stream, 0, sizeof stream);
        stream.next_in = const_cast<Bytef *>(input);
        stream.avail_in = 0;
        stream.next_out = output.get();
        stream.avail_out = capacity;
        zresult = inflateInit_(&stream, ZlibInterfaceVersion, int(sizeof(z_stream)));
        if (zresult == Z_OK) {
            const uint32_t stepSize = inputLength / uint32_t(steps);
            uint32_t lastIn = 0;
            uint32_t lastOut = 0;
            while (zresult == Z_OK) {
                if (!Busy) {
                    zresult = Z_ERRNO; // stopped by the caller: ends as a failure
                    break;
                }
                const uint32_t totalIn = stream.total_in;
                const uint32_t totalOut = stream.total_out;
                const float fraction = inputLength ? float(double(totalIn) / double(inputLength)) : 0.0f;
                Notify(sourceName, label, fraction, totalIn, totalOut, totalIn - lastIn, totalOut - lastOut);
                lastIn = totalIn;
                lastOut = totalOut;
                const uint32_t left = inputLength - uint32_t(stream.next_in - input);
                stream.avail_in = stepSize < left ? stepSize : left;
                zresult = inflate(&stream, Z_SYNC_FLUSH);
            }
            outputLength = stream.total_out;
            if (zresult == Z_STREAM_END || zresult == Z_OK) {
                Notify(sourceName, label, 1.0f, stream.total_in, stream.total_out, stream.total_in - lastIn,
                       stream.total_out - lastOut);
            } else {
                Notify(sourceName, label, -1.0f, 0, 0, 0, 0);
            }
            inflateEnd(&stream);
        } else {
            zresult = Z_STREAM_ERROR;
        }
    } else {
        uLongf produced = capacity;
        zresult = uncompress(output.get(), &produced, input, inputLength);
        outputLength = uint32_t(produced);
    }
    Busy = false;
    fileInput.reset();

    if (zresult != Z_OK && zresult != Z_STREAM_END) {
        return zrZlibFailed;
    }
    return Deliver(output, outputLength, outBuffer, outLength, destName);
}

bool TZCodec::SourceExists(const std::string &name) {
    if (name.empty() || name.size() > MaxPathLength) {
        return false;
    }
    WIN32_FIND_DATAA found;
    TFindHandle search(FindFirstFileA(name.c_str(), &found));
    return search.Valid();
}

bool TZCodec::SplitPath(const char *path, char *folder, char *extension, char *title) {
    return SplitFilePath(path, folder, title, extension) != 0;
}
