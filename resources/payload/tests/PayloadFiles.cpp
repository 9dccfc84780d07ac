// The product files that the setup carries: each one is a real file of its
// kind at the size that manifest.txt lists, each packed resource unpacks to
// it, and the program and its library work once they stand side by side.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <wincodec.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ResourceIds.h"
#include "install/PayloadManifest.h"
#include "support/Readers.h"

namespace {

std::string PayloadPath(const std::string &name) {
    return readers::WindowsPath(PAYLOAD_DIR "/" + name);
}

std::vector<uint8_t> ReadBytes(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<uint8_t> PayloadFile(int id) {
    return ReadBytes(PayloadPath("files/" + std::to_string(id)));
}

uint32_t Le32(const std::vector<uint8_t> &data, size_t offset) {
    return data[offset] | data[offset + 1] << 8 | data[offset + 2] << 16 |
           static_cast<uint32_t>(data[offset + 3]) << 24;
}

uint16_t Le16(const std::vector<uint8_t> &data, size_t offset) {
    return static_cast<uint16_t>(data[offset] | data[offset + 1] << 8);
}

using readers::Manifest;
using readers::ManifestRow;

// Every file of the manifest, at exactly its listed size.
TEST(PayloadFiles, EveryFileHasItsListedSize) {
    std::vector<ManifestRow> rows = Manifest();
    ASSERT_FALSE(rows.empty());
    for (const ManifestRow &row : rows) {
        EXPECT_EQ(row.size, PayloadFile(row.id).size()) << row.id << " " << row.name;
    }
}

struct BitmapRow {
    const char *Name; // a file of the payload folder
    int32_t Width;
    int32_t Height;
    uint16_t Bits;
    uint32_t Size;
};

TEST(PayloadFiles, BitmapsHaveTheirListedSizeAndDepth) {
    const BitmapRow rows[] = {
        {"files/7", 182, 112, 8, 21686},     {"files/2001", 50, 50, 8, 3678},
        {"files/3001", 323, 164, 8, 54214},  {"files/3002", 127, 192, 8, 25654},
        {"files/3003", 42, 39, 24, 5046},    {"files/3005", 218, 33, 8, 8338},
        {"files/3006", 245, 33, 8, 9262},    {"files/3009", 235, 68, 8, 17126},
        {"files/3012", 693, 164, 8, 115222}, {"files/3013", 127, 192, 8, 25654},
        {"files/3014", 154, 68, 8, 11686},   {"files/3016", 40, 40, 24, 4854},
        {"files/3017", 40, 40, 24, 4854},    {"files/3018", 40, 40, 24, 4854},
        {"files/3019", 40, 40, 24, 4854},    {"files/3021", 74, 66, 24, 14838},
        {"files/3022", 39, 39, 8, 2638},     {"files/3023", 60, 60, 24, 10854},
        {"files/3025", 156, 68, 8, 11686},   {"Extensions.bmp", 129, 284, 8, 38566},
    };
    for (const BitmapRow &row : rows) {
        SCOPED_TRACE(row.Name);
        std::vector<uint8_t> bmp = ReadBytes(PayloadPath(row.Name));
        ASSERT_EQ(row.Size, bmp.size());
        EXPECT_EQ('B', bmp[0]);
        EXPECT_EQ('M', bmp[1]);
        EXPECT_EQ(row.Size, Le32(bmp, 2)) << "bfSize";
        EXPECT_EQ(row.Width, static_cast<int32_t>(Le32(bmp, 18)));
        EXPECT_EQ(row.Height, static_cast<int32_t>(Le32(bmp, 22)));
        EXPECT_EQ(row.Bits, Le16(bmp, 28));

        // And Windows reads it as such a picture.
        HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, PayloadPath(row.Name).c_str(), IMAGE_BITMAP,
                                                         0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        ASSERT_NE(nullptr, bitmap);
        DIBSECTION dib = {};
        EXPECT_EQ(static_cast<int>(sizeof(dib)), GetObjectA(bitmap, sizeof(dib), &dib));
        EXPECT_EQ(row.Width, dib.dsBm.bmWidth);
        EXPECT_EQ(row.Height, dib.dsBm.bmHeight);
        EXPECT_EQ(row.Bits, dib.dsBm.bmBitsPixel);
        DeleteObject(bitmap);
    }
}

// Baseline JPEGs: SOI, marker segments up to the frame (SOF0) and the scan,
// the caption's comment among them, EOI at the end; and the imaging
// component decodes each at the frame's size.
TEST(PayloadFiles, JpegsAreBaselineJpegsThatDecode) {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    IWICImagingFactory *factory = nullptr;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IWICImagingFactory, reinterpret_cast<void **>(&factory)));
    for (int id : {3004, 3007, 3008, 3010, 3011, 3015, 3020, 3024}) {
        SCOPED_TRACE(id);
        std::vector<uint8_t> jpeg = PayloadFile(id);
        ASSERT_GE(jpeg.size(), 4u);
        EXPECT_EQ(0xFF, jpeg[0]);
        EXPECT_EQ(0xD8, jpeg[1]) << "start of image";
        EXPECT_EQ(0xFF, jpeg[jpeg.size() - 2]);
        EXPECT_EQ(0xD9, jpeg[jpeg.size() - 1]) << "end of image";
        size_t at = 2;
        uint32_t width = 0, height = 0;
        bool comment = false;
        while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xDA) {
            uint8_t marker = jpeg[at + 1];
            comment = comment || marker == 0xFE;
            EXPECT_NE(0xC2, marker) << "progressive";
            if (marker == 0xC0 && at + 9 <= jpeg.size()) {
                height = static_cast<uint32_t>(jpeg[at + 5] << 8 | jpeg[at + 6]);
                width = static_cast<uint32_t>(jpeg[at + 7] << 8 | jpeg[at + 8]);
            }
            at += 2 + static_cast<size_t>(jpeg[at + 2] << 8 | jpeg[at + 3]);
        }
        ASSERT_LT(at + 1, jpeg.size());
        EXPECT_EQ(0xDA, jpeg[at + 1]) << "the segments run on to the scan";
        EXPECT_TRUE(comment);
        ASSERT_NE(0u, width) << "a baseline frame";

