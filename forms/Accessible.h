#pragma once

#include <string>

#include <windows.h>

class TGraphicControl;
class TWinControl;

// Screen readers see a window of the form layer's own classes (a page, a
// panel, a scroll box) through the client object that the system makes for
// it, with the texts of its windowless children added as simple elements, in
// the order they are painted, after the child windows.

// Answers WM_GETOBJECT for the control's window. False when the request is not
// for the client object or the accessibility library can't be had; the system
// answers then.
bool AnswerAccessibleClient(TWinControl &control, WPARAM wParam, LPARAM lParam, LRESULT &result);

// Tells screen readers that the windowless control's text changed while its
// window is shown.
void NotifyAccessibleNameChange(TGraphicControl &control);

// The text as DrawText shows it: "&&" reads "&", an accelerator's "&" none.
std::string TextAsShown(const std::string &text);
