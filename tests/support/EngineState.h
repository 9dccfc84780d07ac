// What the install steps read from the engine's globals, set the same way by
// the unit tests and the benchmarks: the clock of the extraction's pacing
// and the install folder's buffer.
#pragma once

#include <string>

#include <windows.h>

#include "install/InstallState.h"

// A tick source for the extraction's pacing (SetupTickCount): each reading
// is 100 s after the last, so the extraction is always behind schedule and
// never waits.
inline DWORD WINAPI FarAheadClock() {
    static DWORD now = 0;
    return now += 100000;
}

// For a fixture of install steps that read InstallDirBuffer: SetInstallDir
// points it at a copy of a folder, as the install does while it runs; it is
// null again when the test ends.
class InstallDirSetter {
  protected:
    ~InstallDirSetter() { InstallDirBuffer = nullptr; }
    void SetInstallDir(const std::string &dir) {
        InstallDirCopy = dir;
        InstallDirBuffer = &InstallDirCopy[0];
    }

  private:
    std::string InstallDirCopy;
};
