#include "forms/Control.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "forms/Accessible.h"
#include "forms/Application.h"
#include "forms/Errors.h"
#include "forms/Form.h"

namespace {

const char ControlProperty[] = "TWinControl";
int NextControlId = 100;

bool ParseBool(const std::string &value) {
    return value.empty() || value == "true" || value == "1";
}

// A whole decimal number in the int range; anything else raises a bad value
// of the form data (the loader names the line) and leaves `number` as it is.
bool ParseInt(const std::string &value, int &number) {
    char *end = nullptr;
    errno = 0;
    long parsed = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX)
        return Raise("bad value");
    number = static_cast<int>(parsed);
    return true;
}

} // namespace

// ---------------------------------------------------------------- TControl

TControl::~TControl() {
    SetParent(nullptr);
}

void TControl::SetParent(TWinControl *parent) {
    if (parent == ParentControl)
        return;
    if (ParentControl) {
        Invalidate();
        auto &list = ParentControl->Controls;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    ParentControl = parent;
    if (parent) {
        parent->Controls.push_back(this);
        Invalidate();
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    Invalidate();
    L = left;
    T = top;
    W = width;
    H = height;
    Invalidate();
}

void TControl::SetCaption(const std::string &text) {
    Text = text;
    Invalidate();
}

void TControl::SetVisible(bool visible) {
    if (visible == IsVisible)
        return;
    IsVisible = visible;
    TControl::Invalidate();
}

TColor TControl::EffectiveColor() const {
    if (ParentColor && ParentControl)
        return ParentControl->EffectiveColor();
    return Color;
}

TFont TControl::EffectiveFont() const {
    if (ParentFont && ParentControl)
        return ParentControl->EffectiveFont();
    return Font;
}

void TControl::SetColor(TColor color) {
    Color = color;
    ParentColor = false;
    Invalidate();
}

bool TControl::SetAttribute(const std::string &key, const std::string &value) {
    if (key == "tab") {
        return ParseInt(value, TabOrder);
    } else if (key == "color") {
        if (!ParseColor(value, Color))
            return false;
        ParentColor = false;
    } else if (key == "font") {
        Font = EffectiveFont();
        Font.Name = value;
        ParentFont = false;
    } else if (key == "fontheight") {
        Font = EffectiveFont();
        if (!ParseInt(value, Font.Height))
            return false;
        ParentFont = false;
    } else if (key == "fontcolor") {
        Font = EffectiveFont();
        if (!ParseColor(value, Font.Color))
            return false;
        ParentFont = false;
    } else if (key == "fontstyle") {
        Font = EffectiveFont();
        Font.Style = value == "italic" ? fsItalic : value == "bold" ? fsBold : fsNone;
        ParentFont = false;
    } else if (key == "visible") {
        IsVisible = ParseBool(value);
    } else {
        return false;
    }
    return true;
}

void TControl::Invalidate() {
    if (!ParentControl || !ParentControl->HandleAllocated() || !IsVisible)
        return;
    int offset = ParentControl->ScrollOffset();
    RECT rect = {L, T - offset, L + W, T - offset + H};
    InvalidateRect(ParentControl->Handle(), &rect, TRUE);
}

// --------------------------------------------------------- TGraphicControl

void TGraphicControl::Dispatch(UINT message, WPARAM wParam) {
    if (message == WM_PAINT && wParam) {
        TCanvas canvas(reinterpret_cast<HDC>(wParam));
        canvas.Font = EffectiveFont();
        Paint(canvas);
    }
}

TGraphicControl::TGraphicCanvas::TGraphicCanvas(TGraphicControl &control) {
    TWinControl *parent = control.Parent();
    if (!parent || !parent->HandleAllocated())
        return;
    Window = parent->Handle();
    Dc = GetDC(Window);
    SetViewportOrgEx(Dc, control.Left(), control.Top() - parent->ScrollOffset(), nullptr);
    IntersectClipRect(Dc, 0, 0, control.Width(), control.Height());
    Font = control.EffectiveFont();
}

TGraphicControl::TGraphicCanvas::~TGraphicCanvas() {
    if (Dc)
        ReleaseDC(Window, Dc);
}

// ------------------------------------------------------------- TWinControl

void TWinControl::RegisterOwnClass(const char *name) {
    WNDCLASSA existing;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoA(instance, name, &existing))
        return;
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

TWinControl::~TWinControl() {
    // Children are owned by the form; they only leave this list.
    for (TControl *child : std::vector<TControl *>(Controls))
        child->SetParent(nullptr);
    if (Window) {
        RemovePropA(Window, ControlProperty);
        if (StandardProc)
            SetWindowLongPtrA(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StandardProc));
        HWND window = Window;
        Window = nullptr;
        DestroyWindow(window);
    }
}

TWinControl *TWinControl::FromHandle(HWND window) {
    return window ? static_cast<TWinControl *>(GetPropA(window, ControlProperty)) : nullptr;
}

void TWinControl::CreateParams(TCreateParams &params) {
    params.Style |= IsVisible ? WS_VISIBLE : 0;
    if (!StartEnabled)
        params.Style |= WS_DISABLED;
}

void TWinControl::SortedChildren(std::vector<TWinControl *> &list) const {
    for (TControl *child : Controls)
        if (child->IsWindowed())
            list.push_back(static_cast<TWinControl *>(child));
    // Window order is tab order; controls without a tab order keep list order.
    std::stable_sort(list.begin(), list.end(), [](TWinControl *a, TWinControl *b) {
        int x = a->TabOrder < 0 ? 1 << 30 : a->TabOrder;
        int y = b->TabOrder < 0 ? 1 << 30 : b->TabOrder;
        return x < y;
    });
}

bool TWinControl::HandleNeeded() {
    if (Window)
        return true;
    if (ParentControl && !ParentControl->HandleAllocated()) {
        if (!ParentControl->HandleNeeded())
            return false;
        if (Window)
            return true;
    }
    if (!CreateWnd())
        return false;
    std::vector<TWinControl *> children;
    SortedChildren(children);
    for (TWinControl *child : children)
        if (!child->HandleNeeded())
            return false;
    return true;
}

bool TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    HWND parent = ParentControl ? ParentControl->Handle() : params.Owner;
    if (!params.Standard)
        RegisterOwnClass(params.ClassName);
    int y = T - (ParentControl ? ParentControl->ScrollOffset() : 0);
    HMENU id = ParentControl ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextControlId++)) : nullptr;
    Window = CreateWindowExA(params.ExStyle, params.ClassName, Text.c_str(), params.Style, L, y, W, H, parent,
                             id, GetModuleHandleA(nullptr), nullptr);
    if (!Window)
        return Raise("Error creating window");
    SetPropA(Window, ControlProperty, this);
    if (params.Standard) {
        // System controls keep their own behaviour; their messages pass here first.
        StandardProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(Window, GWLP_WNDPROC));
        SetWindowLongPtrA(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWndProc));
        HFONT font = Application->FontHandle(EffectiveFont());
        SendMessageA(Window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return true;
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TWinControl *control = FromHandle(window);
    if (!control)
        return DefWindowProcA(window, message, wParam, lParam);
    // An error raised while this message is handled ends up here: it is shown
    // and the message counts as handled. One that an outer message raised
    // and is still returning (a window destroyed on its way) waits meanwhile.
    std::string outer = TakeRaised();
    LRESULT result = control->WndProc(message, wParam, lParam);
    std::string raised = TakeRaised();
    if (!raised.empty()) {
        if (Application)
            Application->ShowException(raised);
        result = 0;
    }
    if (!outer.empty())
        Raise(outer);
    return result;
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    if (StandardProc)
        return CallWindowProcA(StandardProc, Window, message, wParam, lParam);
    return DefWindowProcA(Window, message, wParam, lParam);
}

