#pragma once

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "forms/Control.h"
#include "forms/Errors.h"

enum TWindowState { wsNormal, wsMaximized };

const int mrNone = 0;
const int mrOk = 1;
const int mrCancel = 2;

class TForm;

// One row of a page's handler table: a handler name of the form data and the
// page's member function behind it, in one of the three event shapes. The
// table ends with an empty row. FORM_HANDLER(Page, Handler) makes a row.
struct THandlerRow {
    const char *Name = nullptr;
    void (TForm::*Notify)(TObject *sender) = nullptr;
    void (TForm::*Close)(TObject *sender, TCloseAction &action) = nullptr;
    void (TForm::*Key)(TObject *sender, WORD &key, int shift) = nullptr;

    template <class Page> static THandlerRow Of(const char *name, void (Page::*handler)(TObject *)) {
        THandlerRow row;
        row.Name = name;
        row.Notify = static_cast<void (TForm::*)(TObject *)>(handler);
        return row;
    }
    template <class Page>
    static THandlerRow Of(const char *name, void (Page::*handler)(TObject *, TCloseAction &)) {
        THandlerRow row;
        row.Name = name;
        row.Close = static_cast<void (TForm::*)(TObject *, TCloseAction &)>(handler);
        return row;
    }
    template <class Page>
    static THandlerRow Of(const char *name, void (Page::*handler)(TObject *, WORD &, int)) {
        THandlerRow row;
        row.Name = name;
        row.Key = static_cast<void (TForm::*)(TObject *, WORD &, int)>(handler);
        return row;
    }
};
#define FORM_HANDLER(Page, Handler) THandlerRow::Of(#Handler, &Page::Handler)
// A row whose form-data name is not the member's: a handler that the page
// shares with others under another name.
#define FORM_HANDLER_AS(Page, Name, Handler) THandlerRow::Of(#Name, &Page::Handler)

// FORM_PAGE(Page) declares what every page class has: its handler table
// (what the form data's handler names stand for), the binding of its control
// fields and its constructor.
#define FORM_PAGE(Page)                                                                                      \
    static const THandlerRow HandlerTable[];                                                                 \
    bool BindControls() override;                                                                            \
    explicit Page(TForm *owner)

