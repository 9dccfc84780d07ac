#pragma once

#include <windows.h>
#include <objbase.h>

// The object creation used for the DirectDraw test. It points at
// CoCreateInstance; tests put their own function here to choose the result.
extern HRESULT(WINAPI *SetupCoCreateInstance)(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                                              LPVOID *object);

// Tests whether a DirectDraw object can be created (it is released at once,
// never used). Returns 1 when it could, when COM cannot be initialised, or
// when creation ran out of memory. Otherwise shows a note over owner that
// DirectDraw seems to be missing and returns 0.
int CheckDirectDraw(HWND owner);
