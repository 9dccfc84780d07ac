#pragma once

#include <string>

#include <windows.h>

// The one message box of the setup: OK button, exclamation icon, task modal,
// over the owner or, without one, over the default owner.
int ShowSetupMessage(const std::string &text, const std::string &caption, HWND owner);

// The window that messages without an owner are shown over: the backdrop
// page registers itself when it is created, and null when it goes.
void SetDefaultMessageOwner(HWND owner);
