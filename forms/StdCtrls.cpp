#include "forms/StdCtrls.h"

#include <algorithm>

#include "forms/Application.h"

// ----------------------------------------------------------------- TButton

bool TButton::SetAttribute(const std::string &key, const std::string &value) {
    if (key == "default")
        Default = true;
    else
        return TWinControl::SetAttribute(key, value);
    return true;
}

void TButton::CreateParams(TCreateParams &params) {
    TWinControl::CreateParams(params);
    params.ClassName = "Button";
    params.Standard = true;
    params.Style |= WS_TABSTOP | (Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::CommandNotify(WORD code) {
    if (code == BN_CLICKED && OnClick)
        OnClick(this);
}

void TButton::Click() {
    if (HandleAllocated())
        SendMessageA(Handle(), BM_CLICK, 0, 0);
    else if (OnClick)
        OnClick(this);
}

// --------------------------------------------------------------- TCheckBox

bool TCheckBox::SetAttribute(const std::string &key, const std::string &value) {
    if (key == "checked")
        StartChecked = value.empty() || value == "true";
    else
        return TWinControl::SetAttribute(key, value);
    return true;
}

void TCheckBox::CreateParams(TCreateParams &params) {
    TWinControl::CreateParams(params);
    params.ClassName = "Button";
    params.Standard = true;
    params.Style |= WS_TABSTOP | BS_AUTOCHECKBOX;
}

bool TCheckBox::CreateWnd() {
    if (!TWinControl::CreateWnd())
        return false;
    SendMessageA(Handle(), BM_SETCHECK, StartChecked ? BST_CHECKED : BST_UNCHECKED, 0);
    return true;
}

bool TCheckBox::Checked() const {
    if (!HandleAllocated())
        return StartChecked;
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
    StartChecked = checked;
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::CommandNotify(WORD code) {
    if (code == BN_CLICKED && OnClick)
        OnClick(this);
}

// ------------------------------------------------------------------- TEdit

TEdit::TEdit(TForm *owner) : TWinControl(owner) {
    Color = clWindow;
    ParentColor = false;
}

bool TEdit::SetAttribute(const std::string &key, const std::string &value) {
    if (key == "readonly")
        IsReadOnly = true;
    else if (key == "enabled")
        StartEnabled = value == "true";
    else
        return TWinControl::SetAttribute(key, value);
    return true;
}

void TEdit::CreateParams(TCreateParams &params) {
    TWinControl::CreateParams(params);
    params.ClassName = "Edit";
    params.Standard = true;
    params.Style |= WS_TABSTOP | ES_AUTOHSCROLL | (IsReadOnly ? ES_READONLY : 0);
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

// --------------------------------------------------------------- TGroupBox

void TGroupBox::CreateParams(TCreateParams &params) {
    TWinControl::CreateParams(params);
    params.ClassName = "TGroupBox";
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TGroupBox::PaintWindow(HDC dc) {
    FillBackground(dc);
    TCanvas canvas(dc);
    canvas.Font = EffectiveFont();
    canvas.BrushColor = EffectiveColor();
    // The frame runs through the middle of the caption's line.
    RECT frame;
    GetClientRect(Handle(), &frame);
    frame.top += canvas.TextHeight() / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    canvas.TextOut(8, 0, Text);
    PaintGraphicChildren(dc);
}

// ------------------------------------------------------------------ TPanel

bool TPanel::SetAttribute(const std::string &key, const std::string &value) {
    if (key == "bevel")
        Bevel = value != "none";
    else
        return TWinControl::SetAttribute(key, value);
    return true;
}

void TPanel::CreateParams(TCreateParams &params) {
    TWinControl::CreateParams(params);
    params.ClassName = "TPanel";
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TPanel::PaintWindow(HDC dc) {
    FillBackground(dc);
    RECT rect;
    GetClientRect(Handle(), &rect);
    if (Bevel)
        DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
    TCanvas canvas(dc);
    canvas.Font = EffectiveFont();
    canvas.TextRect(rect, Text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    PaintGraphicChildren(dc);
}

// -------------------------------------------------------------- TScrollBox

bool TScrollBox::SetAttribute(const std::string &key, const std::string &value) {
    if (key == "hscroll")
        return value == "false"; // only vertical scrolling exists
    return TWinControl::SetAttribute(key, value);
}

void TScrollBox::CreateParams(TCreateParams &params) {
    TWinControl::CreateParams(params);
    params.ClassName = "TScrollBox";
    params.Style |= WS_VSCROLL | WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT;
}

bool TScrollBox::Loaded() {
    UpdateScrollBar();
    return true;
}

int TScrollBox::Range() const {
    int bottom = 0;
    for (TControl *child : Controls)
        if (child->Visible())
            bottom = std::max(bottom, child->Top() + child->Height());
    return bottom;
}

void TScrollBox::UpdateScrollBar() {
    if (!HandleAllocated())
        return;
    RECT client;
    GetClientRect(Handle(), &client);
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, Range() - 1);
    info.nPage = client.bottom;
    info.nPos = Position;
    SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

void TScrollBox::SetVertPosition(int position) {
    if (!HandleNeeded())
        return;
    RECT client;
    GetClientRect(Handle(), &client);
    int limit = std::max(0, Range() - static_cast<int>(client.bottom));
    position = std::max(0, std::min(position, limit));
    if (position == Position)
        return;
    Position = position;
    for (TControl *child : Controls)
        if (child->IsWindowed())
            child->SetBounds(child->Left(), child->Top(), child->Width(), child->Height());
    UpdateScrollBar();
    InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT TScrollBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_VSCROLL: {
        RECT client;
        GetClientRect(Handle(), &client);
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(Handle(), SB_VERT, &info);
        switch (LOWORD(wParam)) {
        case SB_LINEUP:
            SetVertPosition(Position - 13);
            break;
        case SB_LINEDOWN:
            SetVertPosition(Position + 13);
            break;
        case SB_PAGEUP:
            SetVertPosition(Position - client.bottom);
            break;
        case SB_PAGEDOWN:
            SetVertPosition(Position + client.bottom);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            SetVertPosition(info.nTrackPos);
            break;
        case SB_TOP:
            SetVertPosition(0);
            break;
        case SB_BOTTOM:
            SetVertPosition(Range());
            break;
        }
        return 0;
    }
    case WM_MOUSEWHEEL:
        SetVertPosition(Position - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 39);
        return 0;
    case WM_SIZE:
        UpdateScrollBar();
        break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}
