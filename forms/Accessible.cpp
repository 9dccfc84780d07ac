#include "forms/Accessible.h"

#include <memory>
#include <vector>

#include <ole2.h>
#include <oleacc.h>

#include "forms/Control.h"
#include "win32/Com.h"
#include "win32/SystemLibrary.h"

namespace {

// What the client objects need of the accessibility library and of OLE
// Automation (their strings). Loaded when a reader first asks, never before;
// COM stays initialised on the thread from then on, for the objects handed out.
class TAccessLibrary {
  public:
    decltype(&CreateStdAccessibleObject) CreateStandard = nullptr;
    decltype(&LresultFromObject) ResultFromObject = nullptr;
    decltype(&AccessibleObjectFromWindow) ObjectFromWindow = nullptr;
    decltype(&SysAllocStringLen) AllocString = nullptr;

    TAccessLibrary() {
        CreateStandard = Oleacc.Proc<decltype(CreateStandard)>("CreateStdAccessibleObject");
        ResultFromObject = Oleacc.Proc<decltype(ResultFromObject)>("LresultFromObject");
        ObjectFromWindow = Oleacc.Proc<decltype(ObjectFromWindow)>("AccessibleObjectFromWindow");
        AllocString = Oleaut.Proc<decltype(AllocString)>("SysAllocStringLen");
    }
    TAccessLibrary(const TAccessLibrary &) = delete;
    TAccessLibrary &operator=(const TAccessLibrary &) = delete;

    bool Loaded() const {
        // A thread already in the multithreaded apartment can hand out objects too.
        return (Com.Initialized() || Com.Answer() == RPC_E_CHANGED_MODE) && CreateStandard &&
               ResultFromObject && ObjectFromWindow && AllocString;
    }

  private:
    // Declared first, freed last: after COM has let go of the objects.
    TSystemLibrary Oleaut{"oleaut32.dll"};
    TSystemLibrary Oleacc{"oleacc.dll"};
    TComScope Com;
};

TAccessLibrary &Library() {
    static TAccessLibrary library;
    return library;
}

// A windowless control that shows text, and what a reader is told of it.
struct TTextElement {
    const TGraphicControl *Control;
    TAccessibleText Text;
};

// The children of a window's client object: first its child windows, all of
// them as the system's object counts them, then the windowless texts in
// painting order. Ids start at 1.
struct TChildren {
    LONG Windows = 0;
    std::vector<TTextElement> Texts;

