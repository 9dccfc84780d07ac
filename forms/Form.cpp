#include "forms/Form.h"

#include "forms/Application.h"
#include "forms/FormData.h"
#include "forms/StdCtrls.h"

namespace {

const UINT CM_RELEASE = WM_APP + 100;

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window))
        reinterpret_cast<std::vector<HWND> *>(list)->push_back(window);
    return TRUE;
}

} // namespace

TForm::TForm(TForm *owner) : TWinControl(nullptr), OwnerPage(owner) {
    Owner = this;
    ParentColor = false;
    ParentFont = false;
    IsVisible = false;
}

TForm::~TForm() {
    if (Application)
        Application->RemoveForm(this);
    if (HWND window = Handle()) {
        // Only for a form deleted without Free. The children's windows go
        // with the form's window.
        DestroyWindow(window);
    }
    Components.clear();
}

bool TForm::LoadForm(const std::string &resourceName, const THandlerRow *handlers) {
    HandlerTable = handlers;
    return LoadFormData(*this, resourceName) && BindControls();
}

std::string TForm::NextFieldName(const char *&names) {
    while (*names == ',' || *names == ' ')
        ++names;
    const char *end = names;
    while (*end && *end != ',' && *end != ' ')
        ++end;
    std::string name(names, end);
    names = end;
    return name;
}

const THandlerRow *TForm::FindHandler(const std::string &name) const {
    for (const THandlerRow *row = HandlerTable; row && row->Name; ++row)
        if (name == row->Name)
            return row;
    return nullptr;
}

bool TForm::SetAttribute(const std::string &key, const std::string &value) {
    if (key == "windowstate") {
        State = value == "maximized" ? wsMaximized : wsNormal;
    } else if (key == "popup") {
        PopupOwned = true;
    } else if (key == "oncreate") {
        OnCreate = NotifyHandler(value);
    } else if (key == "onclose") {
        OnClose = CloseHandler(value);
    } else if (key == "onpaint") {
        OnPaint = NotifyHandler(value);
    } else if (key == "onactivate") {
        OnActivate = NotifyHandler(value);
    } else if (key == "onkeyup") {
        OnKeyUp = KeyHandler(value);
    } else if (key == "icon") {
        HasIcon = true;
    } else if (key == "scrollbars") {
        // Pages never scroll.
    } else {
        return TWinControl::SetAttribute(key, value);
    }
    return true;
}

// The error of a handler name that the page's table lacks in the shape asked.
static void RaiseMissingHandler(const std::string &name, const std::string &form) {
    Raise("Handler " + name + " not found in form " + form);
}

TNotifyEvent TForm::NotifyHandler(const std::string &name) {
    const THandlerRow *row = FindHandler(name);
    if (!row || !row->Notify) {
        RaiseMissingHandler(name, Name);
        return nullptr;
    }
    auto handler = row->Notify;
    return [this, handler](TObject *sender) { (this->*handler)(sender); };
}

TCloseEvent TForm::CloseHandler(const std::string &name) {
    const THandlerRow *row = FindHandler(name);
    if (!row || !row->Close) {
        RaiseMissingHandler(name, Name);
        return nullptr;
    }
    auto handler = row->Close;
    return [this, handler](TObject *sender, TCloseAction &action) { (this->*handler)(sender, action); };
}

TKeyEvent TForm::KeyHandler(const std::string &name) {
    const THandlerRow *row = FindHandler(name);
    if (!row || !row->Key) {
        RaiseMissingHandler(name, Name);
        return nullptr;
    }
    auto handler = row->Key;
    return [this, handler](TObject *sender, WORD &key, int shift) { (this->*handler)(sender, key, shift); };
}

TControl *TForm::FindControl(const char *name, const char *classTag) const {
    for (const auto &c : Components)
        if (c->Name == name && c->IsClass(classTag))
            return c.get();
    Raise(std::string("Control ") + name + " not found in form " + Name);
    return nullptr;
}

TControl *TForm::CreateCustomControl(const std::string &kind) {
    Raise("Unknown control kind " + kind + " in form " + Name);
    return nullptr;
}

void TForm::CreateParams(TCreateParams &params) {
    params.ClassName = ClassName.c_str();
    params.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    params.ExStyle = WS_EX_CONTROLPARENT;
    if (PopupOwned) {
        // Dialogs and result pages stay above the page that opened them,
        // even when that page was made topmost.
        HWND active = GetActiveWindow();
        DWORD process = 0;
        if (active)
            GetWindowThreadProcessId(active, &process);
        if (process == GetCurrentProcessId())
            params.Owner = active;
    }
    if (!StartEnabled)
        params.Style |= WS_DISABLED;
}

