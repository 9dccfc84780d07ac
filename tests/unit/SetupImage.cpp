// What the built Setup.exe declares to Windows and to the people who look at
// it, read back from the file as data: the application manifest, the
// version resource and the language of the carried files.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "ResourceIds.h"

namespace {

std::string SetupPath() {
    return readers::WindowsPath(SETUP_EXE);
}

// Setup.exe loaded as a data file, freed at the end.
class SetupImage : public ::testing::Test {
  protected:
    void SetUp() override {
        Module = LoadLibraryExA(SetupPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, Module) << SetupPath() << ": error " << GetLastError();
    }
    void TearDown() override {
        if (Module)
            FreeLibrary(Module);
    }
    // The bytes of one resource; empty when it is missing.
    std::string Resource(LPCSTR type, LPCSTR name) const {
        HRSRC info = FindResourceA(Module, name, type);
        if (!info)
            return "";
        const char *data = static_cast<const char *>(LockResource(LoadResource(Module, info)));
        return std::string(data, SizeofResource(Module, info));
    }

    HMODULE Module = nullptr;
};

BOOL CALLBACK AddLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR languages) {
    reinterpret_cast<std::vector<WORD> *>(languages)->push_back(language);
    return TRUE;
}

TEST_F(SetupImage, ManifestAsksForAdministratorAndNamesTheSupportedWindows) {
    std::string manifest = Resource(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    ASSERT_NE("", manifest) << "no resource 24/1";
    EXPECT_NE(std::string::npos,
              manifest.find("<requestedExecutionLevel level=\"requireAdministrator\" uiAccess=\"false\"/>"))
        << manifest;
    const char *systems[] = {
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}", // Vista
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", // 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", // 10 and 11
    };
    for (const char *id : systems)
        EXPECT_NE(std::string::npos, manifest.find(std::string("<supportedOS Id=\"") + id + "\"/>")) << id;
    EXPECT_EQ(std::string::npos, manifest.find("<dpiAware")) << "DPI-unaware";
    EXPECT_EQ(std::string::npos, manifest.find("<dependency")) << "classic controls, no common controls 6";
}

TEST_F(SetupImage, VersionResourceNamesProductPublisherAndVersion) {
    const std::string path = SetupPath();
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(path.c_str(), &ignored));
    ASSERT_FALSE(info.empty()) << "no version resource";
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, DWORD(info.size()), info.data()));

    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void **>(&fixed), &size));
    EXPECT_EQ(0x00020000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00020000u, fixed->dwProductVersionMS);
    EXPECT_EQ(0u, fixed->dwProductVersionLS);
    EXPECT_EQ(DWORD(VFT_APP), fixed->dwFileType);

    WORD *translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void **>(&translation), &size));
    ASSERT_EQ(4u, size);
    EXPECT_EQ(0x0409, translation[0]) << "US English";
    EXPECT_EQ(1252, translation[1]);

    const char *expected[][2] = {
        {"CompanyName", "Vantorelle"},
        {"FileDescription", "Vantorelle Setup"},
        {"FileVersion", "2.0"},
        {"ProductName", "Vantorelle"},
        {"ProductVersion", "2.0"},
        // The notice that starts the shortcuts' description.
        {"LegalCopyright", "Copyright (c) Vantorelle"},
        {"OriginalFilename", "Setup.exe"},
        {"InternalName", "Setup.exe"},
    };
    for (const auto &entry : expected) {
        char *text = nullptr;
        std::string key = std::string("\\StringFileInfo\\040904E4\\") + entry[0];
        EXPECT_TRUE(VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void **>(&text), &size) && text)
            << key;
        EXPECT_EQ(entry[1], std::string(text ? text : "")) << key;
    }
}

// The DLLs of the import table, read from the file's import directory.
std::vector<std::string> ImportedDlls(const std::string &image) {
    std::vector<std::string> dlls;
    auto at = [&](size_t offset) { return offset < image.size() ? image.data() + offset : nullptr; };
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(at(0));
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS32 *>(at(dos ? dos->e_lfanew : image.size()));
    if (!nt || nt->Signature != IMAGE_NT_SIGNATURE)
        return dlls;
    auto sections = IMAGE_FIRST_SECTION(nt);
    // A relative address as an offset into the file.
    auto offset = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; i++)
            if (rva >= sections[i].VirtualAddress &&
                rva < sections[i].VirtualAddress + sections[i].SizeOfRawData)
                return rva - sections[i].VirtualAddress + sections[i].PointerToRawData;
        return image.size();
    };
    DWORD directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    auto entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(at(offset(directory)));
    for (; entry && entry->Name; entry++)
        if (const char *name = at(offset(entry->Name)))
            dlls.push_back(CharLowerA(std::string(name).data()));
    return dlls;
}

// Only DLLs that Windows maps from its list of known DLLs, whatever lies
// beside the program; every other one is loaded at run time from the system
// folder by full path.
TEST_F(SetupImage, ImportsOnlyKnownDlls) {
    const std::vector<std::string> known = {"advapi32.dll", "gdi32.dll",   "kernel32.dll", "msvcrt.dll",
                                            "ole32.dll",    "shell32.dll", "user32.dll"};
    const std::vector<std::string> imported = ImportedDlls(readers::FileText(SetupPath()));
    ASSERT_FALSE(imported.empty()) << "no import directory read from " << SetupPath();
    for (const std::string &dll : imported)
        EXPECT_NE(known.end(), std::find(known.begin(), known.end(), dll)) << dll << " is not a known DLL";
}

// Each carried file only in the neutral language, its bytes as packed.
TEST_F(SetupImage, PayloadIsNeutralAndAsPacked) {
    const std::vector<readers::ManifestRow> rows = readers::Manifest();
    ASSERT_FALSE(rows.empty());
    for (const readers::ManifestRow &row : rows) {
        SCOPED_TRACE(row.id);
        std::vector<WORD> languages;
        EnumResourceLanguagesA(Module, MAKEINTRESOURCEA(RT_PAYLOAD), MAKEINTRESOURCEA(row.id), AddLanguage,
                               reinterpret_cast<LONG_PTR>(&languages));
        EXPECT_EQ(std::vector<WORD>{0}, languages);
        const Bytes packed = ReadWholeFile(PackedPayloadFile(row.id));
        ASSERT_FALSE(packed.empty());
        std::string stored = Resource(MAKEINTRESOURCEA(RT_PAYLOAD), MAKEINTRESOURCEA(row.id));
        EXPECT_TRUE(std::string(packed.begin(), packed.end()) == stored)
            << stored.size() << " bytes stored, " << packed.size() << " packed";
    }
}

} // namespace
