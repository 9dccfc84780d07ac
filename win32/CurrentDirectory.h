#pragma once

#include <vector>

#include <windows.h>

// Saves the process's current directory and restores it when it goes out of
// scope, so that every way out of an operation puts it back. It keeps the
// directory as the system holds it (wide), so that a folder name that the
// ANSI code page cannot hold is never put back as another folder.
class TCurrentDirectoryKeeper {
  public:
    TCurrentDirectoryKeeper() {
        DWORD size = GetCurrentDirectoryW(0, nullptr);
        if (size == 0)
            return;
        Saved.resize(size + 1);
        DWORD got = GetCurrentDirectoryW(size + 1, Saved.data());
        if (got == 0 || got > size)
            Saved.clear();
    }
    ~TCurrentDirectoryKeeper() { Restore(); }
    TCurrentDirectoryKeeper(const TCurrentDirectoryKeeper &) = delete;
    TCurrentDirectoryKeeper &operator=(const TCurrentDirectoryKeeper &) = delete;

    bool Saving() const { return !Saved.empty(); }
    // Puts the saved directory back now and forgets it.
    void Restore() {
        if (!Saved.empty())
            SetCurrentDirectoryW(Saved.data());
        Saved.clear();
    }

  private:
    std::vector<wchar_t> Saved;
};
