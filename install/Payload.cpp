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

// Each file is unpacked in this many steps, so that the gauge moves smoothly.
const int ExtractSteps = 20;

struct TManifestTable {
    const char (*Names)[PathBufferSize];
    int Count;
    uint16_t BaseId;
    int Selector;
};

const TManifestTable AppTable = {AppFiles, AppFileCount, AppFilesBaseId, pfInstallDir};
const TManifestTable CompositionTable = {CompositionFiles, CompositionFileCount, CompositionFilesBaseId,
                                         pfCompositions};
const TManifestTable ImageTable = {ImageFiles, ImageFileCount, ImageFilesBaseId, pfImages};
const TManifestTable ShapeTable = {ShapeFiles, ShapeFileCount, ShapeFilesBaseId, pfShapes};

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
    switch (selector) {
    case pfInstallDir:
        return "";
    case pfCompositions:
        return "Compositions";
    case pfImages:
        return "Images";
    case pfShapes:
        return "Shapes";
    default:
        return nullptr;
    }
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
        size_t folder = std::strlen(SelectorFolder(table->Selector));
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
    return codec.DecompressResource(id, type, name, ExtractSteps, true, nullptr, nullptr,
                                    folder + "\\" + name) == zrOk;
}

// The install folder and each subfolder that receives files are pinned
// before the first file goes in and stay pinned until the extraction ends, so
// that no file is ever written through a link put in their place.
bool ExtractPayload() {
    TFolderPin installFolder(InstallDir);
    if (!installFolder.Valid()) {
        return false;
    }
    CreateSubfolder("InBox");
    CreateSubfolder("OutBox");
    TFolderPin images(CreateSubfolder("Images"));

    PayloadTotalBytes = PayloadTotalSize();
    PayloadDoneBytes = 0;
    ExtractStartTick = SetupTickCount();

    if (!images.Valid() || !ExtractTable(ImageTable)) {
        return false;
    }
    TFolderPin shapes(CreateSubfolder("Shapes"));
    if (!shapes.Valid() || !ExtractTable(ShapeTable)) {
        return false;
    }
    TFolderPin compositions(CreateSubfolder("Compositions"));
    if (!compositions.Valid() || !ExtractTable(CompositionTable)) {
        return false;
    }
    CreateSubfolder("Music");
    CreateSubfolder("ScreenShots");
    return ExtractTable(AppTable);
}
