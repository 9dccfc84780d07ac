#pragma once

#include <string>

#include <windows.h>

// Resources of the program stored packed, as the build's packing tool writes
// them: a 4-byte little-endian length, then one zlib stream of that many
// bytes. Form data and pictures compress several times over, and the program
// carries zlib for its payload anyway.

// The unpacked data of the resource of this module with that name and type;
// false when it is missing or its data is damaged.
bool UnpackResource(const char *name, const char *type, std::string &data);

// A picture of a bitmap file stored packed (resource type "PACKEDBITMAP"), as
// a DIB section in the file's own format, like LoadImage with
// LR_CREATEDIBSECTION makes of a bitmap resource; null when it is missing or
// damaged. The caller deletes it with DeleteObject.
HBITMAP LoadPackedBitmap(const char *name);
