#include "app/Setup.h"

#include "forms/Application.h"
#include "pages/Exit.h"
#include "pages/Extensions.h"
#include "pages/MainWindow.h"
#include "pages/Path.h"
#include "pages/PathConfirm.h"
#include "pages/Unit2.h"
#include "pages/Unit3.h"
#include "pages/Unit4.h"
#include "pages/Unit5.h"

void QuitSetup() {
    if (Form1)
        Form1->Close();
}

bool ConfirmExitSetup() {
    TFormPtr<TExitSetup> dialog = Construct<TExitSetup>(nullptr);
    return dialog && dialog->ShowModal() == mrOk;
}

void ShowFailurePage() {
    Application->CreateForm(Form2);
}

bool ShowSuccessPage(TForm *owner) {
    TFormPtr<TForm5> page = Construct<TForm5>(owner);
    if (!page)
        return false;
    page->ShowModal();
    return !Raised();
}

void RaiseVisiblePage() {
    // The file-type page stands between the destination and the confirmation
    // page: without it a click on the backdrop would bury that page.
    TForm *chain[] = {Form2, Form3, Form4, PathA, ExtensionsA, PathConfirmA};
    for (TForm *page : chain) {
        if (page && page->Showing()) {
            SetWindowPos(page->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
            return;
        }
    }
}
