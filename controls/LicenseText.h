#pragma once

#include <cstdint>
#include <string>

#include "forms/GraphicCtrls.h"

// How the control fits itself into its container (its parent, or its owner
// while it has no parent).
enum TExpandMode : uint8_t { expNone = 0, expFully = 1, expVertically = 2, expHorizontally = 3 };

// The licence agreement: holds the text, paints it word-wrapped inside its
// box, and writes it to a file with each "&&" reduced to one "&".
// The inherited caption stays empty; the text is cText.
class TLicenseText : public TLabel {
  public:
    CONTROL_CLASS(TLabel)
    explicit TLicenseText(TForm *owner);
    ~TLicenseText() override = default;

    bool cnApperance() const { return Apperance; }
    // Stores the value, even an unchanged one, then lays out and repaints.
    void SetcnApperance(bool value);

    TExpandMode cExpand() const { return Expand; }
    // No effect when the value is the current one; else stores it, lays out
    // and repaints.
    void SetcExpand(TExpandMode value);

    // The file the agreement belongs to; an empty name forbids writing it.
    const std::string &cTextFile() const { return TextFile; }
    void SetcTextFile(const std::string &value) { TextFile = value; }

    // The agreement, lines separated by CR LF, "&&" for each literal "&".
    const std::string &cText() const { return Agreement; }
    void SetcText(const std::string &value) { Agreement = value; }

    // Writes the agreement to path, replacing any file of that name. Returns 1
    // when written, 0 (touching no file) when cTextFile is empty, and 0 with
    // the file stream's error raised ("Cannot create file <path>", "Stream
    // write error") when the file can't be created or takes fewer bytes; the
    // file is closed on every path.
    int WriteTextFile(const std::string &path);
    // Writes the agreement to InstallDir\License.txt; result as WriteTextFile.
    int SaveToFile();

    // WM_PAINT goes to PaintText; every other message to the label.
    void Dispatch(UINT message, WPARAM wParam) override;
    bool SetAttribute(const std::string &key, const std::string &value) override;
    // Read-only text: the agreement as it reads is the value, its first line
    // the name.
    bool AccessibleText(TAccessibleText &text) const override;

  private:
    // Fits the bounds to the container as cExpand says, then marks the
    // control laid out.
    void ApplyExpandMode();
    // Paints the label's background, then the agreement on top of it, within
    // the box less 25 pixels at the right. Without a device context it draws
    // straight onto the parent's window.
    void PaintText(UINT message, WPARAM wParam);
    // Draws cText on the canvas with the control's font and colour.
    void DrawAgreement(TCanvas &canvas, TTextFill fill);
    // Paints the control at once when it has a parent.
    void RepaintNow();

    bool Apperance = false;
    TExpandMode Expand = expNone;
    std::string TextFile;
    std::string Agreement;
    int LaidOut = 0;
};
