#pragma once

#include "forms/Form.h"

// What the pages of the wizard's chain share (the welcome, licence,
// destination, file-type and confirmation pages): their place, their move
// for the screen, the way they close, and the handlers that several of them
// bind (each page's table names those it uses; a page with a handler of its
// own under the same name binds its own).
class TWizardPage : public TForm {
  public:
    // 1: closing the page ends the setup; 0: a navigation handler closes it to move on.
    int ExitOnClose = 1;

    // The creation handler of a page that only moves for the screen.
    void FormCreate(TObject *sender);
    // Exit Setup: asks through ConfirmExitSetup; Exit ends the setup, No
    // changes nothing.
    void ExitSetupClick(TObject *sender);
    // Cancel and No: close the page, which ends the setup (the flag is set).
    void CloseClick(TObject *sender);
    // The close handler of a page that is hidden when it closes to move on.
    void FormClose(TObject *sender, TCloseAction &action);

  protected:
    using TForm::TForm;

    // Loads the page's form data (from the page's own constructor, so that
    // the page's controls and handlers are the ones bound) and places it;
    // false when an error was raised (see LoadForm).
    bool LoadPage(const char *formName, const THandlerRow *handlers);
    // The creation handler's move for screens other than 800 pixels wide.
    void ScalePage();
    // The end of a move to another page, once that page is visible: the flag
    // cleared, this page closed (hidden or freed by its close handler).
    void LeavePage();
    // The close handler's rule: with the flag set the close is the user's way
    // out, which ends the setup, and the result is false. After LeavePage the
    // flag is set again and the result is true; the page then chooses to be
    // hidden or freed.
    bool ClosedToMoveOn();
};
