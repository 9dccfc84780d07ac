#include "forms/PackedResource.h"

#include <cstdint>
#include <cstring>

#include <zlib.h>

bool UnpackResource(const char *name, const char *type, std::string &data) {
    HRSRC resource = FindResourceA(nullptr, name, type);
    HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    const unsigned char *bytes = loaded ? static_cast<const unsigned char *>(LockResource(loaded)) : nullptr;
    DWORD size = resource ? SizeofResource(nullptr, resource) : 0;
    if (!bytes || size < 4)
        return false;
    uint32_t length = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    // zlib never packs more than 1032 bytes into one: a longer length is damage.
    if (length / 1032 > size)
        return false;
    data.assign(length, '\0');
    uLongf unpacked = length;
    if (uncompress(reinterpret_cast<Bytef *>(&data[0]), &unpacked, bytes + 4, size - 4) != Z_OK ||
        unpacked != length) {
        data.clear();
        return false;
    }
    return true;
}

HBITMAP LoadPackedBitmap(const char *name) {
    std::string file;
    if (!UnpackResource(name, "PACKEDBITMAP", file) || file.size() < sizeof(BITMAPFILEHEADER))
        return nullptr;
    BITMAPFILEHEADER header;
    std::memcpy(&header, file.data(), sizeof(header));
    // The header, colour table and bits that follow the file header, in a
    // buffer of their own, aligned as the structures ask.
    std::string dib = file.substr(sizeof(BITMAPFILEHEADER));
    BITMAPINFOHEADER info;
    if (header.bfType != 0x4D42 || dib.size() < sizeof(info) ||
        header.bfOffBits < sizeof(header) + sizeof(info))
        return nullptr;
    std::memcpy(&info, dib.data(), sizeof(info));
    size_t bitsAt = header.bfOffBits - sizeof(BITMAPFILEHEADER);
    if (info.biWidth <= 0 || info.biWidth > 0x8000 || info.biHeight < -0x8000 || info.biHeight > 0x8000 ||
        info.biBitCount == 0 || info.biBitCount > 32 || info.biCompression != BI_RGB || bitsAt > dib.size())
        return nullptr;
    size_t stride = (static_cast<size_t>(info.biWidth) * info.biBitCount + 31) / 32 * 4;
    size_t rows = static_cast<size_t>(info.biHeight < 0 ? -info.biHeight : info.biHeight);
    if ((dib.size() - bitsAt) / stride < rows)
        return nullptr;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO *>(dib.data()),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap)
        std::memcpy(bits, dib.data() + bitsAt, stride * rows);
    return bitmap;
}
