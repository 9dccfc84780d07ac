#include "driver/Driver.h"

#include <tlhelp32.h>

#include "win32/Gdi.h"
#include "win32/KernelHandle.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <thread>

namespace e2e {
namespace {

// When the process was made, in the system's 100-ns units; 0 when unknown.
ULONGLONG CreationTime(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    return ULONGLONG(created.dwHighDateTime) << 32 | created.dwLowDateTime;
}

constexpr DWORD kPollMs = 20;
// Longest a cross-process message may take before the target counts as hung.
constexpr UINT kSendTimeoutMs = 5000;

std::string Upper(std::string s) {
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string NameOf(const std::string &entry) {
    // Entries such as "=C:=C:\x" start with '=': the name runs to the second '='.
    size_t eq = entry.find('=', 1);
    return Upper(entry.substr(0, eq));
}

// This process's environment with the extra "NAME=value" entries put in,
// as a block of zero-terminated strings ended by an empty one.
std::vector<char> EnvironmentBlock(const std::vector<std::string> &extra) {
    std::vector<std::string> entries;
    if (char *env = GetEnvironmentStringsA()) {
        for (const char *p = env; *p != '\0'; p += std::strlen(p) + 1)
            entries.emplace_back(p);
        FreeEnvironmentStringsA(env);
    }
    for (const std::string &add : extra) {
        bool replaced = false;
        for (std::string &e : entries) {
            if (NameOf(e) == NameOf(add)) {
                e = add;
                replaced = true;
            }
        }
        if (!replaced)
            entries.push_back(add);
    }
    std::vector<char> block;
    for (const std::string &e : entries) {
        block.insert(block.end(), e.begin(), e.end());
        block.push_back('\0');
    }
    block.push_back('\0');
    return block;
}

struct EnumState {
    DWORD pid;
    const char *className;
    const char *caption;
    bool visibleOnly;
    std::vector<HWND> found;
};

bool Matches(HWND hwnd, const char *className, const char *text) {
    if (className != nullptr && ClassOf(hwnd) != className)
        return false;
    return text == nullptr || GetText(hwnd) == text;
}

BOOL CALLBACK CollectTopWindow(HWND hwnd, LPARAM param) {
    auto *state = reinterpret_cast<EnumState *>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != state->pid)
        return TRUE;
    if (state->visibleOnly && !IsVisible(hwnd))
        return TRUE;
    if (Matches(hwnd, state->className, state->caption))
        state->found.push_back(hwnd);
    return TRUE;
}

struct ChildSearch {
    const char *className;
    const char *text;
    HWND found;
};

BOOL CALLBACK FindChildProc(HWND hwnd, LPARAM param) {
    auto *search = reinterpret_cast<ChildSearch *>(param);
    if (!Matches(hwnd, search->className, search->text))
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

// Every Wine desktop of a given size is an X window of the same screen, and
// the one shown last lies on top. A desktop partly covered by another one
// shows black there (the X server keeps no hidden contents), both in
// captures and to a person. So a program is only started once every other
// desktop is gone; Wine closes a desktop about a second after its last
// program has ended.
BOOL CALLBACK CollectDesktop(LPSTR name, LPARAM param) {
    reinterpret_cast<std::vector<std::string> *>(param)->push_back(Upper(name));
    return TRUE;
}

bool OtherDesktopsOpen(const std::string &mine) {
    std::vector<std::string> names;
    EnumDesktopsA(GetProcessWindowStation(), CollectDesktop, reinterpret_cast<LPARAM>(&names));
    for (const std::string &name : names) {
        if (name != "DEFAULT" && name != Upper(mine))
            return true;
    }
    return false;
}

void PutBigEndian(std::vector<unsigned char> &out, uint32_t v) {
    out.push_back(static_cast<unsigned char>(v >> 24));
    out.push_back(static_cast<unsigned char>(v >> 16));
    out.push_back(static_cast<unsigned char>(v >> 8));
    out.push_back(static_cast<unsigned char>(v));
}

void PutChunk(std::vector<unsigned char> &out, const char *type, const unsigned char *data, size_t size) {
    PutBigEndian(out, static_cast<uint32_t>(size));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data, data + size);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, out.data() + start, static_cast<uInt>(out.size() - start));
    PutBigEndian(out, static_cast<uint32_t>(crc));
}

} // namespace