        std::string path = PayloadPath("files/" + std::to_string(id));
        std::wstring widePath(path.begin(), path.end());
        IWICBitmapDecoder *decoder = nullptr;
        ASSERT_EQ(S_OK, factory->CreateDecoderFromFilename(widePath.c_str(), nullptr, GENERIC_READ,
                                                           WICDecodeMetadataCacheOnDemand, &decoder));
        IWICBitmapFrameDecode *frame = nullptr;
        EXPECT_EQ(S_OK, decoder->GetFrame(0, &frame));
        if (frame != nullptr) {
            UINT decodedWidth = 0, decodedHeight = 0;
            EXPECT_EQ(S_OK, frame->GetSize(&decodedWidth, &decodedHeight));
            EXPECT_EQ(width, decodedWidth);
            EXPECT_EQ(height, decodedHeight);
            std::vector<BYTE> pixels(static_cast<size_t>(decodedWidth) * decodedHeight * 3);
            EXPECT_EQ(S_OK, frame->CopyPixels(nullptr, decodedWidth * 3, static_cast<UINT>(pixels.size()),
                                              pixels.data()));
            frame->Release();
        }
        decoder->Release();
    }
    factory->Release();
    CoUninitialize();
}

// The help file and the global index are WinHelp file systems: the header
// gives the file's size and the directory, a B+ tree whose one leaf page
// names the internal files, each inside the file behind its own header.
TEST(PayloadFiles, HelpFilesAreWinHelpFileSystems) {
    const struct {
        int Id;
        std::vector<std::string> Names;
    } files[] = {{2, {"|CONTEXT", "|FONT", "|SYSTEM", "|TOPIC", "|bm0", "|bm1", "|bm2"}},
                 {4, {"|CntJump", "|CntText", "|KWBTREE", "|KWDATA", "|Pete", "|TTLBTREE", "|WinPos"}}};
    for (const auto &help : files) {
        SCOPED_TRACE(help.Id);
        std::vector<uint8_t> file = PayloadFile(help.Id);
        ASSERT_GE(file.size(), 16u);
        EXPECT_EQ(0x00035F3Fu, Le32(file, 0));
        EXPECT_EQ(file.size(), Le32(file, 12));
        size_t directory = Le32(file, 4) + 9; // behind the directory's file header
        ASSERT_LT(directory + 38 + 8, file.size());
        EXPECT_EQ(0x293B, Le16(file, directory)) << "B+ tree";
        EXPECT_EQ(1, Le16(file, directory + 32)) << "one level";
        size_t entry = directory + 38 + 8;
        std::vector<std::string> names;
        for (uint16_t n = Le16(file, directory + 38 + 2); n > 0 && entry < file.size(); --n) {
            std::string name(reinterpret_cast<const char *>(&file[entry]));
            entry += name.size() + 1;
            uint32_t offset = Le32(file, entry);
            entry += 4;
            names.push_back(name);
            ASSERT_LT(offset + 9, file.size()) << name;
            EXPECT_LE(offset + Le32(file, offset), file.size()) << name << ": reserved space";
            EXPECT_LE(Le32(file, offset + 4) + 9, Le32(file, offset)) << name << ": used space";
        }
        EXPECT_EQ(help.Names, names);
    }
    // The contents file names the help file and ends each line with CR LF.
    std::vector<uint8_t> contents = PayloadFile(3);
    std::string text(contents.begin(), contents.end());
    EXPECT_EQ(0u, text.find(":Base Vantorelle.hlp>main\r\n"));
    EXPECT_EQ("\r\n", text.substr(text.size() - 2));
}

