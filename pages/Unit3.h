#pragma once

#include "forms/Controls.h"
#include "forms/Form.h"

// The welcome page.
class TForm3 : public TForm {
  public:
    TLabel *Label1;
    TShape *Shape1, *Shape2, *Shape3, *Shape4, *Shape5, *Shape6, *Shape7, *Shape8, *Shape9;
    TButton *Button1, *Button2;
    // 1: closing the page ends the setup; 0: a navigation handler closes it to move on.
    int ExitOnClose;

    explicit TForm3(TForm *owner);

    void FormCreate(TObject *sender);
    void Button1Click(TObject *sender);
    void Button2Click(TObject *sender);
    void FormClose(TObject *sender, TCloseAction &action);

    TNotifyEvent NotifyHandler(const std::string &name) override;
    TCloseEvent CloseHandler(const std::string &name) override;
};

extern TForm3 *Form3;
