#include "forms/Application.h"

#include <algorithm>
#include <cctype>

#include "forms/Form.h"

TApplication *Application = nullptr;

namespace {

// The error raised and not shown yet; empty when there is none.
std::string RaisedError;

} // namespace

bool Raise(const std::string &text) {
    if (RaisedError.empty())
        RaisedError = text;
    return false;
}

bool Raised() {
    return !RaisedError.empty();
}

std::string TakeRaised() {
    std::string text;
    text.swap(RaisedError);
    return text;
}

TApplication::TApplication() {
    Application = this;
}

TApplication::~TApplication() {
    // Forms still alive, hidden ones included, go with the application;
    // the last made goes first.
    while (!Forms.empty()) {
        TForm *form = Forms.back();
        form->Free(); // removes itself from the list
    }
    for (auto &font : Fonts)
        DeleteObject(font.second);
    if (Application == this)
        Application = nullptr;
}

void TApplication::Initialize(HICON icon) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string name(path);
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.erase(dot);
    for (size_t i = 1; i < name.size(); i++)
        name[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
    AppTitle = name;
    AppIcon = icon;
}

void TApplication::AddForm(TForm *form) {
    Forms.push_back(form);
    if (!Main)
        Main = form;
}

void TApplication::RemoveForm(TForm *form) {
    Forms.erase(std::remove(Forms.begin(), Forms.end(), form), Forms.end());
    if (Main == form)
        Main = nullptr;
}

void TApplication::Run() {
    MSG message;
    while (!IsTerminated) {
        int got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0)
            break;
        ProcessMessage(message);
    }
    IsTerminated = true;
}

void TApplication::Terminate() {
    if (!IsTerminated)
        PostQuitMessage(0);
    IsTerminated = true;
}

void TApplication::ProcessMessage(MSG &message) {
    // Tab, the arrow keys, accelerators and the default button of the page
    // that has the keyboard.
    HWND active = GetActiveWindow();
    if (active && TWinControl::FromHandle(active) && IsDialogMessageA(active, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void TApplication::ShowException(const std::string &text) {
    std::string shown = text;
    if (!shown.empty() && shown.back() != '.')
        shown += '.';
    HWND owner = GetActiveWindow();
    MessageBoxA(owner, shown.c_str(), AppTitle.c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::ShowRaised() {
    if (Raised())
        ShowException(TakeRaised());
}

void ShowFatalError(const char *text) {
    // A fault while the error is shown (no memory for its text) ends the
    // program at once.
    static bool showing = false;
    if (!showing && Application) {
        showing = true;
        Application->ShowException(text);
    }
    ExitProcess(FatalErrorExitCode);
}

HFONT TApplication::FontHandle(const TFont &font) {
    std::string key = font.Name + "|" + std::to_string(font.Height) + "|" + std::to_string(font.Style);
    for (const auto &known : Fonts)
        if (known.first == key)
            return known.second;
    HFONT handle = font.Create();
    Fonts.emplace_back(key, handle);
    return handle;
}