// A compound document opens as a storage, and its one stream reads whole.
TEST(PayloadFiles, CompoundDocumentsOpenAsStorages) {
    const struct {
        int Id;
        uint32_t Size;
    } rows[] = {{1, 6656},     {6, 18432},    {2002, 22528}, {2003, 49152}, {2004, 7168},
                {2005, 10752}, {4001, 18944}, {4002, 18944}, {4003, 82432}, {4004, 39424}};
    const uint8_t signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Id);
        std::vector<uint8_t> file = PayloadFile(row.Id);
        ASSERT_EQ(row.Size, file.size());
        EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature), file.begin()));

        std::string path = PayloadPath("files/" + std::to_string(row.Id));
        std::wstring widePath(path.begin(), path.end());
        IStorage *storage = nullptr;
        ASSERT_EQ(S_OK, StgOpenStorage(widePath.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr,
                                       0, &storage));
        IEnumSTATSTG *entries = nullptr;
        ASSERT_EQ(S_OK, storage->EnumElements(0, nullptr, 0, &entries));
        STATSTG stat = {};
        int streams = 0;
        while (entries->Next(1, &stat, nullptr) == S_OK) {
            EXPECT_EQ(STGTY_STREAM, static_cast<int>(stat.type));
            IStream *stream = nullptr;
            if (storage->OpenStream(stat.pwcsName, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream) ==
                S_OK) {
                std::vector<char> content(stat.cbSize.LowPart + 1);
                ULONG read = 0;
                EXPECT_EQ(S_OK, stream->Read(content.data(), static_cast<ULONG>(content.size()), &read));
                EXPECT_EQ(stat.cbSize.LowPart, read);
                EXPECT_GE(read, 4096u) << "a stream held in ordinary sectors";
                stream->Release();
                ++streams;
            }
            CoTaskMemFree(stat.pwcsName);
        }
        EXPECT_EQ(1, streams);
        entries->Release();
        storage->Release();
    }
    CoUninitialize();
}

