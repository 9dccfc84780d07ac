#pragma once

#include <cstddef>
#include <cstdint>

#include "install/PayloadManifest.h"
#include "win32/PathLimit.h"

// Where a carried file goes, below InstallDir.
enum TPayloadFolder {
    pfInstallDir = 1,   // InstallDir itself
    pfCompositions = 4, // InstallDir\Compositions
    pfImages = 8,       // InstallDir\Images
    pfShapes = 16,      // InstallDir\Shapes
};

// The manifest: the carried files' names, one zero-terminated name per field
// of PathBufferSize bytes. A name's resource id is its table's base id plus
// its index; an empty field stands for no file. The counts, base ids, folders
// and names, the subfolders that the extraction makes and its steps are
// generated from resources/payload/manifest.txt (install/PayloadManifest.h).
extern const char AppFiles[AppFileCount][PathBufferSize];
extern const char CompositionFiles[CompositionFileCount][PathBufferSize];
extern const char ImageFiles[ImageFileCount][PathBufferSize];
extern const char ShapeFiles[ShapeFileCount][PathBufferSize];

// Creates the product's folders below InstallDir (which must exist) in the
// manifest's order and unpacks every carried file into its folder, each
// table's once its folder is made, InstallDir's own last, reporting progress
// through ExtractProgress. Stops at the first file that fails: false, with
// what was written so far left on disk.
bool ExtractPayload();
// Unpacks the resource (id, type) into the selector's folder under `name`.
// True when written, and for an empty name (nothing to write); false for an
// unknown selector or a failed file.
bool ExtractPayloadFile(const char *name, uint16_t id, int selector, uint16_t type);
// The length of the longest path below InstallDir that the extraction writes:
// a backslash, the subfolder and a backslash where there is one, the name.
size_t LongestPayloadPath();
// The stored bytes of all manifest entries' resources (type RT_PAYLOAD).
uint32_t PayloadTotalSize();
// The stored size of a resource of this module; 0 when it is missing.
uint32_t ResourceStoredSize(uint16_t id, uint16_t type);
