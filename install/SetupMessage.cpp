#include "install/SetupMessage.h"

#include "install/InstallState.h"

namespace {

HWND DefaultOwner = nullptr;

} // namespace

void SetDefaultMessageOwner(HWND owner) {
    DefaultOwner = owner;
}

int ShowSetupMessage(const std::string &text, const std::string &caption, HWND owner) {
    if (!owner)
        owner = DefaultOwner;
    char textBuffer[PathBufferSize], captionBuffer[PathBufferSize];
    CopyBounded(textBuffer, text.data(), text.data() + text.size());
    CopyBounded(captionBuffer, caption.data(), caption.data() + caption.size());
    return MessageBoxExA(owner, textBuffer, captionBuffer, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL, 0x0409);
}