bool MakeFolders(const std::string &windowsPath) {
    for (size_t pos = windowsPath.find('\\', 3); pos != std::string::npos;
         pos = windowsPath.find('\\', pos + 1))
        CreateDirectoryA(windowsPath.substr(0, pos).c_str(), nullptr);
    CreateDirectoryA(windowsPath.c_str(), nullptr);
    DWORD attributes = GetFileAttributesA(windowsPath.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

uint32_t Picture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return 0xFFFFFFFF;
    return pixels[static_cast<size_t>(y) * width + x];
}

bool WritePng(const Picture &picture, const std::string &windowsPath) {
    if (picture.Empty())
        return false;
    // Each row: filter type 0, then R G B bytes.
    std::vector<unsigned char> raw;
    raw.reserve(static_cast<size_t>(picture.height) * (1 + picture.width * 3));
    for (int y = 0; y < picture.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < picture.width; ++x) {
            uint32_t rgb = picture.pixels[static_cast<size_t>(y) * picture.width + x];
            raw.push_back(static_cast<unsigned char>(rgb >> 16));
            raw.push_back(static_cast<unsigned char>(rgb >> 8));
            raw.push_back(static_cast<unsigned char>(rgb));
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK)
        return false;

    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    PutBigEndian(header, static_cast<uint32_t>(picture.width));
    PutBigEndian(header, static_cast<uint32_t>(picture.height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8 bits, RGB, deflate, no filter set, no interlace
    PutChunk(png, "IHDR", header.data(), header.size());
    PutChunk(png, "IDAT", packed.data(), packedSize);
    PutChunk(png, "IEND", nullptr, 0);

    TKernelHandle file(CreateFileA(windowsPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return false;
    DWORD written = 0;
    return WriteFile(file.Get(), png.data(), static_cast<DWORD>(png.size()), &written, nullptr) &&
           written == png.size();
}

std::string RgbText(uint32_t rgb) {
    char text[32];
    std::snprintf(text, sizeof text, "(%u, %u, %u)", static_cast<unsigned>((rgb >> 16) & 0xFF),
                  static_cast<unsigned>((rgb >> 8) & 0xFF), static_cast<unsigned>(rgb & 0xFF));
    return text;
}

std::string RectText(const RECT &r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ") " +
           std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top);
}

SetupProcess::~SetupProcess() {
    Kill();
    Close();
    if (desk_ != nullptr)
        CloseDesktop(desk_);
}

void SetupProcess::Close() {
    if (info_.hThread != nullptr)
        CloseHandle(info_.hThread);
    if (info_.hProcess != nullptr)
        CloseHandle(info_.hProcess);
    info_ = PROCESS_INFORMATION{};
}

bool SetupProcess::StartProgram(const std::string &exe, const std::string &desktop,
                                const std::vector<std::string> &extraEnv) {
    Kill();
    Close();
    if (desk_ != nullptr) {
        CloseDesktop(desk_);
        desk_ = nullptr;
    }
    desktop_ = desktop;

    // Standard handles go to NUL so that neither the program nor the Wine
    // processes it may start ever hold the test runner's pipes open.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    TKernelHandle nul(CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  &inherit, OPEN_EXISTING, 0, nullptr));
    if (!nul.Valid()) {
        error_ = "cannot open NUL";
        return false;
    }
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.lpDesktop = const_cast<char *>(desktop_.c_str());
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = si.hStdOutput = si.hStdError = nul.Get();

    WaitFor([this] { return !OtherDesktopsOpen(desktop_); }, 5000);

    std::string commandLine = "\"" + exe + "\"";
    std::vector<char> env = EnvironmentBlock(extraEnv);
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, env.data(), nullptr, &si,
                        &info_)) {
        error_ = "CreateProcess of " + exe + " failed with error " + std::to_string(GetLastError());
        info_ = PROCESS_INFORMATION{};
        return false;
    }
    // The desktop exists once the new process has attached to it.
    bool opened = WaitFor(
        [this] {
            desk_ = OpenDesktopA(desktop_.c_str(), 0, FALSE, GENERIC_ALL);
            return desk_ != nullptr;
        },
        kWaitMs);
    if (!opened) {
        error_ = "desktop " + desktop_ + " did not appear";
        return false;
    }
    error_.clear();
    return true;
}

std::vector<HWND> SetupProcess::AllWindows(const char *className) const {
    EnumState state{info_.dwProcessId, className, nullptr, false, {}};
    if (desk_ != nullptr && info_.hProcess != nullptr)
        EnumDesktopWindows(desk_, CollectTopWindow, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

HWND SetupProcess::FindPage(const char *className, const char *caption) const {
    EnumState state{info_.dwProcessId, className, caption, true, {}};
    if (desk_ != nullptr && info_.hProcess != nullptr)
        EnumDesktopWindows(desk_, CollectTopWindow, reinterpret_cast<LPARAM>(&state));
    return state.found.empty() ? nullptr : state.found.front();
}

HWND SetupProcess::WaitWindow(const char *className, const char *caption, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindPage(className, caption)) != nullptr || !Running(); }, timeoutMs);
    if (found == nullptr) {
        error_ = std::string("no visible window of class ") + (className ? className : "(any)") +
                 (caption ? std::string(" with caption \"") + caption + "\"" : std::string()) +
                 (Running() ? " within " + std::to_string(timeoutMs) + " ms" : ": the program has ended");
    }
    return found;
}

bool SetupProcess::WaitHidden(HWND hwnd, DWORD timeoutMs) {
    if (WaitFor([hwnd] { return !IsWindow(hwnd) || !IsVisible(hwnd); }, timeoutMs))
        return true;
    error_ = "the window of class " + ClassOf(hwnd) + " is still visible";
    return false;
}

bool SetupProcess::WaitDestroyed(HWND hwnd, DWORD timeoutMs) {
    if (WaitFor([hwnd] { return !IsWindow(hwnd); }, timeoutMs))
        return true;
    error_ = "the window of class " + ClassOf(hwnd) + " still exists";
    return false;
}

bool SetupProcess::WaitIdle(DWORD timeoutMs) {
    if (info_.hProcess != nullptr && WaitForInputIdle(info_.hProcess, timeoutMs) == 0)
        return true;
    error_ = "the program did not become idle within " + std::to_string(timeoutMs) + " ms";
    return false;
}

MessageBoxInfo SetupProcess::WaitMessageBox(DWORD timeoutMs) {
    MessageBoxInfo box;
    box.hwnd = WaitWindow(kMessageBoxClass, nullptr, timeoutMs);
    if (box.hwnd != nullptr)
        box.text = readers::MessageBoxText(box.hwnd);
    return box;
}

bool SetupProcess::AnswerMessageBox(HWND box, int id) {
    if (!readers::PressMessageBoxButton(box, id)) {
        error_ = "the message box has no button " + std::to_string(id);
        return false;
    }
    return WaitHidden(box);
}

HWND SetupProcess::Focus() const {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (info_.dwThreadId == 0 || !GetGUIThreadInfo(info_.dwThreadId, &gui))
        return nullptr;
    return gui.hwndFocus;
}

bool SetupProcess::OnDesktop(const std::function<void()> &fn) const {
    if (desk_ == nullptr)
        return false;
    bool attached = false;
    std::thread worker([&] {
        // A fresh thread owns no window yet, so it may change its desktop.
        // Wine closes a thread's desktop handle when the thread ends, so the
        // thread gets a handle of its own.
        HDESK desk = OpenDesktopA(desktop_.c_str(), 0, FALSE, GENERIC_ALL);
        attached = desk != nullptr && SetThreadDesktop(desk) != FALSE;
        if (attached)
            fn();
        else if (desk != nullptr)
            CloseDesktop(desk);
    });
    worker.join();
    return attached;
}

bool SetupProcess::Activate(HWND hwnd) {
    bool accepted = false;
    bool attached = OnDesktop([&] { accepted = SetForegroundWindow(hwnd) != FALSE; });
    if (!attached) {
        error_ = "cannot attach to desktop " + desktop_;
        return false;
    }
    if (!accepted) {
        error_ = "the window of class " + ClassOf(hwnd) + " could not be made the foreground window";
        return false;
    }
    // The activation reaches the program as a message; once a message sent
    // after it has come back, the program has handled it (and may already
    // have activated another window in turn).
    Send(hwnd, WM_NULL);
    return true;
}

bool SetupProcess::Running() const {
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD SetupProcess::WaitExit(DWORD timeoutMs) {
    if (info_.hProcess == nullptr) {
        error_ = "no process was started";
        return kStillRunning;
    }
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        error_ = "the program is still running after " + std::to_string(timeoutMs) + " ms";
        return kStillRunning;
    }
    DWORD code = kStillRunning;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void SetupProcess::Kill() {
    if (Running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    // Helpers that the program left behind (a COM server started for it, say)
    // would otherwise outlive the test and hold the test runner's output.
    if (info_.dwProcessId == 0)
        return;
    TKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.Valid())
        return;
    // Wine soon gives an ended process's id to a new one: a process that
    // names this id as its parent but is older than the program (Wine's
    // services, started by a wineboot of that id) is not the program's.
    const ULONGLONG started = CreationTime(info_.hProcess);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ParentProcessID != info_.dwProcessId)
            continue;
        TKernelHandle child(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE,
                                        entry.th32ProcessID));
        if (child.Valid() && started && CreationTime(child.Get()) >= started) {
            TerminateProcess(child.Get(), 1);
            WaitForSingleObject(child.Get(), 5000);
        }
    }
}

