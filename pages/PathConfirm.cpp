#include "pages/PathConfirm.h"

#include <cmath>
#include <cstring>

#include "app/ScaleToScreen.h"
#include "app/Setup.h"
#include "controls/LicenseText.h"
#include "install/Folders.h"
#include "install/InstallState.h"
#include "install/Payload.h"
#include "pages/Extensions.h"
#include "pages/MainWindow.h"
#include "pages/Path.h"
#include "pages/Unit4.h"
#include "resources/ProductInfo.h"
#include "shell/DirectDraw.h"
#include "shell/FileExtensions.h"
#include "shell/Shortcuts.h"
#include "win32/PathLimit.h"

TPathConfirmA *PathConfirmA = nullptr;

namespace {

const char ProductName[] = PRODUCT_NAME;

// Gauge colours (0x00BBGGRR).
const TColor GaugeOuter = 0x00FF00FF;
const TColor GaugeIdle = 0x00FF8080;
const TColor GaugeInner = 0x0080C000;

// InstallDirBuffer for the length of one install: freed and null again on
// every way out of the sequence, exceptions included.
class TInstallDirBuffer {
  public:
    explicit TInstallDirBuffer(const std::string &dir) {
        InstallDirBuffer = new char[dir.size() + 1];
        std::memcpy(InstallDirBuffer, dir.c_str(), dir.size() + 1);
    }
    ~TInstallDirBuffer() { Free(); }
    TInstallDirBuffer(const TInstallDirBuffer &) = delete;
    TInstallDirBuffer &operator=(const TInstallDirBuffer &) = delete;
    void Free() {
        delete[] InstallDirBuffer;
        InstallDirBuffer = nullptr;
    }
};

// One install per run. Clicks on Finish wait in the queue while an install
// runs, and the success page's modal loop would hand them on: none of them
// starts a second install, and none starts one after an install succeeded.
// After a failed install Finish runs the install again.
bool InstallRunning = false;
bool InstallSucceeded = false;

class TInstallRun {
  public:
    TInstallRun() { InstallRunning = true; }
    ~TInstallRun() { InstallRunning = false; }
    TInstallRun(const TInstallRun &) = delete;
    TInstallRun &operator=(const TInstallRun &) = delete;
};

// Every path that the install writes below the install folder must fit a
// buffer of PathBufferSize bytes. Checked before anything is removed, created
// or written, so that a long folder is refused whole instead of half-installed.
bool InstallPathsFit(const std::string &dir) {
    const size_t licence = sizeof("\\License.txt") - 1;
    size_t longest = LongestPayloadPath();
    if (licence > longest)
        longest = licence;
    return dir.size() + longest <= MaxPathLength;
}

} // namespace

void DrawProgress(const std::string &text, float fraction) {
    if (!PathConfirmA || !PathConfirmA->ProgressBitmap)
        return;
    TCanvas &canvas = PathConfirmA->ProgressBitmap->Canvas();
    canvas.CopyMode = SRCCOPY;
    if (PathConfirmA->ProgressCanvas)
        PathConfirmA->ProgressCanvas->CopyMode = SRCCOPY;

    canvas.BrushColor = GaugeOuter;
    canvas.PenColor = clBlack;
    canvas.Ellipse(-15, 2, 186, 72);

    TColor pie = fraction == 0.0f ? GaugeIdle : clBlack;
    canvas.BrushColor = pie;
    canvas.PenColor = fraction < 1.0f ? pie : clBlack;
    const float sweep = static_cast<float>(1.5707963267948966 - 0.17453292);
    float a = fraction * sweep;
    const double halfPi = 1.5707963267948966;
    int dx = static_cast<int>((1 + std::cos(halfPi + a)) * 102);
    int dy = static_cast<int>((1 - std::sin(halfPi + a)) * 35);
    int startX = dx - 18, startY = dy + 2;
    int endX = 186 - dx, endY = dy + 2;
    if (endX - startX < 3) {
        endX = startX;
        endY = startY;
        canvas.PenColor = canvas.BrushColor;
    }
    canvas.Pie(-17, 3, 187, 72, startX, startY, endX, endY);

    canvas.BrushColor = GaugeInner;
    canvas.PenColor = clBlack;
    canvas.Ellipse(-10, 21, 180, 61);

    canvas.Font.Color = clWhite;
    canvas.TextOut(48, 27, text);
}

// The gauge on the progress panel: drawn into ProgressBitmap, then copied
// onto the panel's window at once, since no paint message gets through while
// the install runs.
static void ShowGauge(const std::string &text, float fraction) {
    DrawProgress(text, fraction);
    if (PathConfirmA && PathConfirmA->ProgressCanvas && PathConfirmA->ProgressBitmap) {
        RECT rect = {0, 0, PathConfirmA->ProgressPanel->Width(), PathConfirmA->ProgressPanel->Height()};
        PathConfirmA->ProgressCanvas->CopyRect(rect, PathConfirmA->ProgressBitmap->Canvas(), rect);
    }
}