bool TForm::CreateWnd() {
    if (!TWinControl::CreateWnd())
        return false;
    // The system may make a new page smaller than asked, to the largest size
    // that it allows on the screen, and no message says so.
    RECT made;
    GetWindowRect(Handle(), &made);
    W = made.right - made.left;
    H = made.bottom - made.top;
    if (HasIcon && Application && Application->Icon()) {
        SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Application->Icon()));
        SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Application->Icon()));
    }
    return true;
}

bool TForm::AfterConstruction() {
    if (OnCreate) {
        OnCreate(this);
        if (Raised())
            return false;
    }
    return !IsVisible || Show();
}

bool TForm::Show() {
    if (!HandleNeeded())
        return false;
    IsVisible = true;
    ShowWindow(Handle(), State == wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    UpdateWindow(Handle());
    return true;
}

void TForm::Hide() {
    IsVisible = false;
    if (Handle())
        ShowWindow(Handle(), SW_HIDE);
}

bool TForm::Showing() const {
    return Handle() && IsWindowVisible(Handle());
}

void TForm::SetWindowState(TWindowState state) {
    State = state;
    if (Handle() && IsWindowVisible(Handle()))
        ShowWindow(Handle(), state == wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

void TForm::SetBounds(int left, int top, int width, int height) {
    if (Handle() && State == wsMaximized && IsZoomed(Handle())) {
        // A maximised window keeps its place, and the page reports that one;
        // the values apply when it is restored.
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        GetWindowPlacement(Handle(), &placement);
        placement.rcNormalPosition = {left, top, left + width, top + height};
        SetWindowPlacement(Handle(), &placement);
        return;
    }
    TWinControl::SetBounds(left, top, width, height);
}

TCanvas &TForm::Canvas() {
    HandleNeeded();
    if (!FormCanvas)
        FormCanvas.reset(new TControlCanvas(Handle()));
    return *FormCanvas;
}

void TForm::Close() {
    if (Modal) {
        ModalResult = mrCancel;
        CloseModal();
        return;
    }
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    if (action == caHide)
        Hide();
    else if (action == caFree)
        Release();
}

void TForm::CloseModal() {
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == caNone)
        ModalResult = mrNone;
    else
        ModalDone = true;
}

int TForm::ShowModal() {
    if (!HandleNeeded())
        return mrNone;
    // Every other window of the application waits while the form is shown.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    for (HWND window : disabled)
        if (window != Handle())
            EnableWindow(window, FALSE);

    ModalResult = mrNone;
    Modal = true;
    ModalDone = false;
    Show();
    MSG message;
    while (!ModalDone) {
        int got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // The application is ending: leave the quit for the outer loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0)
            break; // no message was read: the display ends as it stands

        Application->ProcessMessage(message);
        if (!ModalDone && ModalResult != mrNone)
            CloseModal();
    }
    for (HWND window : disabled)
        if (window != Handle() && IsWindow(window))
            EnableWindow(window, TRUE);
    Modal = false;
    Hide();
    return ModalResult;
}

void TForm::Release() {
    if (Handle())
        PostMessageA(Handle(), CM_RELEASE, 0, 0);
    else
        Free();
}

void TForm::Free() {
    if (HWND window = Handle())
        DestroyWindow(window);
    delete this;
}

void TForm::FocusFirstControl() {
    if (LastFocus && IsWindow(LastFocus) && IsChild(Handle(), LastFocus) && IsWindowEnabled(LastFocus) &&
        IsWindowVisible(LastFocus)) {
        ::SetFocus(LastFocus);
        return;
    }
    if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE))
        ::SetFocus(first);
}

void TForm::PaintWindow(HDC dc) {
    TWinControl::PaintWindow(dc);
    if (OnPaint)
        OnPaint(this);
}

bool TForm::MessageHook(UINT, WPARAM, LPARAM, LRESULT &) {
    return false;
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (MessageHook(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus))
                LastFocus = focus;
        } else {
            FocusFirstControl();
            if (OnActivate)
                OnActivate(this);
        }
        return 0;
    case DM_GETDEFID:
        // The default button, the one that Enter presses, if the page has one.
        for (const auto &c : Components) {
            if (!c->IsClass(&TButton::ClassTag))
                continue;
            auto *button = static_cast<TButton *>(c.get());
            if (button->Default && button->HandleAllocated())
                return MAKELRESULT(GetDlgCtrlID(button->Handle()), DC_HASDEFID);
        }
        return 0;
    case CM_RELEASE:
        Free();
        return 0;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}
