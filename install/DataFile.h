#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

// What a TDataFile is bound to.
enum TDataFileKind {
    dfkFile = 0,     // a disk file, through a Win32 handle
    dfkResource = 1, // a read-only resource block of this module, held in memory
};

// A disk file or a resource block behind one set of operations: open, read,
// write, seek, size, flush and close, plus typed reads and writes.
//
// Typed values use the machine's little-endian byte order. A string returned
// by ReadLine or ReadText is allocated with malloc; the caller frees it.
// No operation shows anything or throws: results say what happened.
class TDataFile {
  public:
    HANDLE Handle = nullptr;
    uint32_t Position = 0;
    bool DeleteOnClose = false; // closing empties the file and deletes it
    TDataFileKind Kind = dfkFile;
    std::string FileName;
    uint16_t ResourceId = 0xFFFF; // 0xFFFF: ResourceName names the resource
    std::string ResourceName;
    uint16_t ResourceType = 0xFFFF;
    const uint8_t *ResourceData = nullptr;
    uint32_t ResourceSize = 0;
    bool Eof = false;   // the last read returned fewer bytes than asked for
    bool Error = false; // kept for the interface; nothing sets it
    // Commit writes Lines into the file only when Owner is this very object.
    const void *Owner = nullptr;
    std::vector<std::string> *Lines = nullptr;

    explicit TDataFile(const void *owner = nullptr, std::vector<std::string> *lines = nullptr);
    TDataFile(const TDataFile &) = delete;
    TDataFile &operator=(const TDataFile &) = delete;

    // Closes the file (Close), dropping its result.
    virtual ~TDataFile();

    // Closes the file: with DeleteOnClose it is emptied and deleted, else
    // committed. True when every step the system was asked for succeeded (the
    // flush or the emptying and deleting, and the close), and when there was
    // nothing to close; false when one failed: data that a write accepted
    // may not have reached the disk.
    bool Close();

    // dfkFile: CreateFileA(name, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL);
    // for writing, without following a link and refusing one (CreateFileNoLink).
    // dfkResource: the resource resourceId (or resourceName when the id is
    // 0xFFFF) of type resourceType (555 stands for bitmaps) in this module;
    // the name is not used. True when the file or resource is open.
    virtual bool Open(const std::string &name, DWORD access, DWORD share, DWORD disposition,
                      bool deleteOnClose, TDataFileKind kind, uint16_t resourceId,
                      const std::string &resourceName, uint16_t resourceType);
    // Writes Lines (each line, a zero byte, CR LF) when owned, then flushes.
    // The result of FlushFileBuffers.
    virtual bool Commit();
    virtual uint32_t SetPosition(uint32_t offset);
    virtual uint32_t GetPosition() const;
    virtual HANDLE GetHandle() const;
    // The size of an open disk file; 0 otherwise (also for a resource block).
    virtual uint32_t GetSize() const;
    virtual bool IsEof() const;
    virtual bool HasError() const;
    // origin 1 or 512: from the current position; 2 or 1024: from the end;
    // anything else: from the start. On a disk file the distance is added to
    // the end; on a resource block it counts back from the end. Returns the
    // new position, 0 when nothing is open.
    virtual uint32_t Seek(int32_t distance, uint16_t origin);
    // The number of bytes read, -1 when ReadFile fails. Fewer than count sets Eof.
    virtual int32_t Read(void *buffer, uint32_t count);
    // The number of bytes written, 0 without an open file, -1 when WriteFile fails.
    virtual int32_t Write(const void *buffer, uint32_t count);
    virtual bool WriteInt(int32_t value);
    virtual bool WriteFloat(float value);
    virtual bool WriteDouble(double value);
    virtual bool WriteText(const char *text);
    // The text's characters and a terminating zero byte.
    virtual bool WriteString(const std::string &text);
    virtual int32_t ReadInt();
    virtual float ReadFloat();
    virtual double ReadDouble();
    // One line ended by a zero byte, CR, LF or the end of the data; runs of
    // CR and LF after it are skipped. Null when a read fails. Free with free().
    virtual char *ReadLine();
    // ReadString as a new zero-terminated string. Free with free().
    virtual char *ReadText();
    // ReadString, copied into buffer (at most size - 1 characters and a zero;
    // nothing when size is 0). Returns the length of the string read, or 0
    // without reading when buffer is null.
    virtual uint32_t ReadTextInto(char *buffer, uint32_t size);
    // Reads bytes up to a zero byte or the end of the data into text.
    // Returns the length of the text.
    virtual uint32_t ReadString(std::string &text);

  private:
    // One value of T read from the current position; 0 when the read fails.
    template <class T> T ReadValue() {
        T value = 0;
        return Read(&value, sizeof value) < 0 ? 0 : value;
    }
};
