#pragma once

// Answers the setup's message boxes during a unit test: a second thread looks
// for visible "#32770" windows of this process, records the text of each one
// and presses its OK button (id 1), the way a user would.

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

class MessageBoxWatcher {
  public:
    MessageBoxWatcher() : Worker([this] { Run(); }) {}
    MessageBoxWatcher(const MessageBoxWatcher &) = delete;
    MessageBoxWatcher &operator=(const MessageBoxWatcher &) = delete;
    ~MessageBoxWatcher() {
        Stop = true;
        Worker.join();
    }

    // The texts of the boxes answered so far, in the order they appeared.
    std::vector<std::string> Texts() {
        std::lock_guard<std::mutex> lock(Guard);
        return Answered;
    }

  private:
    static BOOL CALLBACK FindBox(HWND window, LPARAM param) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char className[32] = "";
        GetClassNameA(window, className, sizeof className);
        if (process == GetCurrentProcessId() && lstrcmpA(className, "#32770") == 0 &&
            IsWindowVisible(window)) {
            *reinterpret_cast<HWND *>(param) = window;
            return FALSE;
        }
        return TRUE;
    }

    void Run() {
        while (!Stop) {
            HWND box = nullptr;
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
            if (!box) {
                Sleep(20);
                continue;
            }
            char text[1024] = "";
            GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
            {
                std::lock_guard<std::mutex> lock(Guard);
                Answered.push_back(text);
            }
            PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
            // Count each box once: wait until it has gone.
            for (int i = 0; i < 250 && IsWindow(box) && IsWindowVisible(box); ++i)
                Sleep(20);
        }
    }

    std::atomic<bool> Stop{false};
    std::mutex Guard;
    std::vector<std::string> Answered;
    std::thread Worker;
};