    explicit TChildren(HWND window) {
        for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            ++Windows;
        TWinControl *control = TWinControl::FromHandle(window);
        if (!control)
            return;
        for (TControl *child : control->Controls) {
            if (child->IsWindowed() || !child->Visible())
                continue;
            TTextElement element = {static_cast<TGraphicControl *>(child), {}};
            if (element.Control->AccessibleText(element.Text))
                Texts.push_back(element);
        }
    }
    LONG Total() const { return Windows + static_cast<LONG>(Texts.size()); }
    LONG IdOf(const TControl &control) const {
        for (size_t i = 0; i < Texts.size(); ++i)
            if (Texts[i].Control == &control)
                return Windows + static_cast<LONG>(i) + 1;
        return 0;
    }
};

HWND NthChildWindow(HWND window, LONG n) {
    HWND child = ::GetWindow(window, GW_CHILD);
    while (child && --n > 0)
        child = ::GetWindow(child, GW_HWNDNEXT);
    return child;
}

// A windowless control's box in its parent window's client area.
RECT ClientBox(const TControl &control) {
    int top = control.Top() - control.Parent()->ScrollOffset();
    return {control.Left(), top, control.Left() + control.Width(), top + control.Height()};
}

HRESULT MakeString(const std::string &text, BSTR *result) {
    *result = nullptr;
    if (text.empty())
        return S_FALSE;
    int size = static_cast<int>(text.size());
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::vector<WCHAR> wide(length + 1);
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    *result = Library().AllocString(wide.data(), length);
    return *result ? S_OK : E_OUTOFMEMORY;
}

// The client object of a window of the form layer: the system's object for
// the window answers for the window itself and its child windows, this one
// for the windowless texts. It holds the window's handle only, and answers
// CO_E_OBJNOTCONNECTED once the window or its control is gone.
class TAccessibleClient final : public IAccessible {
  public:
    TAccessibleClient(HWND window, IAccessible *standard) : Window(window), Standard(standard) {}
    ~TAccessibleClient() { Standard->Release(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *object = static_cast<IAccessible *>(this);
        } else if (iid == IID_IOleWindow) {
            *object = &OleWindow;
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&References); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&References);
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **info) override {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *,
                                     UINT *) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override {
        return Standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long *count) override {
        if (!count)
            return E_POINTER;
        *count = 0;
        if (!Connected())
            return CO_E_OBJNOTCONNECTED;
        *count = TChildren(Window).Total();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch **child) override {
        if (!child)
            return E_POINTER;
        *child = nullptr;
        const TTextElement *text;
        HRESULT result = Resolve(id, text);
        if (result == S_OK)
            return S_FALSE; // a simple element, no object of its own
        if (FAILED(result))
            return result;
        result = Standard->get_accChild(id, child);
        if ((SUCCEEDED(result) && *child) || id.lVal == CHILDID_SELF)
            return result;
        // A system's object that gives its child windows only by enumeration:
        // the child window's own object.
        if (*child)
            (*child)->Release();
        *child = nullptr;
        HWND window = NthChildWindow(Window, id.lVal);
        if (!window)
            return E_INVALIDARG;
        return Library().ObjectFromWindow(window, OBJID_WINDOW, IID_IDispatch,
                                          reinterpret_cast<void **>(child));
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR *name) override {
        return String(id, name, &TAccessibleText::Name, &IAccessible::get_accName);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR *value) override {
        return String(id, value, &TAccessibleText::Value, &IAccessible::get_accValue);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR *description) override {
        return NoString(id, description, &IAccessible::get_accDescription);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT *role) override {
        return Number(id, role, &TAccessibleText::Role, &IAccessible::get_accRole);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT *state) override {
        return Number(id, state, &TAccessibleText::State, &IAccessible::get_accState);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR *help) override {
        return NoString(id, help, &IAccessible::get_accHelp);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT id, long *topic) override {
        const TTextElement *text;
        HRESULT result = Resolve(id, text);
        if (result == S_FALSE)
            return Standard->get_accHelpTopic(file, id, topic);
        if (file)
            *file = nullptr;
        if (topic)
            *topic = 0;
        return result == S_OK ? S_FALSE : result;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR *shortcut) override {
        return NoString(id, shortcut, &IAccessible::get_accKeyboardShortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *focus) override { return Standard->get_accFocus(focus); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *selection) override {
        return Standard->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR *action) override {
        return NoString(id, action, &IAccessible::get_accDefaultAction);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT id) override {
        const TTextElement *text;
        HRESULT result = Resolve(id, text);
        if (result == S_OK)
            return DISP_E_MEMBERNOTFOUND;
        return result == S_FALSE ? Standard->accSelect(flags, id) : result;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long *left, long *top, long *width, long *height,
                                          VARIANT id) override {
        if (!left || !top || !width || !height)
            return E_POINTER;
        const TTextElement *text;
        HRESULT result = Resolve(id, text);
        if (result == S_FALSE)
            return Standard->accLocation(left, top, width, height, id);
        *left = *top = *width = *height = 0;
        if (FAILED(result))
            return result;
        RECT box = ClientBox(*text->Control);
        MapWindowPoints(Window, nullptr, reinterpret_cast<POINT *>(&box), 2);
        *left = box.left;
        *top = box.top;
        *width = box.right - box.left;
        *height = box.bottom - box.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT *end) override {
        if (!end)
            return E_POINTER;
        end->vt = VT_EMPTY;
        const TTextElement *text;
        HRESULT result = Resolve(start, text);
        if (FAILED(result))
            return result;
        TChildren children(Window);
        bool self = start.lVal == CHILDID_SELF, texts = !children.Texts.empty();
        LONG to = 0;
        if (self && texts && direction == NAVDIR_FIRSTCHILD)
            to = 1;
        else if (self && texts && direction == NAVDIR_LASTCHILD)
            to = children.Total();
        else if (result == S_OK)
            to = direction == NAVDIR_NEXT       ? start.lVal + 1
                 : direction == NAVDIR_PREVIOUS ? start.lVal - 1
                                                : -1;
        else if (!self && texts && start.lVal == children.Windows && direction == NAVDIR_NEXT)
            to = start.lVal + 1; // the texts follow the last child window
        else
            return Standard->accNavigate(direction, start, end);
        if (to < 1 || to > children.Total())
            return S_FALSE;
        end->vt = VT_I4;
        end->lVal = to;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT *child) override {
        if (!child)
            return E_POINTER;
        if (!Connected()) {
            child->vt = VT_EMPTY;
            return CO_E_OBJNOTCONNECTED;
        }
        HRESULT result = Standard->accHitTest(left, top, child);
        // On the window's own surface: a text there, the topmost painted last.
        if (FAILED(result) || child->vt != VT_I4 || child->lVal != CHILDID_SELF)
            return result;
        POINT point = {left, top};
        ScreenToClient(Window, &point);
        TChildren children(Window);
        for (size_t i = children.Texts.size(); i-- > 0;) {
            RECT box = ClientBox(*children.Texts[i].Control);
            if (PtInRect(&box, point)) {
                child->lVal = children.Windows + static_cast<LONG>(i) + 1;
                break;
            }
        }
        return result;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
        const TTextElement *text;
        HRESULT result = Resolve(id, text);
        if (result == S_OK)
            return DISP_E_MEMBERNOTFOUND;
        return result == S_FALSE ? Standard->accDoDefaultAction(id) : result;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT id, BSTR name) override {
        const TTextElement *text;
        HRESULT result = Resolve(id, text);
        return result == S_FALSE ? Standard->put_accName(id, name) : FAILED(result) ? result : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT id, BSTR value) override {
        const TTextElement *text;
        HRESULT result = Resolve(id, text);
        return result == S_FALSE ? Standard->put_accValue(id, value) : FAILED(result) ? result : E_NOTIMPL;
    }

    // The window behind the object, for WindowFromAccessibleObject: a part of
    // the object with an interface of its own, so that the class has one base
    // (a class of several would link the library's type information for them).
    struct TOleWindow final : public IOleWindow {
        TAccessibleClient *Outer;
        explicit TOleWindow(TAccessibleClient *outer) : Outer(outer) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override {
            return Outer->QueryInterface(iid, object);
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return Outer->AddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return Outer->Release(); }
        HRESULT STDMETHODCALLTYPE GetWindow(HWND *window) override {
            if (!window)
                return E_POINTER;
            *window = Outer->Window;
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    };
    TOleWindow OleWindow{this};

  private:
    bool Connected() const { return TWinControl::FromHandle(Window) != nullptr; }

    // What a child id names: S_OK a text (in `text`, valid until the next
    // call), S_FALSE the window itself or a child window, for the system's
    // object to answer; else the error to return.
    HRESULT Resolve(const VARIANT &id, const TTextElement *&text) {
        text = nullptr;
        if (!Connected())
            return CO_E_OBJNOTCONNECTED;
        if (id.vt != VT_I4 || id.lVal < 0)
            return E_INVALIDARG;
        Children.reset(new TChildren(Window));
        if (id.lVal <= Children->Windows)
            return S_FALSE;
        size_t index = static_cast<size_t>(id.lVal - Children->Windows - 1);
        if (index >= Children->Texts.size())
            return E_INVALIDARG;
        text = &Children->Texts[index];
        return S_OK;
    }
    // A string that the texts don't have; the system's object answers for the rest.
    // A text of a text element (its name or value), or what the standard
    // object says of any other child.
    HRESULT String(VARIANT id, BSTR *out, std::string TAccessibleText::*field,
                   HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR *)) {
        if (!out)
            return E_POINTER;
        const TTextElement *text;
        HRESULT result = Resolve(id, text);
        if (result == S_OK)
            return MakeString(text->Text.*field, out);
        *out = nullptr;
        return result == S_FALSE ? (Standard->*get)(id, out) : result;
    }
    // A number of a text element (its role or state), or what the standard
    // object says of any other child.
    HRESULT Number(VARIANT id, VARIANT *out, long TAccessibleText::*field,
                   HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT *)) {
        if (!out)
            return E_POINTER;
        const TTextElement *text;
        HRESULT result = Resolve(id, text);
        if (result == S_OK) {
            out->vt = VT_I4;
            out->lVal = text->Text.*field;
            return S_OK;
        }
        out->vt = VT_EMPTY;
        return result == S_FALSE ? (Standard->*get)(id, out) : result;
    }
    HRESULT NoString(VARIANT id, BSTR *out, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR *)) {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        const TTextElement *text;
        HRESULT result = Resolve(id, text);
        if (result == S_FALSE)
            return (Standard->*get)(id, out);
        return result == S_OK ? S_FALSE : result;
    }

    LONG References = 1;
    HWND Window;
    IAccessible *Standard;
    std::unique_ptr<TChildren> Children;
};

} // namespace