// Under Wine a read of the whole screen now and then comes back black for a
// moment (seen on Wine 10 more often than on Wine 8), from a fresh thread as
// from one that read it a moment before. The pages cover the desktop with
// colour, so a read without one lit pixel is no picture of them: it is taken
// again, every 200 ms for up to three seconds.
Picture SetupProcess::Capture() const {
    Picture picture;
    for (int attempt = 0; attempt < 15; ++attempt) {
        if (attempt > 0)
            Sleep(200);
        picture = CaptureOnce();
        if (std::any_of(picture.pixels.begin(), picture.pixels.end(),
                        [](uint32_t pixel) { return pixel != 0; }))
            break;
    }
    return picture;
}

Picture SetupProcess::CaptureOnce() const {
    Picture picture;
    OnDesktop([&picture] {
        TWindowDC screen(nullptr);
        if (screen.Get() == nullptr)
            return;
        int width = GetDeviceCaps(screen.Get(), HORZRES);
        int height = GetDeviceCaps(screen.Get(), VERTRES);
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
        bmi.bmiHeader.biWidth = width;
        bmi.bmiHeader.biHeight = -height; // top-down rows
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void *bits = nullptr;
        TGdiObject bitmap(CreateDIBSection(screen.Get(), &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
        TMemoryDC memory(screen.Get());
        if (bitmap.Get() != nullptr && memory.Get() != nullptr) {
            TSelectObject select(memory.Get(), bitmap.Get());
            if (BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY | CAPTUREBLT)) {
                GdiFlush();
                const auto *src = static_cast<const uint32_t *>(bits);
                picture.width = width;
                picture.height = height;
                picture.pixels.resize(static_cast<size_t>(width) * height);
                for (size_t i = 0; i < picture.pixels.size(); ++i)
                    picture.pixels[i] = src[i] & 0x00FFFFFF; // BGRA in memory is 0x00RRGGBB as a word
            }
        }
    });
    return picture;
}

bool SetupProcess::Screenshot(const std::string &pngPath) const {
    return WritePng(Capture(), pngPath);
}

uint32_t SetupProcess::ClientPixel(HWND hwnd, int x, int y) const {
    POINT origin{0, 0};
    if (!ClientToScreen(hwnd, &origin))
        return 0xFFFFFFFF;
    return Capture().At(origin.x + x, origin.y + y);
}

bool SetupProcess::DesktopCaps(int *width, int *height, int *bitsPerPixel) const {
    bool read = false;
    OnDesktop([&] {
        TWindowDC screen(nullptr);
        if (screen.Get() == nullptr)
            return;
        *width = GetDeviceCaps(screen.Get(), HORZRES);
        *height = GetDeviceCaps(screen.Get(), VERTRES);
        *bitsPerPixel = GetDeviceCaps(screen.Get(), BITSPIXEL);
        read = true;
    });
    return read;
}

bool WaitFor(const std::function<bool()> &cond, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (cond())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(kPollMs);
    }
}

