#pragma once

#include <windows.h>

#include "win32/SystemLibrary.h"

// Setup.exe runs elevated from wherever it was downloaded, and a folder of
// downloads may hold files named like the system's own DLLs. Before anything
// else runs, the program takes its folder out of the DLL search:
// RestrictDllSearch, then a TSystemDlls for the whole run. Then, before any
// file is touched, RestrictRedirection.

// Makes every later load by bare name search the system folder only. Where
// the system cannot (Vista and 7 without the update that brought
// SetDefaultDllDirectories), at least the current folder leaves the search.
void RestrictDllSearch();

// The system DLLs that Windows does not map from its list of known DLLs and
// that the program's windows, shell and COM calls load by bare name, loaded
// by full path, so that a later load by name finds the one in memory
// whatever the search order. Freed when the object goes out of scope, the
// last loaded first.
class TSystemDlls {
  public:
    static const int Count = 13;
    static const char *const Names[Count];

    TSystemDlls();

  private:
    TSystemLibrary Modules[Count];
};

// SetProcessMitigationPolicy's shape.
typedef BOOL(WINAPI *TSetMitigationPolicy)(PROCESS_MITIGATION_POLICY policy, PVOID buffer, SIZE_T length);

// Asks the system, through `set` (SetProcessMitigationPolicy, or null where
// the system lacks it), to refuse to follow for this process any junction or
// link that a non-administrator made. Windows before 11 22H2 refuses or lacks
// the policy, and then nothing changes. True when the system took it.
bool EnforceRedirectionTrust(TSetMitigationPolicy set);
// EnforceRedirectionTrust with kernel32's SetProcessMitigationPolicy, looked
// up at run time; its failure is ignored.
void RestrictRedirection();