// FORM_CONTROLS(Page, Field...) binds the page's control fields to the
// controls of the same names once its form data is loaded:
//     FORM_CONTROLS(TForm2, Label1, Label2, Button1)
// defines TForm2::BindControls, which LoadForm calls.
#define FORM_CONTROLS(Page, ...)                                                                             \
    bool Page::BindControls() {                                                                              \
        return BindFields(#__VA_ARGS__, __VA_ARGS__);                                                        \
    }

// A page: a top-level window loaded from form data. The form owns every
// control its data creates.
class TForm : public TWinControl {
  public:
    TNotifyEvent OnCreate;
    TCloseEvent OnClose;
    TNotifyEvent OnPaint;
    TNotifyEvent OnActivate;
    int ModalResult = mrNone;
    // The page's class name, also its window class ("TForm3", "TPathA" ...).
    std::string ClassName;

    explicit TForm(TForm *owner);
    ~TForm() override;

    TForm *OwnerForm() const { return OwnerPage; }

    // Runs the creation handler, then shows the form when its data marks it
    // visible. Called once, right after the constructor; false when an error
    // was raised (the form is then not shown).
    bool AfterConstruction();

    // False when the window could not be made.
    bool Show();
    void Hide();
    bool Showing() const;
    // Asks the close handler for a close action (default hide) and carries it
    // out: hide, free (after the handler has returned) or nothing. Closing the
    // main form ends the application; closing a modal form ends its display.
    void Close();
    // Shows the form modally in a nested message loop until a handler sets
    // ModalResult or the form is closed; returns the modal result, mrNone
    // when the window could not be made.
    int ShowModal();
    // Destroys the form once the current message has been handled.
    void Release();
    // Destroys the form's window, then the form: every message that the
    // destruction of the window sends (activation, focus) still finds the
    // whole page. The way every owner ends a form (TFormPtr).
    void Free();

    TWindowState WindowState() const { return State; }
    void SetWindowState(TWindowState state);
    void SetBounds(int left, int top, int width, int height) override;

    // The page's drawing surface: its window's client area, the window made
    // first.
    TCanvas &Canvas();

    // A control of the form data by name; null, and an error raised, when it
    // is missing or of another class.
    template <class T> T *Find(const char *name) const {
        return static_cast<T *>(FindControl(name, &T::ClassTag));
    }
    template <class T> T *Find(const std::string &name) const { return Find<T>(name.c_str()); }
    // The first control of that name of the class that `classTag` stands for
    // (see CONTROL_CLASS); null, and an error raised, when there is none.
    // Find's loop, written once for all classes.
    TControl *FindControl(const char *name, const char *classTag) const;
    // Takes ownership of a control created by the form data.
    void AddComponent(TControl *control) { Components.emplace_back(control); }

    // Handler lookups for the form data's event attributes, in the page's
    // handler table; an empty event, and an error raised, when the name is
    // not there in that shape.
    TNotifyEvent NotifyHandler(const std::string &name);
    TCloseEvent CloseHandler(const std::string &name);
    TKeyEvent KeyHandler(const std::string &name);
    // Creates a control of a kind that the form layer does not know itself;
    // null, and an error raised, for a kind the page does not know either.
    virtual TControl *CreateCustomControl(const std::string &kind);

    bool SetAttribute(const std::string &key, const std::string &value) override;

  protected:
    // Loads the form data resource of that name (called by the constructor):
    // the data's handler names resolve through the handler table, and the
    // controls of the control table are stored in their fields. False when
    // an error was raised; the constructor then returns at once, and the
    // form's maker frees the form.
    bool LoadForm(const std::string &resourceName, const THandlerRow *handlers);
    // Sets the page's control fields once its form data is loaded; FORM_CONTROLS
    // writes a page's. False when an error was raised.
    virtual bool BindControls() { return true; }
    // Each field gets the control named by the next name of `names`, the
    // fields' names as FORM_CONTROLS's argument list spells them ("A, B");
    // the first that is missing raises the error and ends the binding.
    template <class... T> bool BindFields(const char *names, T *&...fields) {
        return (BindField(names, fields) && ...);
    }
    void CreateParams(TCreateParams &params) override;
    bool CreateWnd() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintWindow(HDC dc) override;
    // A page's own handling of a window message; true when handled.
    virtual bool MessageHook(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result);

  private:
    const THandlerRow *FindHandler(const std::string &name) const;
    template <class T> bool BindField(const char *&names, T *&field) {
        field = Find<T>(NextFieldName(names));
        return field != nullptr;
    }
    // The name at the start of `names`; moves `names` past it and its comma.
    static std::string NextFieldName(const char *&names);
    const THandlerRow *HandlerTable = nullptr;
    void CloseModal();
    void FocusFirstControl();
    TForm *OwnerPage;
    std::vector<std::unique_ptr<TControl>> Components;
    std::unique_ptr<TControlCanvas> FormCanvas;
    TWindowState State = wsNormal;
    bool PopupOwned = false;
    bool HasIcon = false;
    bool Modal = false;
    bool ModalDone = false;
    HWND LastFocus = nullptr;
};

// Owns a form and ends it with Free.
struct TFormFree {
    void operator()(TForm *form) const { form->Free(); }
};
template <class T> using TFormPtr = std::unique_ptr<T, TFormFree>;

// Makes a form that the caller owns (a modal page or dialog): constructor,
// then creation handler. Null, the form gone again, when an error was raised.
template <class T> TFormPtr<T> Construct(TForm *owner) {
    TFormPtr<T> form(new T(owner));
    if (Raised() || !form->AfterConstruction())
        form.reset();
    return form;
}
