#pragma once

#include <string>

// The form layer reports its errors as values. A function that meets one
// raises it: Raise records the error's text and returns false, and the
// function returns its failure to its caller, which returns in turn, up to
// the event handler. The window procedure and the entry point then show the
// recorded text with the application's standard exception display
// (TApplication::ShowRaised) and forget it. Until then the first error raised
// stays: whatever fails after it follows from it.
//
// The errors: a handler, control, picture or resource missing from a page's
// form data, a fault in the form data or a bad value in it ("Form data line
// N: ..."), a window that cannot be created ("Error creating window"), and
// the file stream's "Cannot create file <name>" and "Stream write error".
bool Raise(const std::string &text);
// Whether an error has been raised and not shown yet.
bool Raised();
// The raised error's text, now forgotten; empty when none was raised.
std::string TakeRaised();
