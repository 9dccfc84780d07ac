#pragma once

class TForm;

// The ways through the pages that every page shares.

// Ends the setup: closes the title page, the application's main form. The
// caller's handler runs to its end; the program ends back in the message loop.
void QuitSetup();

// Asks "Do you really want to exit Setup?" modally; true when the user chose Exit.
bool ConfirmExitSetup();

// Opens the failure page beside the current page and returns at once.
void ShowFailurePage();

// Shows the success page modally, owned by the given page, and returns when
// the user has closed it; false when the page raised an error instead.
bool ShowSuccessPage(TForm *owner);

// Makes the first visible page of the page chain topmost, so that the
// full-screen backdrop never covers it.
void RaiseVisiblePage();