// Each resource: a 4-byte length, then one zlib stream at level 6, long
// enough for setup's steps, unpacking to the file byte for byte. Language
// neutral.
TEST(PayloadFiles, EveryPackedResourceUnpacksToItsFile) {
    for (const ManifestRow &row : Manifest()) {
        int id = int(row.id);
        SCOPED_TRACE(id);
        HRSRC info = FindResourceExA(nullptr, MAKEINTRESOURCEA(RT_PAYLOAD), MAKEINTRESOURCEA(id),
                                     MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
        ASSERT_NE(nullptr, info) << "resource 257/" << id << " in the neutral language";
        DWORD size = SizeofResource(nullptr, info);
        const uint8_t *data = static_cast<const uint8_t *>(LockResource(LoadResource(nullptr, info)));
        ASSERT_NE(nullptr, data);
        ASSERT_GE(size, 4u + PayloadUnpackSteps) << "4-byte length and a stream of at least one byte a step";
        std::vector<uint8_t> resource(data, data + size);

        std::vector<uint8_t> file = PayloadFile(id);
        ASSERT_FALSE(file.empty());
        EXPECT_EQ(file.size(), Le32(resource, 0));
        EXPECT_EQ(0x78, resource[4]);
        EXPECT_EQ(0x9C, resource[5]);
        std::vector<uint8_t> unpacked(file.size());
        uLongf unpackedSize = static_cast<uLongf>(unpacked.size());
        ASSERT_EQ(Z_OK, uncompress(unpacked.data(), &unpackedSize, data + 4, size - 4));
        EXPECT_EQ(file.size(), unpackedSize);
        EXPECT_TRUE(unpacked == file) << "unpacked bytes differ from files/" << id;
    }
}

TEST(PayloadFiles, SetupCarriesA32By32SixteenColourIcon) {
    HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(IDI_SETUP), RT_GROUP_ICON);
    ASSERT_NE(nullptr, info);
    const uint8_t *group = static_cast<const uint8_t *>(LockResource(LoadResource(nullptr, info)));
    std::vector<uint8_t> directory(group, group + SizeofResource(nullptr, info));
    ASSERT_EQ(6u + 14u, directory.size()) << "one image";
    EXPECT_EQ(32, directory[6]) << "width";
    EXPECT_EQ(32, directory[7]) << "height";
    EXPECT_EQ(16, directory[8]) << "colours";
    EXPECT_EQ(4, Le16(directory, 12)) << "bits per pixel";
    HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETUP), IMAGE_ICON, 32, 32, 0));
    EXPECT_NE(nullptr, icon);
    DestroyIcon(icon);
}

// The program and its library copied under their installed names into a
// folder of their own, removed again at the end.
class InstalledProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(MAX_PATH, temp));
        Folder = std::string(temp) + "PayloadFiles" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(Folder.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(PayloadPath("files/9").c_str(), Program().c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(PayloadPath("files/8").c_str(), Library().c_str(), FALSE));
    }
    void TearDown() override {
        DeleteFileA(Program().c_str());
        DeleteFileA(Library().c_str());
        RemoveDirectoryA(Folder.c_str());
    }
    std::string Program() const { return Folder + "\\Vantorelle.exe"; }
    std::string Library() const { return Folder + "\\Tovx.dll"; }

    std::string Folder;
};

BOOL CALLBACK AddResourceName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
    reinterpret_cast<std::vector<uintptr_t> *>(names)->push_back(reinterpret_cast<uintptr_t>(name));
    return TRUE;
}

BOOL CALLBACK AddResourceText(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
    reinterpret_cast<std::vector<std::string> *>(names)->push_back(IS_INTRESOURCE(name) ? "#" : name);
    return TRUE;
}

// Icon index 0 (packed compositions) and index 1 (compositions): the icon
// groups in id order. Its weight is its pictures and sounds, which load as
// such.
TEST_F(InstalledProgram, ProgramCarriesTwoIconsAndItsPicturesAndSounds) {
    EXPECT_EQ(2u, ExtractIconExA(Program().c_str(), -1, nullptr, nullptr, 0));
    HMODULE module = LoadLibraryExA(Program().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module);
    std::vector<uintptr_t> groups;
    EnumResourceNamesA(module, RT_GROUP_ICON, AddResourceName, reinterpret_cast<LONG_PTR>(&groups));
    EXPECT_EQ((std::vector<uintptr_t>{1, 2}), groups);
    std::vector<std::string> bitmaps, sounds;
    EnumResourceNamesA(module, RT_BITMAP, AddResourceText, reinterpret_cast<LONG_PTR>(&bitmaps));
    EnumResourceNamesA(module, "WAVE", AddResourceText, reinterpret_cast<LONG_PTR>(&sounds));
    EXPECT_EQ((std::vector<std::string>{"BACKDROP", "BUTTONS", "FRAMES", "PANEL", "SPLASH"}), bitmaps);
    EXPECT_EQ((std::vector<std::string>{"APPLAUSE", "CHIME", "CLICK", "START"}), sounds);
    for (const std::string &name : bitmaps) {
        HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(module, name.c_str(), IMAGE_BITMAP, 0, 0, 0));
        EXPECT_NE(nullptr, bitmap) << name;
        DeleteObject(bitmap);
    }
    for (const std::string &name : sounds) {
        HRSRC info = FindResourceA(module, name.c_str(), "WAVE");
        const char *wave =
            info ? static_cast<const char *>(LockResource(LoadResource(module, info))) : nullptr;
        ASSERT_NE(nullptr, wave) << name;
        EXPECT_EQ(0, std::string(wave, 4).compare("RIFF")) << name;
        EXPECT_EQ(0, std::string(wave + 8, 8).compare("WAVEfmt ")) << name;
    }
    FreeLibrary(module);
}

