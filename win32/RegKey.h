#pragma once

#include <windows.h>

// Holds an open registry key and closes it with RegCloseKey when it goes out
// of scope.
class TRegKey {
  public:
    explicit TRegKey(HKEY key = nullptr) : Key(key) {}
    ~TRegKey() { Reset(); }
    TRegKey(const TRegKey &) = delete;
    TRegKey &operator=(const TRegKey &) = delete;

    HKEY Get() const { return Key; }
    // Closes the key held so far and holds this one.
    void Reset(HKEY key = nullptr) {
        if (Key)
            RegCloseKey(Key);
        Key = key;
    }
    // Opens subKey of parent with the given access in place of the key held
    // so far; false, holding none, when it cannot be opened.
    bool Open(HKEY parent, const char *subKey, REGSAM access) {
        HKEY opened = nullptr;
        const bool done = RegOpenKeyExA(parent, subKey, 0, access, &opened) == ERROR_SUCCESS;
        Reset(done ? opened : nullptr);
        return done;
    }

  private:
    HKEY Key;
};
