#pragma once

// Answers the setup's message boxes during a unit test: a second thread looks
// for visible message boxes of this process, records the text of each one
// and presses its OK button, the way a user would.

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

#include "support/MessageBoxes.h"

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
        if (process == GetCurrentProcessId() && readers::IsMessageBox(window) && IsWindowVisible(window)) {
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
            {
                std::lock_guard<std::mutex> lock(Guard);
                Answered.push_back(readers::MessageBoxText(box));
            }
            readers::PressMessageBoxButton(box);
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
