#pragma once

#include "forms/Control.h"

// A standard push button. Enter presses it only when it is the default button.
class TButton : public TWinControl {
  public:
    CONTROL_CLASS(TWinControl)
    bool Default = false;

    using TWinControl::TWinControl;
    bool SetAttribute(const std::string &key, const std::string &value) override;
    // Presses the button as a click would.
    void Click();

  protected:
    void CreateParams(TCreateParams &params) override;
    void CommandNotify(WORD code) override;
};

class TCheckBox : public TWinControl {
  public:
    CONTROL_CLASS(TWinControl)
    using TWinControl::TWinControl;
    bool SetAttribute(const std::string &key, const std::string &value) override;
    bool Checked() const;
    void SetChecked(bool checked);

  protected:
    void CreateParams(TCreateParams &params) override;
    bool CreateWnd() override;
    void CommandNotify(WORD code) override;

  private:
    bool StartChecked = false;
};

// A one-line edit box; its text is the control's caption.
class TEdit : public TWinControl {
  public:
    CONTROL_CLASS(TWinControl)
    explicit TEdit(TForm *owner);
    bool SetAttribute(const std::string &key, const std::string &value) override;
    std::string Text() const { return Caption(); }
    void SetText(const std::string &text) { SetCaption(text); }
    bool ReadOnly() const { return IsReadOnly; }

  protected:
    void CreateParams(TCreateParams &params) override;

  private:
    bool IsReadOnly = false;
};

// A frame around a group of controls; an optional caption at its top.
class TGroupBox : public TWinControl {
  public:
    CONTROL_CLASS(TWinControl)
    using TWinControl::TWinControl;

  protected:
    void CreateParams(TCreateParams &params) override;
    void PaintWindow(HDC dc) override;
};

// A plain container with an optional raised bevel and a centred caption.
class TPanel : public TWinControl {
  public:
    CONTROL_CLASS(TWinControl)
    bool Bevel = true;

    using TWinControl::TWinControl;
    bool SetAttribute(const std::string &key, const std::string &value) override;

  protected:
    void CreateParams(TCreateParams &params) override;
    void PaintWindow(HDC dc) override;
};

// A container that scrolls its contents vertically.
class TScrollBox : public TWinControl {
  public:
    CONTROL_CLASS(TWinControl)
    using TWinControl::TWinControl;
    bool SetAttribute(const std::string &key, const std::string &value) override;
    bool Loaded() override;

    int VertPosition() const { return Position; }
    // Moves the contents; the position is kept within the scroll range.
    void SetVertPosition(int position);
    int ScrollOffset() const override { return Position; }

  protected:
    void CreateParams(TCreateParams &params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    int Range() const;
    void UpdateScrollBar();
    int Position = 0;
};
