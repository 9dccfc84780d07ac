#include "install/SetupMessage.h"

#include <cstring>

namespace {

HWND DefaultOwner = nullptr;

// Copies at most 259 characters of the text and a terminator.
void CopyBounded(char (&to)[260], const std::string &text) {
    size_t length = text.size() < 259 ? text.size() : 259;
    std::memcpy(to, text.data(), length);
    to[length] = '\0';
}

} // namespace

void SetDefaultMessageOwner(HWND owner) {
    DefaultOwner = owner;
}

int ShowSetupMessage(const std::string &text, const std::string &caption, HWND owner) {
    if (!owner)
        owner = DefaultOwner;
    char textBuffer[260], captionBuffer[260];
    CopyBounded(textBuffer, text);
    CopyBounded(captionBuffer, caption);
    return MessageBoxExA(owner, textBuffer, captionBuffer, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL, 0x0409);
}
