#include "install/Payload.h"

#include <cstring>
#include <string>

#include <windows.h>

#include "install/Folders.h"
#include "install/ZCodec.h"
#include "install/InstallState.h"
#include "resources/ResourceIds.h"

const char AppFiles[AppFileCount][PathBufferSize] = {APP_FILE_NAMES};
const char CompositionFiles[CompositionFileCount][PathBufferSize] = {COMPOSITION_FILE_NAMES};
const char ImageFiles[ImageFileCount][PathBufferSize] = {IMAGE_FILE_NAMES};
const char ShapeFiles[ShapeFileCount][PathBufferSize] = {SHAPE_FILE_NAMES};

namespace {

// The folders below InstallDir, in the order in which they are made.
const char *const Subfolders[SubfolderCount] = {SUBFOLDER_NAMES};

struct TManifestTable {
    const char (*Names)[PathBufferSize];
    int Count;
    uint16_t BaseId;
    int Selector;
    const char *Folder; // below InstallDir; "" for InstallDir itself
};

const TManifestTable AppTable = {AppFiles, AppFileCount, AppFilesBaseId, pfInstallDir, AppFilesFolder};
const TManifestTable CompositionTable = {CompositionFiles, CompositionFileCount, CompositionFilesBaseId,
                                         pfCompositions, CompositionFilesFolder};
const TManifestTable ImageTable = {ImageFiles, ImageFileCount, ImageFilesBaseId, pfImages, ImageFilesFolder};
const TManifestTable ShapeTable = {ShapeFiles, ShapeFileCount, ShapeFilesBaseId, pfShapes, ShapeFilesFolder};

// The tables in the order in which PayloadTotalSize counts them.
const TManifestTable *const AllTables[] = {&AppTable, &CompositionTable, &ImageTable, &ShapeTable};

bool ExtractTable(const TManifestTable &table) {
    for (int i = 0; i < table.Count; ++i) {
        if (!ExtractPayloadFile(table.Names[i], uint16_t(table.BaseId + i), table.Selector, RT_PAYLOAD)) {
            return false;
        }
    }
    return true;
}

// The subfolder of InstallDir that a selector stands for ("" for InstallDir
// itself), or null for an unknown selector.
const char *SelectorFolder(int selector) {
    for (const TManifestTable *table : AllTables) {
        if (table->Selector == selector) {
            return table->Folder;
        }
    }
    return nullptr;
}

// The table whose files go into the subfolder, or null for one that stays
// empty.
const TManifestTable *TableIn(const char *subfolder) {
    for (const TManifestTable *table : AllTables) {
        if (std::strcmp(table->Folder, subfolder) == 0) {
            return table;
        }
    }
    return nullptr;
}

// The progress state, set once before the first file.
void StartProgress() {
    PayloadTotalBytes = PayloadTotalSize();
    PayloadDoneBytes = 0;
    ExtractStartTick = SetupTickCount();
}

// Creates a subfolder of InstallDir (a link or a file there stays as it is)
// and returns its path.
std::string CreateSubfolder(const char *name) {
    const std::string path = InstallDir + "\\" + name;
    CreateFolder(path);
    return path;
}

} // namespace

uint32_t ResourceStoredSize(uint16_t id, uint16_t type) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
    return found ? SizeofResource(nullptr, found) : 0;
}

size_t LongestPayloadPath() {
    size_t longest = 0;
    for (const TManifestTable *table : AllTables) {
        size_t folder = std::strlen(table->Folder);
        for (int i = 0; i < table->Count; ++i) {
            size_t length = (folder ? folder + 1 : 0) + 1 + std::strlen(table->Names[i]);
            if (length > longest) {
                longest = length;
            }
        }
    }
    return longest;
}

uint32_t PayloadTotalSize() {
    uint32_t total = 0;
    for (const TManifestTable *table : AllTables) {
        for (int i = 0; i < table->Count; ++i) {
            total += ResourceStoredSize(uint16_t(table->BaseId + i), RT_PAYLOAD);
        }
    }
    return total;
}

bool ExtractPayloadFile(const char *name, uint16_t id, int selector, uint16_t type) {
    if (!name || !*name) {
        return true;
    }
    const char *subfolder = SelectorFolder(selector);
    if (!subfolder) {
        return false;
    }
    std::string folder = *subfolder ? InstallDir + "\\" + subfolder : InstallDir;
    TZCodec codec(ExtractProgress, TZProgressEvent());
    return codec.DecompressResource(id, type, name, PayloadUnpackSteps, true, nullptr, nullptr,
                                    folder + "\\" + name) == zrOk;
}

// The subfolders are made in the manifest's order, the files of each as soon
// as it is made, those of InstallDir itself last. The install folder and each
// subfolder that receives files are pinned before the first file goes in and
// stay pinned until the extraction ends, so that no file is ever written
// through a link put in their place.
bool ExtractPayload() {
    TFolderPin installFolder(InstallDir);
    if (!installFolder.Valid()) {
        return false;
    }
    TFolderPin pins[SubfolderCount];
    bool started = false;
    for (int i = 0; i < SubfolderCount; ++i) {
        const std::string path = CreateSubfolder(Subfolders[i]);
        const TManifestTable *table = TableIn(Subfolders[i]);
        if (!table) {
            continue;
        }
        pins[i].Pin(TWidePath(path).Get());
        if (!started) {
            StartProgress();
            started = true;
        }
        if (!pins[i].Valid() || !ExtractTable(*table)) {
            return false;
        }
    }
    if (!started) {
        StartProgress();
    }
    return ExtractTable(AppTable);
}
