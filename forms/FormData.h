#pragma once

#include <string>
#include <vector>

class TForm;

// One line of form data: a kind, a name, a text, the bounds, and key=value
// attributes in the order written.
struct TFormDataLine {
    int LineNumber = 0;
    std::string Kind;
    std::string Name;
    std::string Text;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    std::vector<std::pair<std::string, std::string>> Attributes;
};

// A text property given as a block of lines after the control lines:
//   text LicenseText1 cText <<END ... END
// Lines are joined with CR LF; no line end follows the last line.
struct TFormDataText {
    std::string Name;
    std::string Property;
    std::string Value;
};

struct TFormData {
    std::vector<TFormDataLine> Lines; // the form first, then its controls in order
    std::vector<TFormDataText> Texts;
};

// Parses form data into `data`; false when a fault raised its error
// ("Form data line N: ...").
bool ParseFormData(const std::string &source, TFormData &data);

// Reads the FORMDATA resource of that name (stored packed, see
// PackedResource.h) and builds the form's controls; false when an error was
// raised (a missing resource, handler or control, a fault of the data).
bool LoadFormData(TForm &form, const std::string &resourceName);
