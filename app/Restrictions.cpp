#include "app/Restrictions.h"

namespace {

// Not in every SDK's headers for the systems the program starts on.
const DWORD SearchSystem32 = 0x00000800; // LOAD_LIBRARY_SEARCH_SYSTEM32

} // namespace

// Themes, drawing, window composition, version and device information, the
// user's profile, property stores, cryptography, compatibility, accessibility,
// COM class lookup and security descriptors: none of them mapped from the
// known list on every supported Windows. A name the system lacks is skipped.
const char *const TSystemDlls::Names[Count] = {
    "uxtheme.dll", "msimg32.dll", "dwmapi.dll",  "version.dll",   "setupapi.dll",
    "userenv.dll", "propsys.dll", "profapi.dll", "cryptbase.dll", "apphelp.dll",
    "oleacc.dll",  "clbcatq.dll", "ntmarta.dll",
};

void RestrictDllSearch() {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    typedef BOOL(WINAPI * TSetDefaultDllDirectories)(DWORD);
    auto setDefault = ProcAddress<TSetDefaultDllDirectories>(kernel, "SetDefaultDllDirectories");
    if (setDefault && setDefault(SearchSystem32))
        return;
    typedef BOOL(WINAPI * TSetDllDirectoryA)(LPCSTR);
    auto setDirectory = ProcAddress<TSetDllDirectoryA>(kernel, "SetDllDirectoryA");
    if (setDirectory)
        setDirectory("");
}

TSystemDlls::TSystemDlls() {
    for (int i = 0; i < Count; ++i)
        Modules[i].Reset(LoadSystemLibrary(Names[i]));
}

bool EnforceRedirectionTrust(TSetMitigationPolicy set) {
    PROCESS_MITIGATION_REDIRECTION_TRUST_POLICY policy = {};
    policy.EnforceRedirectionTrust = 1;
    return set && set(ProcessRedirectionTrustPolicy, &policy, sizeof policy);
}

void RestrictRedirection() {
    EnforceRedirectionTrust(
        ProcAddress<TSetMitigationPolicy>(GetModuleHandleA("kernel32.dll"), "SetProcessMitigationPolicy"));
}
