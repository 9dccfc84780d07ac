#pragma once

#include <cstdint>
#include <string>

class TDataFile;

// Results of every TZCodec operation.
enum TZResult {
    zrNoResource = 0,  // DecompressResource: the resource is missing or cannot be loaded
    zrOk = 1,          // done; also a call without source or without destination, which does nothing
    zrOpenFailed = 2,  // the source cannot be found or opened, or the destination cannot be created
    zrNoMemory = 3,    // a buffer could not be allocated; CompressFile: a source name too long to derive from
    zrReadFailed = 4,  // the source could not be read whole, or there is no capacity for the output
    zrWriteFailed = 5, // the destination took fewer bytes than the output holds, or its flush or close failed
    zrZlibFailed =
        6, // zlib failed (damaged stream, output over capacity, no progress), or stopped through Busy
};

// Progress of a stepped decompression: the codec, the source file name (empty
// for a resource or memory block), the caller's label, the share of the input
// consumed (1.0 at the end, -1.0 after a failure), the running input and
// output byte counts, and the bytes consumed and produced since the previous
// notification.
class TZCodec;
typedef void (*TZProgressProc)(TZCodec *codec, const std::string &source, const char *label, float fraction,
                               uint32_t totalIn, uint32_t totalOut, uint32_t deltaIn, uint32_t deltaOut);
struct TZProgressEvent { // a handler bound to an object; assigned when Function is set
    void *Object = nullptr;
    void (*Function)(void *object, TZCodec *codec, const std::string &source, const char *label,
                     float fraction, uint32_t totalIn, uint32_t totalOut, uint32_t deltaIn,
                     uint32_t deltaOut) = nullptr;
};

// Compresses into and decompresses from the payload layout: `prefix` bytes
// left to the caller, an optional 4-byte little-endian uncompressed length,
// then one zlib stream. The stored length is the capacity of the output.
//
// Sources: a disk file (a non-empty source name) or a memory block.
// Destinations: a disk file (a non-empty destination name, replaced when it
// exists) or, with an empty name, a buffer handed out through outBuffer and
// its length through outLength (when not null). A buffer handed out through
// outBuffer is allocated with malloc and belongs to the caller, who frees it
// with free(); every other buffer is freed before the call returns.
// Without length header, *outLength gives the capacity of the output on entry.
//
// A decompression with more than one step notifies OnProgress, then
// ProgressProc, before each step and once at the end. Clearing Busy from a
// notification stops it after the step that follows (result 6).
// Names longer than MaxPathLength (win32/PathLimit.h) are refused.
class TZCodec {
  public:
    TZProgressEvent OnProgress;
    TZProgressProc ProgressProc = nullptr;
    bool Busy = false;

    TZCodec();
    TZCodec(TZProgressProc progressProc, TZProgressEvent onProgress);

    // The resource of this module with the integer id and type.
    TZResult DecompressResource(uint16_t id, uint16_t type, const std::string &label, int steps,
                                bool lengthHeader, uint8_t **outBuffer, uint32_t *outLength,
                                const std::string &destName);
    TZResult DecompressFile(const std::string &sourceName, const std::string &destName,
                            const std::string &label, int steps, bool lengthHeader, uint8_t **outBuffer,
                            uint32_t *outLength);
    // Reads length bytes from the file's current position and decompresses
    // them. A null file does nothing (1).
    TZResult DecompressDataFile(TDataFile *file, uint32_t length, const std::string &label, int steps,
                                bool lengthHeader, uint8_t **outBuffer, uint32_t *outLength,
                                const std::string &destName);
    TZResult Decompress(const std::string &sourceName, const uint8_t *sourceBuffer, uint32_t sourceLength,
                        const std::string &label, int steps, bool lengthHeader, uint8_t **outBuffer,
                        uint32_t *outLength, const std::string &destName);
    // level: zlib's compression level (0 to 9, -1 for the default).
    TZResult Compress(const std::string &sourceName, const uint8_t *sourceBuffer, uint32_t sourceLength,
                      uint32_t prefix, bool lengthHeader, int level, uint8_t **outBuffer, uint32_t *outLength,
                      const std::string &destName);
    // Without outBuffer and destination name, the destination is the source's
    // folder and title with ".zip" (C:\Data\song.mp3 -> C:\Data\song.zip).
    TZResult CompressFile(const std::string &sourceName, uint32_t prefix, bool lengthHeader, int level,
                          uint8_t **outBuffer, uint32_t *outLength, const std::string &destName);

    // True when FindFirstFileA finds the name (a folder or a wildcard match too).
    static bool SourceExists(const std::string &name);
    // Splits a path into folder (up to and including the last backslash),
    // extension (the last dot and at most 3 characters after it, after the
    // last backslash) and title (the rest), as SplitFilePath: outputs of
    // PathBufferSize bytes, may be null. False (outputs emptied) for a null path.
    static bool SplitPath(const char *path, char *folder, char *extension, char *title);

  private:
    void Notify(const std::string &source, const std::string &label, float fraction, uint32_t totalIn,
                uint32_t totalOut, uint32_t deltaIn, uint32_t deltaOut);
};
