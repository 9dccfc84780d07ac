/* A DLL that the planting test puts beside a program under the names of
   system DLLs. Loaded as itself, it leaves a mark beside the folder it lies
   in, so that the test sees its code ran. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    char path[MAX_PATH + 16];
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH && GetModuleFileNameA(self, path, MAX_PATH)) {
        lstrcatA(path, ".ran");
        HANDLE mark = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (mark != INVALID_HANDLE_VALUE)
            CloseHandle(mark);
    }
    return TRUE;
}
