#pragma once

#include <memory>
#include <new>
#include <string>
#include <vector>

#include <windows.h>

#include "forms/Errors.h"
#include "forms/Graphics.h"

class TForm;

// The application object: owns the forms made through CreateForm, runs the
// message loop until the main form closes, and shows the errors raised.
class TApplication {
  public:
    TApplication();
    ~TApplication();
    TApplication(const TApplication &) = delete;
    TApplication &operator=(const TApplication &) = delete;

    // Takes the program's title from its file name and the icon that pages
    // marked with one show (none when null).
    void Initialize(HICON icon = nullptr);
    // The executable's file name without folder and extension, every
    // character after the first in lower case.
    const std::string &Title() const { return AppTitle; }
    TForm *MainForm() const { return Main; }
    HICON Icon() const { return AppIcon; }

    // Creates a form owned by the application. The reference is set before
    // the constructor runs. The form's creation handler runs, then it shows
    // itself when its form data marks it visible. The first form so made is
    // the main form. False when an error was raised: in the constructor, the
    // form is gone again and the reference null; after it, the form stays
    // the application's, unshown, as far as it came.
    template <class T> bool CreateForm(T *&reference);

    // Runs the message loop until Terminate.
    void Run();
    // Ends the message loop (closing the main form calls it).
    void Terminate();
    bool Terminated() const { return IsTerminated; }
    // Handles one message: dialog keys of the active form, then dispatch.
    void ProcessMessage(MSG &message);

    // The standard exception display: a message box with the error's text,
    // under the application's title.
    void ShowException(const std::string &text);
    // Shows the error raised since the last display, if there is one, with
    // the standard exception display, and forgets it.
    void ShowRaised();

    // A shared GDI font for the given attributes, owned by the application.
    HFONT FontHandle(const TFont &font);

    // Forgets a form that is being destroyed.
    void RemoveForm(TForm *form);

  private:
    void AddForm(TForm *form);
    std::string AppTitle;
    TForm *Main = nullptr;
    HICON AppIcon = nullptr;
    bool IsTerminated = false;
    std::vector<TForm *> Forms;
    // The fonts made so far by their attributes: a handful, looked up in turn.
    std::vector<std::pair<std::string, HFONT>> Fonts;
};

extern TApplication *Application;

// What cannot be reported as a value: the memory running out, and the
// standard library's own faults (a length or range beyond its limits, an
// empty function called), which the program's built-in data never causes.
// Shows the text with the application's standard exception display and ends
// the program with FatalErrorExitCode; nothing is unwound.
[[noreturn]] void ShowFatalError(const char *text);
const unsigned FatalErrorExitCode = 3;

template <class T> bool TApplication::CreateForm(T *&reference) {
    void *memory = ::operator new(sizeof(T));
    reference = static_cast<T *>(memory);
    T *form = new (memory) T(nullptr);
    if (Raised()) {
        reference = nullptr;
        form->Free();
        return false;
    }
    AddForm(form);
    return form->AfterConstruction();
}