HBRUSH TWinControl::ChildColors(TWinControl *child, HDC dc) {
    TColor color = ColorToRGB(child->EffectiveColor());
    SetTextColor(dc, ColorToRGB(child->EffectiveFont().Color));
    SetBkColor(dc, color);
    if (!child->Brush.Get() || child->BrushColor != color) {
        child->Brush.Reset(CreateSolidBrush(color));
        child->BrushColor = color;
    }
    return child->Brush.Get();
}

void TWinControl::PaintGraphicChildren(HDC dc) {
    int offset = ScrollOffset();
    for (TControl *child : Controls) {
        if (child->IsWindowed() || !child->Visible())
            continue;
        int saved = SaveDC(dc);
        SetViewportOrgEx(dc, child->Left(), child->Top() - offset, nullptr);
        IntersectClipRect(dc, 0, 0, child->Width(), child->Height());
        static_cast<TGraphicControl *>(child)->Dispatch(WM_PAINT, reinterpret_cast<WPARAM>(dc));
        RestoreDC(dc, saved);
    }
}

void TWinControl::FillBackground(HDC dc) {
    RECT rect;
    GetClientRect(Window, &rect);
    TGdiObject brush(CreateSolidBrush(ColorToRGB(EffectiveColor())));
    FillRect(dc, &rect, brush.Get());
}

