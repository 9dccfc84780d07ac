#include "shell/DirectDraw.h"

#include <string>
#include <vector>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include "MessageBoxWatcher.h"
#include "support/Readers.h"
#include "win32/KernelHandle.h"

namespace {

const char kNote[] =
    "Note: It seems that there is no DirectDraw installed. If you feel some inconvenience playing "
    "back compositions, please, see section \"Performance/Improving performance\" in help system.";

HRESULT WINAPI CreateOutOfMemory(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID *object) {
    *object = nullptr;
    return E_OUTOFMEMORY;
}

HRESULT WINAPI CreateNoInterface(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID *object) {
    *object = nullptr;
    return E_NOINTERFACE;
}

class DirectDrawTest : public ::testing::Test {
  protected:
    void TearDown() override { SetupCoCreateInstance = CoCreateInstance; }
};

// Ends the processes that the given process started. With ddraw.dll
// disabled, COM falls back to a local surrogate (dllhost.exe) that the
// program starts and that stays running after it has ended.
void EndChildrenOf(DWORD parent) {
    TKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ParentProcessID != parent)
            continue;
        TKernelHandle child(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
        if (child.Valid()) {
            TerminateProcess(child.Get(), 1);
            WaitForSingleObject(child.Get(), 10000);
        }
    }
}

// Runs a copy of this test program, limited to one test, with Wine's
// ddraw.dll disabled for that copy alone, and returns what it printed. Wine
// takes DLL overrides from its own environment or from the registry, never
// from a Windows environment block, so the copy gets a name of its own and a
// per-program override under Software\Wine\AppDefaults.
std::string RunChildWithoutDirectDraw(const std::string &test, DWORD *exitCode) {
    const char childName[] = "unit_DirectDraw_noddraw.exe";
    const std::string overrideKey = std::string("Software\\Wine\\AppDefaults\\") + childName;
    char exe[MAX_PATH] = "", tempDir[MAX_PATH] = "", outName[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    GetTempPathA(MAX_PATH, tempDir);
    GetTempFileNameA(tempDir, "ddr", 0, outName);
    const std::string child = std::string(tempDir) + childName;
    CopyFileA(exe, child.c_str(), FALSE);

    readers::SetAppDllOverride(childName, "ddraw", ""); // "" is "disabled"

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    TKernelHandle out(
        CreateFileA(outName, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out.Get();
    startup.hStdError = out.Get();
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + child + "\" --gtest_also_run_disabled_tests --gtest_filter=" + test;
    *exitCode = 0xFFFFFFFF;
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process)) {
        TKernelHandle thread(process.hThread), child(process.hProcess);
        WaitForSingleObject(child.Get(), 120000);
        GetExitCodeProcess(child.Get(), exitCode);
        EndChildrenOf(process.dwProcessId);
    }
    out.Close();
    readers::DeleteKeyTree(HKEY_CURRENT_USER, overrideKey);
    DeleteFileA(child.c_str());

    const std::string printed = readers::FileText(outName);
    DeleteFileA(outName);
    return printed;
}

} // namespace

TEST_F(DirectDrawTest, PresentUnderWineGivesNoNoteAndLeavesComAsItWas) {
    {
        MessageBoxWatcher watcher;
        EXPECT_EQ(1, CheckDirectDraw(nullptr));
        EXPECT_TRUE(watcher.Texts().empty()) << "expected no note, got: " << watcher.Texts()[0];
    }
    // COM was uninitialised again: this thread's first CoInitialize succeeds with S_OK.
    const HRESULT again = CoInitialize(nullptr);
    EXPECT_EQ(S_OK, again) << "COM was left initialised on this thread";
    if (SUCCEEDED(again))
        CoUninitialize();
}

TEST_F(DirectDrawTest, OutOfMemoryGivesNoNoteOtherFailuresGiveOneNote) {
    SetupCoCreateInstance = CreateOutOfMemory;
    {
        MessageBoxWatcher watcher;
        EXPECT_EQ(1, CheckDirectDraw(nullptr));
        EXPECT_TRUE(watcher.Texts().empty()) << "expected no note after E_OUTOFMEMORY";
    }
    SetupCoCreateInstance = CreateNoInterface;
    {
        MessageBoxWatcher watcher;
        EXPECT_EQ(0, CheckDirectDraw(nullptr));
        EXPECT_EQ(std::vector<std::string>{kNote}, watcher.Texts());
    }
}

// Started only as a child process by NoteOnceWhenWineDirectDrawIsDisabled.
TEST(DirectDrawChild, DISABLED_NoteWithoutDirectDraw) {
    MessageBoxWatcher watcher;
    EXPECT_EQ(0, CheckDirectDraw(nullptr));
    EXPECT_EQ(std::vector<std::string>{kNote}, watcher.Texts());
}

TEST(DirectDraw, NoteOnceWhenWineDirectDrawIsDisabled) {
    DWORD exitCode = 0;
    const std::string printed =
        RunChildWithoutDirectDraw("DirectDrawChild.DISABLED_NoteWithoutDirectDraw", &exitCode);
    EXPECT_EQ(0u, exitCode) << printed;
    EXPECT_NE(std::string::npos, printed.find("[  PASSED  ] 1 test.")) << printed;
}