TEST_F(InstalledProgram, LibraryLoadsAndAnswers) {
    HMODULE library = LoadLibraryA(Library().c_str());
    ASSERT_NE(nullptr, library);
    typedef int (*VersionProc)();
    VersionProc version =
        reinterpret_cast<VersionProc>(reinterpret_cast<void (*)()>(GetProcAddress(library, "TovxVersion")));
    ASSERT_NE(nullptr, version);
    EXPECT_EQ(0x0100, version());
    // Its tables: the fade table weights a value, the wave table has periods.
    typedef int (*FadeProc)(int, int);
    FadeProc fade =
        reinterpret_cast<FadeProc>(reinterpret_cast<void (*)()>(GetProcAddress(library, "TovxFade")));
    ASSERT_NE(nullptr, fade);
    EXPECT_EQ(50, fade(128, 100));
    EXPECT_EQ(255, fade(255, 255));
    EXPECT_EQ(-1, fade(256, 0));
    VersionProc waveCount =
        reinterpret_cast<VersionProc>(reinterpret_cast<void (*)()>(GetProcAddress(library, "TovxWaveCount")));
    ASSERT_NE(nullptr, waveCount);
    EXPECT_GT(waveCount(), 100);
    FreeLibrary(library);
}

struct WindowSearch {
    DWORD ProcessId;
    HWND Found;
};

BOOL CALLBACK FindProgramWindow(HWND window, LPARAM param) {
    WindowSearch *search = reinterpret_cast<WindowSearch *>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    if (owner == search->ProcessId && std::string(className) == "VantorelleApp") {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

// Started as the shell starts it for a file, the program shows that file's
// path and, through its library, the kind of file; it ends with code 0 when
// its window is closed.
TEST_F(InstalledProgram, ProgramShowsTheFileItWasOpenedWith) {
    std::string commandLine = "\"" + Program() + "\" \"C:\\My Music\\Happy Song.cmp\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(Program().c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                               Folder.c_str(), &startup, &process));
    WaitForInputIdle(process.hProcess, 10000);
    WindowSearch search = {process.dwProcessId, nullptr};
    for (int attempt = 0; attempt < 100 && search.Found == nullptr; ++attempt) {
        EnumWindows(FindProgramWindow, reinterpret_cast<LPARAM>(&search));
        if (search.Found == nullptr) {
            Sleep(50);
        }
    }
    char path[MAX_PATH] = "";
    char kind[64] = "";
    if (search.Found != nullptr) {
        // WM_GETTEXT itself: GetWindowText does not ask controls of other processes.
        DWORD_PTR copied = 0;
        SendMessageTimeoutA(GetDlgItem(search.Found, 101), WM_GETTEXT, sizeof(path),
                            reinterpret_cast<LPARAM>(path), SMTO_ABORTIFHUNG, 5000, &copied);
        SendMessageTimeoutA(GetDlgItem(search.Found, 102), WM_GETTEXT, sizeof(kind),
                            reinterpret_cast<LPARAM>(kind), SMTO_ABORTIFHUNG, 5000, &copied);
        PostMessageA(search.Found, WM_CLOSE, 0, 0);
    }
    DWORD waited = WaitForSingleObject(process.hProcess, 10000);
    if (waited != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    ASSERT_NE(nullptr, search.Found) << "no VantorelleApp window appeared";
    EXPECT_STREQ("C:\\My Music\\Happy Song.cmp", path);
    EXPECT_STREQ("Composition", kind);
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), waited) << "the program did not end after WM_CLOSE";
    EXPECT_EQ(0u, exitCode);
}

} // namespace
