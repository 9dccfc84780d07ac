// The setup's message boxes as the tests find, read and answer them, the
// unit tests' watcher in the program's own process and the end-to-end driver
// from outside it alike: a message box is a dialog of the class "#32770",
// its text is the static control 0xFFFF and its buttons have the ids of
// their answers (IDOK ...).
#pragma once

#include <string>

#include <windows.h>

namespace readers {

constexpr char kMessageBoxClass[] = "#32770";

inline bool IsMessageBox(HWND window) {
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, kMessageBoxClass) == 0;
}

// The box's text; empty when it has none or its program does not answer
// within 5 s.
inline std::string MessageBoxText(HWND box) {
    char text[1024] = "";
    DWORD_PTR copied = 0;
    if (HWND item = GetDlgItem(box, 0xFFFF))
        SendMessageTimeoutA(item, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                            5000, &copied);
    return text;
}

// Presses the box's button with this id as a click would (a posted
// BM_CLICK); false when the box has no such button.
inline bool PressMessageBoxButton(HWND box, int id = IDOK) {
    HWND button = GetDlgItem(box, id);
    if (!button)
        return false;
    PostMessageA(button, BM_CLICK, 0, 0);
    return true;
}

} // namespace readers