void TWinControl::PaintWindow(HDC dc) {
    FillBackground(dc);
    PaintGraphicChildren(dc);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (TWinControl *child = FromHandle(reinterpret_cast<HWND>(lParam))) {
            child->CommandNotify(HIWORD(wParam));
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (TWinControl *child = FromHandle(reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(ChildColors(child, reinterpret_cast<HDC>(wParam)));
        break;
    case WM_DRAWITEM: {
        auto *item = reinterpret_cast<DRAWITEMSTRUCT *>(lParam);
        if (TWinControl *child = FromHandle(item->hwndItem))
            return child->WndProc(CN_DRAWITEM, wParam, lParam);
        break;
    }
    case WM_ERASEBKGND:
        if (!StandardProc)
            return 1;
        break;
    case WM_PAINT:
        if (!StandardProc) {
            TPaintScope paint(Window);
            PaintWindow(paint.Get());
            return 0;
        } else {
            LRESULT result = DefaultHandler(message, wParam, lParam);
            bool graphics = std::any_of(Controls.begin(), Controls.end(),
                                        [](TControl *c) { return !c->IsWindowed() && c->Visible(); });
            if (graphics) {
                TWindowDC dc(Window);
                PaintGraphicChildren(dc.Get());
            }
            return result;
        }
    case WM_GETOBJECT: {
        // Windows of the form layer's classes add their windowless texts.
        LRESULT result = 0;
        if (!StandardProc && AnswerAccessibleClient(*this, wParam, lParam, result))
            return result;
        break;
    }
    case WM_KEYUP:
        if (OnKeyUp) {
            WORD key = static_cast<WORD>(wParam);
            int shift = (GetKeyState(VK_SHIFT) < 0 ? ssShift : 0) |
                        (GetKeyState(VK_CONTROL) < 0 ? ssCtrl : 0) | (GetKeyState(VK_MENU) < 0 ? ssAlt : 0);
            OnKeyUp(this, key, shift);
        }
        break;
    case WM_WINDOWPOSCHANGED: {
        // Where the window now stands, whoever moved, sized, showed or hid it.
        const auto *pos = reinterpret_cast<const WINDOWPOS *>(lParam);
        if (!(pos->flags & SWP_NOMOVE)) {
            L = pos->x;
            T = pos->y + (ParentControl ? ParentControl->ScrollOffset() : 0);
        }
        if (!(pos->flags & SWP_NOSIZE)) {
            W = pos->cx;
            H = pos->cy;
        }
        if (pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))
            IsVisible = (pos->flags & SWP_SHOWWINDOW) != 0;
        break;
    }
    case WM_SHOWWINDOW:
        // Shown or hidden by ShowWindow; a window in a hidden parent may get
        // no WM_WINDOWPOSCHANGED for it. (With a reason in lParam the system
        // only hides or shows it for its owner, and its own flag stays.)
        if (!lParam)
            IsVisible = wParam != 0;
        break;
    case WM_NCDESTROY: {
        LRESULT result = DefaultHandler(message, wParam, lParam);
        RemovePropA(Window, ControlProperty);
        Window = nullptr;
        return result;
    }
    }
    return DefaultHandler(message, wParam, lParam);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    L = left;
    T = top;
    W = width;
    H = height;
    if (Window) {
        int y = T - (ParentControl ? ParentControl->ScrollOffset() : 0);
        SetWindowPos(Window, nullptr, L, y, W, H, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TWinControl::SetCaption(const std::string &text) {
    Text = text;
    if (Window)
        SetWindowTextA(Window, text.c_str());
}

std::string TWinControl::Caption() const {
    if (!Window)
        return Text;
    int length = GetWindowTextLengthA(Window);
    std::string text(length + 1, '\0');
    GetWindowTextA(Window, &text[0], length + 1);
    text.resize(lstrlenA(text.c_str()));
    return text;
}

void TWinControl::SetVisible(bool visible) {
    IsVisible = visible;
    if (Window)
        ShowWindow(Window, visible ? SW_SHOW : SW_HIDE);
}

void TWinControl::Invalidate() {
    if (Window)
        InvalidateRect(Window, nullptr, TRUE);
}

bool TWinControl::Enabled() const {
    return Window ? IsWindowEnabled(Window) != FALSE : StartEnabled;
}

void TWinControl::SetEnabled(bool enabled) {
    StartEnabled = enabled;
    if (Window)
        EnableWindow(Window, enabled);
}

bool TWinControl::Focused() const {
    return Window && GetFocus() == Window;
}

void TWinControl::SetFocus() {
    if (Window)
        ::SetFocus(Window);
}

int TWinControl::ClientWidth() {
    RECT rect = {};
    if (HandleNeeded())
        GetClientRect(Window, &rect);
    return rect.right;
}

int TWinControl::ClientHeight() {
    RECT rect = {};
    if (HandleNeeded())
        GetClientRect(Window, &rect);
    return rect.bottom;
}
