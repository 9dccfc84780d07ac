// Prints the size of Setup.exe (whole, and without the packed payload) and
// the time from process start to a visible title page, against a minimal
// Win32 window program started the same way. Each program runs several times
// on a screen of its own; the medians are compared.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

struct TFindWindow {
    DWORD Process;
    HWND Found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM data) {
    auto *find = reinterpret_cast<TFindWindow *>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[32] = "";
    GetClassNameA(window, name, sizeof(name));
    // IsWindowVisible does not answer for windows of another desktop; the
    // style bit does.
    bool visible = (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
    if (process == find->Process && visible && lstrcmpA(name, "TForm1") == 0) {
        find->Found = window;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds from CreateProcess to a visible "TForm1" window, or -1.
double TimeToWindow(const std::string &exe, const char *desktop) {
    HDESK handle = OpenDesktopA(desktop, 0, FALSE, GENERIC_ALL);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.lpDesktop = const_cast<char *>(desktop);
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + exe + "\"";
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    double elapsed = -1;
    for (;;) {
        TFindWindow find = {process.dwProcessId, nullptr};
        HDESK current = handle ? handle : OpenDesktopA(desktop, 0, FALSE, GENERIC_ALL);
        if (current) {
            EnumDesktopWindows(current, FindVisible, reinterpret_cast<LPARAM>(&find));
            if (!handle)
                handle = current;
        }
        QueryPerformanceCounter(&now);
        double ms = 1000.0 * (now.QuadPart - start.QuadPart) / frequency.QuadPart;
        if (find.Found) {
            elapsed = ms;
            PostMessageA(find.Found, WM_CLOSE, 0, 0);
            break;
        }
        if (ms > 30000)
            break;
        Sleep(1);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    if (handle)
        CloseDesktop(handle);
    return elapsed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

BOOL CALLBACK AddResourceSize(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR total) {
    HRSRC resource = FindResourceA(module, name, type);
    if (resource)
        *reinterpret_cast<DWORD *>(total) += SizeofResource(module, resource);
    return TRUE;
}

} // namespace

int main() {
    std::string setup = WindowsPath(SETUP_EXE);
    std::string minimal = WindowsPath(MINIMAL_EXE);

    WIN32_FILE_ATTRIBUTE_DATA info;
    DWORD size = GetFileAttributesExA(setup.c_str(), GetFileExInfoStandard, &info) ? info.nFileSizeLow : 0;
    DWORD payload = 0;
    if (HMODULE module = LoadLibraryExA(setup.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        EnumResourceNamesA(module, MAKEINTRESOURCEA(257), AddResourceSize,
                           reinterpret_cast<LONG_PTR>(&payload));
        FreeLibrary(module);
    }
    std::printf("Setup.exe size:                 %lu bytes\n", static_cast<unsigned long>(size));
    std::printf("packed payload (type 257):      %lu bytes\n", static_cast<unsigned long>(payload));
    std::printf("Setup.exe without the payload:  %lu bytes\n", static_cast<unsigned long>(size - payload));

    const int runs = 7;
    std::vector<double> setupTimes, minimalTimes;
    for (int i = 0; i < runs; i++) {
        // Alternate the two so that both meet the same machine state.
        minimalTimes.push_back(TimeToWindow(minimal, "Setup1024"));
        setupTimes.push_back(TimeToWindow(setup, "Setup1024"));
    }
    double s = Median(setupTimes), m = Median(minimalTimes);
    std::printf("start to visible title page:    %.1f ms (median of %d)\n", s, runs);
    std::printf("start to visible minimal window: %.1f ms (median of %d)\n", m, runs);
    if (s > 0 && m > 0)
        std::printf("ratio:                          %.2f x\n", s / m);
    return 0;
}
