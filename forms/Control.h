#pragma once

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

#include "forms/Canvas.h"
#include "forms/Graphics.h"

class TObject {
  public:
    virtual ~TObject() = default;
};

enum TCloseAction { caNone, caHide, caFree };
enum TShiftFlags { ssShift = 1, ssAlt = 2, ssCtrl = 4 };

typedef std::function<void(TObject *sender)> TNotifyEvent;
typedef std::function<void(TObject *sender, TCloseAction &action)> TCloseEvent;
typedef std::function<void(TObject *sender, WORD &key, int shift)> TKeyEvent;

class TForm;
class TWinControl;

// What a screen reader is told of a windowless control that shows text.
struct TAccessibleText {
    long Role = 0;     // ROLE_SYSTEM_...
    long State = 0;    // STATE_SYSTEM_...
    std::string Name;  // the text as it reads
    std::string Value; // empty: none
};

// The form layer's own test of a control's class, in place of run-time type
// information: every control class declares its tag, and a control is a T
// (or of a class derived from T) when it answers IsClass(&T::ClassTag).
// CONTROL_CLASS(Base) declares them for a class derived from Base.
#define CONTROL_CLASS(Base)                                                                                  \
    static inline const char ClassTag = 0;                                                                   \
    bool IsClass(const char *tag) const override {                                                           \
        return tag == &ClassTag || Base::IsClass(tag);                                                       \
    }

// Base of everything placed on a page. A control keeps its bounds (its place
// in its parent's client area, in the coordinates of the parent's contents
// when that scrolls; a page's on the screen), visibility, colour and font.
// Windowed controls pass them on to their window and take back what the
// system makes of them: the window's moves, sizes, showing and hiding, the
// system's own included.
class TControl : public TObject {
  public:
    static inline const char ClassTag = 0;
    virtual bool IsClass(const char *tag) const { return tag == &ClassTag; }

    std::string Name;
    TColor Color = clBtnFace;
    bool ParentColor = true;
    TFont Font;
    bool ParentFont = true;
    int TabOrder = -1;
    TNotifyEvent OnClick;
    TKeyEvent OnKeyUp;

    explicit TControl(TForm *owner) : Owner(owner) {}
    ~TControl() override;

    TForm *GetOwner() const { return Owner; }
    TWinControl *Parent() const { return ParentControl; }
    virtual void SetParent(TWinControl *parent);

    int Left() const { return L; }
    int Top() const { return T; }
    int Width() const { return W; }
    int Height() const { return H; }
    void SetLeft(int left) { SetBounds(left, T, W, H); }
    void SetTop(int top) { SetBounds(L, top, W, H); }
    void SetWidth(int width) { SetBounds(L, T, width, H); }
    void SetHeight(int height) { SetBounds(L, T, W, height); }
    virtual void SetBounds(int left, int top, int width, int height);

    virtual std::string Caption() const { return Text; }
    virtual void SetCaption(const std::string &text);
    bool Visible() const { return IsVisible; }
    virtual void SetVisible(bool visible);

    // The colour and font in effect, inherited from the parent where asked.
    TColor EffectiveColor() const;
    TFont EffectiveFont() const;
    void SetColor(TColor color);

    virtual bool IsWindowed() const { return false; }
    // Handles one attribute of the control's line in the form data; false
    // when the attribute is not one of this control's, or when its value
    // raised an error ("bad value").
    virtual bool SetAttribute(const std::string &key, const std::string &value);
    // Binds an event attribute other than onclick and onkeyup (onchange,
    // ondblclick ...); false when the control has no such event.
    virtual bool SetEvent(const std::string &key, TNotifyEvent handler) {
        (void)key;
        (void)handler;
        return false;
    }
    // Called once the form data has set every attribute; false when it
    // raised an error.
    virtual bool Loaded() { return true; }

    // Asks for a repaint of the control's area.
    virtual void Invalidate();

  protected:
    TForm *Owner;
    TWinControl *ParentControl = nullptr;
    int L = 0, T = 0, W = 0, H = 0;
    std::string Text;
    bool IsVisible = true;
};

// A windowless control: its parent paints it, in the parent's list order.
class TGraphicControl : public TControl {
  public:
    CONTROL_CLASS(TControl)
    using TControl::TControl;

    // Window messages sent to the control by its parent. WM_PAINT carries the
    // device context (origin at the control's corner) in wParam, or 0.
    virtual void Dispatch(UINT message, WPARAM wParam);
    // A canvas on the parent's window, origin at the control, clipped to it.
    class TGraphicCanvas;
    // The text the control shows, for screen readers; false when it shows none.
    virtual bool AccessibleText(TAccessibleText &text) const {
        (void)text;
        return false;
    }

  protected:
    virtual void Paint(TCanvas &canvas) = 0;
};

// A canvas on a graphic control's area of its parent's window.
class TGraphicControl::TGraphicCanvas : public TCanvas {
  public:
    explicit TGraphicCanvas(TGraphicControl &control);
    ~TGraphicCanvas() override;

  private:
    HWND Window = nullptr;
};

// A control with a window of its own.
class TWinControl : public TControl {
  public:
    std::vector<TControl *> Controls;

    CONTROL_CLASS(TControl)
    using TControl::TControl;
    ~TWinControl() override;

    HWND Handle() const { return Window; }
    bool HandleAllocated() const { return Window != nullptr; }
    // Creates the window (and those of the children) when there is none yet;
    // false when one could not be created ("Error creating window").
    bool HandleNeeded();
    bool IsWindowed() const override { return true; }
    void SetBounds(int left, int top, int width, int height) override;
    void SetCaption(const std::string &text) override;
    std::string Caption() const override;
    void SetVisible(bool visible) override;
    void Invalidate() override;
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Focused() const;
    void SetFocus();
    // The client area's size, the window made first; 0 when it cannot be.
    int ClientWidth();
    int ClientHeight();
    // Vertical offset of the children (scrolling containers).
    virtual int ScrollOffset() const { return 0; }

    // The control whose window this is, or null.
    static TWinControl *FromHandle(HWND window);

  protected:
    struct TCreateParams {
        const char *ClassName = "TWinControl";
        bool Standard = false; // a system class (Button, Edit ...), else one of the form layer's
        DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
        DWORD ExStyle = 0;
        HWND Owner = nullptr; // top-level windows only
    };
    virtual void CreateParams(TCreateParams &params);
    // Makes the control's window; false when it raised an error.
    virtual bool CreateWnd();
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
    // Paints the background and the windowless children (own classes only).
    virtual void PaintWindow(HDC dc);
    // Fills the client area with the control's colour.
    void FillBackground(HDC dc);
    void PaintGraphicChildren(HDC dc);
    // A notification (BN_CLICKED, CBN_SELCHANGE ...) of this control's window.
    virtual void CommandNotify(WORD code) { (void)code; }
    // Colours of a standard child control (WM_CTLCOLOR...).
    virtual HBRUSH ChildColors(TWinControl *child, HDC dc);
    bool StartEnabled = true;

  private:
    static void RegisterOwnClass(const char *name);
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void SortedChildren(std::vector<TWinControl *> &list) const;
    HWND Window = nullptr;
    WNDPROC StandardProc = nullptr;
    // The brush of this control's colours, for its parent's WM_CTLCOLOR answer.
    TGdiObject<HBRUSH> Brush;
    TColor BrushColor = 0;
    friend class TForm;
};

// A child's owner-drawn item, passed on by the parent's WM_DRAWITEM.
const UINT CN_DRAWITEM = WM_APP + WM_DRAWITEM;
