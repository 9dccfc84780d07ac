#include "shell/DirectDraw.h"

#include "install/SetupMessage.h"
#include "win32/Com.h"
#include "win32/SystemLibrary.h"

HRESULT(WINAPI *SetupCoCreateInstance)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID *) = CoCreateInstance;

namespace {

const CLSID kClsidDirectDraw = {0xD7B70EE0, 0x4340, 0x11CF, {0xB0, 0x63, 0x00, 0x20, 0xAF, 0xC2, 0xCD, 0x35}};
const IID kIidDirectDraw2 = {0xB3A6F3E0, 0x2B43, 0x11CF, {0xA2, 0xDE, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};

const char kNote[] =
    "Note: It seems that there is no DirectDraw installed. If you feel some inconvenience playing "
    "back compositions, please, see section \"Performance/Improving performance\" in help system.";

} // namespace

int CheckDirectDraw(HWND owner) {
    HRESULT result;
    {
        TComScope com;
        if (!com.Initialized())
            return 1;
        // COM finds the DirectDraw object's DLL by the bare name that its
        // class registration gives; with the one of the system folder already
        // in memory, that name cannot lead to a file beside the program.
        TSystemLibrary ddraw("ddraw.dll");
        // Only the presence matters: the object is never initialised.
        TComPtr<IUnknown> directDraw;
        result = SetupCoCreateInstance(kClsidDirectDraw, nullptr,
                                       CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER,
                                       kIidDirectDraw2, directDraw.Out());
    }
    if (result == S_OK || result == E_OUTOFMEMORY)
        return 1;
    ShowSetupMessage(kNote, "", owner);
    return 0;
}