HWND FindChild(HWND parent, const char *className, const char *text) {
    ChildSearch search{className, text, nullptr};
    EnumChildWindows(parent, FindChildProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ClassOf(HWND hwnd) {
    char name[256] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

DWORD_PTR Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    return result;
}

bool Answers(HWND hwnd) {
    const RECT rect = WindowRect(hwnd);
    const LPARAM middle = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    DWORD_PTR where = HTNOWHERE;
    return SendMessageTimeoutA(hwnd, WM_NCHITTEST, 0, middle, SMTO_ABORTIFHUNG, kSendTimeoutMs, &where) !=
               0 &&
           where != HTNOWHERE;
}

bool PostedHandled(HWND button, DWORD timeoutMs) {
    if (!PostMessageA(button, BM_SETSTATE, TRUE, 0))
        return false;
    bool handled = false;
    WaitFor(
        [&] {
            handled = (Send(button, BM_GETSTATE) & BST_PUSHED) != 0;
            return handled || !IsWindow(button);
        },
        timeoutMs);
    Send(button, BM_SETSTATE, FALSE);
    return handled;
}

void Click(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

void SetChecked(HWND box, bool checked) {
    // Clicked like a person would, so the program sees the change as a click.
    if (IsChecked(box) == checked)
        return;
    Click(box);
    WaitFor([&] { return IsChecked(box) == checked; }, kSendTimeoutMs);
}

bool IsChecked(HWND box) {
    return Send(box, BM_GETCHECK) == BST_CHECKED;
}

std::string GetText(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length))
        return std::string();
    std::vector<char> text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied))
        return std::string();
    return std::string(text.data(), std::min<size_t>(copied, length));
}