// ---------------------------------------------------------- TPathConfirmA

const THandlerRow TPathConfirmA::HandlerTable[] = {
    FORM_HANDLER(TPathConfirmA, FormCreate),
    FORM_HANDLER(TPathConfirmA, FormPaint),
    FORM_HANDLER(TPathConfirmA, FinishClick),
    FORM_HANDLER(TPathConfirmA, BackClick),
    FORM_HANDLER(TPathConfirmA, ExitSetupClick),
    FORM_HANDLER(TPathConfirmA, FormClose),
    {},
};

FORM_CONTROLS(TPathConfirmA, Shape1, Shape2, Shape3, Label1, Label3, ActualPathEdit, ProgressPanel, Finish,
              Back, ExitSetup)

TPathConfirmA::TPathConfirmA(TForm *owner) : TWizardPage(owner) {
    if (!LoadPage("PathConfirmA", HandlerTable))
        return;
    ProgressCanvas.reset(new TControlCanvas(ProgressPanel->Handle()));
    ProgressBitmap.reset(new TBitmap);
    ProgressBitmap->SetSize(ProgressPanel->Width(), ProgressPanel->Height());
    ProgressBitmap->Canvas().BrushColor = ProgressPanel->EffectiveColor();
    RECT all = {0, 0, ProgressBitmap->Width(), ProgressBitmap->Height()};
    ProgressBitmap->Canvas().FillRect(all);
    ProgressDisplay = ShowGauge;
}

TPathConfirmA::~TPathConfirmA() {
    ReleaseProgress();
}

std::string TPathConfirmA::NormalizePath(const std::string &path) {
    std::string s = path;
    StripTrailingBackslash(s);
    size_t k = sizeof(ProductName) - 1;
    std::string tail = s.size() < k ? s : s.substr(s.size() - k);
    if (tail == ProductName)
        return s;
    return s + "\\" + ProductName;
}

std::string TPathConfirmA::InstallDirFor(const std::string &text) {
    const std::string normal = NormalizePath(text);
    DWORD size = GetFullPathNameA(normal.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return std::string();
    std::string full(size, '\0');
    DWORD length = GetFullPathNameA(normal.c_str(), size, &full[0], nullptr);
    full.resize(length < size ? length : 0);
    return full;
}

void TPathConfirmA::FormCreate(TObject *) {
    ActualPathEdit->SetText(NormalizePath(PathA ? PathA->Path->Text() : std::string()));
    ScalePage();
    DrawProgress("", 0.0f);
}

void TPathConfirmA::FormPaint(TObject *) {
    RedrawWindow(ProgressPanel->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (ProgressBitmap && ProgressCanvas) {
        RECT rect = {0, 0, ProgressPanel->Width(), ProgressPanel->Height()};
        ProgressCanvas->CopyRect(rect, ProgressBitmap->Canvas(), rect);
    }
}

void TPathConfirmA::ReleaseProgress() {
    ProgressCanvas.reset();
    ProgressBitmap.reset();
}

void TPathConfirmA::FormClose(TObject *, TCloseAction &action) {
    ReleaseProgress();
    if (!ClosedToMoveOn())
        return;
    PathConfirmA = nullptr;
    action = caFree;
}

void TPathConfirmA::BackClick(TObject *) {
    if (ExtensionsA) {
        ExtensionsA->Show();
        BringWindowToTop(ExtensionsA->Handle());
    }
    LeavePage();
}

void TPathConfirmA::FinishClick(TObject *) {
    if (InstallRunning || InstallSucceeded)
        return;
    TInstallRun run;
    InstallDir = InstallDirFor(ActualPathEdit->Text());
    TInstallDirBuffer buffer(InstallDir);
    if (InstallDir.empty() || !InstallPathsFit(InstallDir)) {
        buffer.Free();
        ShowFailurePage();
        return;
    }

    RemoveFolder(InstallDir, nullptr, false);
    // The steps run in this order; the first that fails ends the install.
    // The install folder stays pinned from its creation on, so that nothing
    // is written through a link put in its place.
    TFolderPin installFolder;
    bool done = CreateInstallFolder(InstallDir, installFolder) && Form4 &&
                Form4->LicenseText1->SaveToFile() && ExtractPayload() && SetFileExtensions(Handle()) &&
                CreateShortcuts();
    if (!done) {
        buffer.Free();
        // An error that a step raised (the licence's file stream) ends the
        // click where it is, for the exception display; a step that failed
        // opens the failure page.
        if (!Raised())
            ShowFailurePage();
        return;
    }
    InstallSucceeded = true;
    if (!ShowSuccessPage(this))
        return;
    CheckDirectDraw(Handle());
    buffer.Free();
    QuitSetup();
}
