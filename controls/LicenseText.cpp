#include "controls/LicenseText.h"

#include <oleacc.h>

#include "forms/Accessible.h"
#include "forms/FileStream.h"
#include "forms/Form.h"
#include "install/InstallState.h"

namespace {

// Space kept free at the right of the text, clear of the scroll bar.
const int RightMargin = 25;

bool ParseExpandMode(const std::string &text, TExpandMode &mode) {
    static const struct {
        const char *Name;
        TExpandMode Mode;
    } modes[] = {{"expNone", expNone},
                 {"expFully", expFully},
                 {"expVertically", expVertically},
                 {"expHorizontally", expHorizontally}};
    for (const auto &m : modes) {
        if (text == m.Name) {
            mode = m.Mode;
            return true;
        }
    }
    return false;
}

} // namespace

TLicenseText::TLicenseText(TForm *owner) : TLabel(owner) {
    // Its size comes from its expand mode, never from its text.
    AutoSize = false;
    // While form data is loaded the control has no parent yet, so this first
    // layout fits it to the page (and creates the page's window); the form
    // data then sets the designed bounds and mode.
    SetcExpand(expFully);
}

void TLicenseText::SetcnApperance(bool value) {
    Apperance = value;
    ApplyExpandMode();
    RepaintNow();
}

void TLicenseText::SetcExpand(TExpandMode value) {
    if (value == Expand)
        return;
    Expand = value;
    ApplyExpandMode();
    RepaintNow();
}

void TLicenseText::ApplyExpandMode() {
    TWinControl *container = Parent();
    if (!container)
        container = Owner;
    if (container) {
        if (Expand == expFully || Expand == expHorizontally) {
            SetLeft(0);
            SetWidth(container->ClientWidth());
        }
        if (Expand == expFully || Expand == expVertically) {
            SetTop(0);
            SetHeight(container->ClientHeight());
        }
    }
    LaidOut = 1;
}

void TLicenseText::RepaintNow() {
    if (Parent())
        Dispatch(WM_PAINT, 0);
}

void TLicenseText::Dispatch(UINT message, WPARAM wParam) {
    if (message == WM_PAINT)
        PaintText(message, wParam);
    else
        TLabel::Dispatch(message, wParam);
}

void TLicenseText::PaintText(UINT message, WPARAM wParam) {
    if (!LaidOut)
        ApplyExpandMode();
    // Background and the (empty) caption; nothing without a device context.
    TLabel::Dispatch(message, wParam);

    // Inside the parent's paint the given context is the control's surface
    // (origin at its corner, clipped to it), its background just painted:
    // the text lies on it. Otherwise the text is drawn straight onto the
    // parent's window, over what it shows, each line on the colour that the
    // control's corner shows there. The corner may be scrolled out of view or
    // clipped away, and then there is no colour to take: the lines stand on
    // white.
    if (wParam) {
        TCanvas canvas(reinterpret_cast<HDC>(wParam));
        DrawAgreement(canvas, tfClear);
    } else {
        TGraphicCanvas canvas(*this);
        COLORREF corner = GetPixel(canvas.Handle(), 0, 0);
        if (corner != CLR_INVALID)
            canvas.BrushColor = corner;
        DrawAgreement(canvas, tfBrush);
    }
}

void TLicenseText::DrawAgreement(TCanvas &canvas, TTextFill fill) {
    canvas.Font = EffectiveFont();
    // Wrapped between words, a line at each CR LF, "&&" shown as "&"; the
    // text ends at a zero, as the file does.
    RECT rect = {0, 0, Width() - RightMargin, Height()};
    canvas.TextRect(rect, Agreement.c_str(), DT_WORDBREAK, fill);
}

bool TLicenseText::AccessibleText(TAccessibleText &text) const {
    std::string agreement = TextAsShown(Agreement);
    if (agreement.empty())
        return false;
    text.Role = ROLE_SYSTEM_TEXT;
    text.State = STATE_SYSTEM_READONLY;
    text.Name = agreement.substr(0, agreement.find_first_of("\r\n"));
    text.Value = agreement;
    return true;
}

int TLicenseText::WriteTextFile(const std::string &path) {
    if (TextFile.empty())
        return 0;
    TFileStream file;
    if (!file.Create(path))
        return 0;

    // "&&" stands for one ampersand: scanning left to right, each pair gives
    // one "&", so "&&&&" becomes "&&" and "&&&" becomes "&&". A single "&"
    // stays as it is.
    std::string text;
    text.reserve(Agreement.size());
    const char *p = Agreement.c_str();
    while (*p) {
        text += *p;
        p += (p[0] == '&' && p[1] == '&') ? 2 : 1;
    }

    file.Seek(0);
    return file.WriteBuffer(text.data(), static_cast<uint32_t>(text.size())) ? 1 : 0;
}

int TLicenseText::SaveToFile() {
    return WriteTextFile(InstallDir + "\\License.txt");
}

bool TLicenseText::SetAttribute(const std::string &key, const std::string &value) {
    if (key == "cnApperance") {
        SetcnApperance(value == "true");
    } else if (key == "cExpand") {
        TExpandMode mode;
        if (!ParseExpandMode(value, mode))
            return false;
        SetcExpand(mode);
    } else if (key == "cTextFile") {
        SetcTextFile(value);
    } else if (key == "cText") {
        SetcText(value);
    } else if (key == "autosize") {
        // The control keeps the size it is given; it never sizes itself.
        return value == "false";
    } else {
        return TLabel::SetAttribute(key, value);
    }
    return true;
}