bool AnswerAccessibleClient(TWinControl &control, WPARAM wParam, LPARAM lParam, LRESULT &result) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !control.HandleAllocated())
        return false;
    TAccessLibrary &library = Library();
    if (!library.Loaded())
        return false;
    IAccessible *standard = nullptr;
    if (FAILED(library.CreateStandard(control.Handle(), OBJID_CLIENT, IID_IAccessible,
                                      reinterpret_cast<void **>(&standard))) ||
        !standard)
        return false;
    auto *client = new TAccessibleClient(control.Handle(), standard);
    result = library.ResultFromObject(IID_IAccessible, wParam, static_cast<IAccessible *>(client));
    client->Release();
    return result >= 0;
}

void NotifyAccessibleNameChange(TGraphicControl &control) {
    TWinControl *parent = control.Parent();
    if (!parent || !parent->HandleAllocated() || !IsWindowVisible(parent->Handle()))
        return;
    HWND window = parent->Handle();
    if (LONG id = TChildren(window).IdOf(control))
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, id);
    else // it no longer shows text: one element less
        NotifyWinEvent(EVENT_OBJECT_REORDER, window, OBJID_CLIENT, CHILDID_SELF);
}

std::string TextAsShown(const std::string &text) {
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && ++i == text.size())
            break;
        shown += text[i];
    }
    return shown;
}