void SetText(HWND hwnd, const std::string &text) {
    Send(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

RECT WindowRect(HWND hwnd) {
    RECT rect{0, 0, 0, 0};
    GetWindowRect(hwnd, &rect);
    return rect;
}

RECT ChildRect(HWND hwnd) {
    RECT rect = WindowRect(hwnd);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

bool IsVisible(HWND hwnd) {
    // IsWindowVisible would do, but Wine answers it only for windows of the
    // caller's own desktop, so the chain of parents is checked here.
    for (HWND h = hwnd; h != nullptr; h = GetParent(h)) {
        LONG style = GetWindowLongA(h, GWL_STYLE);
        if (!(style & WS_VISIBLE))
            return false;
        if (!(style & WS_CHILD))
            return IsWindow(hwnd) != FALSE;
    }
    return false;
}

bool IsEnabled(HWND hwnd) {
    return IsWindowEnabled(hwnd) != FALSE;
}

bool IsTopmost(HWND hwnd) {
    return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool IsAbove(HWND upper, HWND lower) {
    for (HWND h = GetWindow(upper, GW_HWNDNEXT); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h == lower)
            return true;
    }
    return false;
}

void CloseBox(HWND hwnd) {
    PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void SendKey(HWND hwnd, UINT vk) {
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, 0 /* MAPVK_VK_TO_VSC */)) << 16;
    PostMessageA(hwnd, WM_KEYDOWN, vk, scan | 1);
    PostMessageA(hwnd, WM_KEYUP, vk, scan | 1 | static_cast<LPARAM>(0xC0000000u));
}

} // namespace e2e
