#include "pages/PathConfirm.h"

#include <cmath>
#include <cstring>

#include "app/ScaleToScreen.h"
#include "app/Setup.h"
#include "controls/LicenseText.h"
#include "install/Folders.h"
#include "install/Payload.h"
#include "pages/Extensions.h"
#include "pages/MainWindow.h"
#include "pages/Path.h"
#include "pages/Unit4.h"
#include "shell/DirectDraw.h"
#include "shell/FileExtensions.h"
#include "shell/Shortcuts.h"

std::string InstallDir;
char *InstallDirBuffer = nullptr;
uint32_t PayloadTotalBytes = 0;
uint32_t PayloadDoneBytes = 0;
uint32_t ExtractStartTick = 0;
DWORD(WINAPI *SetupTickCount)() = GetTickCount;

TPathConfirmA *PathConfirmA = nullptr;

namespace {

const char ProductName[] = "Vantorelle";

// Gauge colours (0x00BBGGRR).
const TColor GaugeOuter = 0x00FF00FF;
const TColor GaugeIdle = 0x00FF8080;
const TColor GaugeInner = 0x0080C000;

// Copies at most 259 characters of [begin, end) and a terminator.
void CopyBounded(char *to, const char *begin, const char *end) {
    if (!to)
        return;
    size_t length = static_cast<size_t>(end - begin);
    if (length > 259)
        length = 259;
    std::memcpy(to, begin, length);
    to[length] = '\0';
}

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
// buffer of 260 bytes. Checked before anything is removed, created or
// written, so that a long folder is refused whole instead of half-installed.
bool InstallPathsFit(const std::string &dir) {
    const size_t licence = sizeof("\\License.txt") - 1;
    size_t longest = LongestPayloadPath();
    if (licence > longest)
        longest = licence;
    return dir.size() + longest <= 259;
}

} // namespace

void StripTrailingBackslash(std::string &path) {
    while (!path.empty() && static_cast<unsigned char>(path.back()) <= ' ')
        path.pop_back();
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
}

int SplitFilePath(const char *path, char *folder, char *name, char *extension) {
    CopyBounded(folder, "", "");
    CopyBounded(name, "", "");
    CopyBounded(extension, "", "");
    if (!path)
        return 0;
    const char *end = path + std::strlen(path);
    const char *slash = std::strrchr(path, '\\');
    const char *dot = std::strrchr(path, '.');
    // A dot in a folder name or a long tail starts no extension.
    if (dot && ((slash && dot < slash) || end - dot > 4))
        dot = nullptr;
    const char *nameEnd = dot ? dot : end;
    if (dot)
        CopyBounded(extension, dot, end);
    if (slash) {
        CopyBounded(folder, path, slash + 1);
        CopyBounded(name, slash + 1, nameEnd);
    } else {
        CopyBounded(name, path, nameEnd);
    }
    return 1;
}

int ShowSetupMessage(const std::string &text, const std::string &caption, HWND owner) {
    if (!owner && Form1)
        owner = Form1->Handle();
    char textBuffer[260], captionBuffer[260];
    CopyBounded(textBuffer, text.data(), text.data() + text.size());
    CopyBounded(captionBuffer, caption.data(), caption.data() + caption.size());
    return MessageBoxExA(owner, textBuffer, captionBuffer, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL, 0x0409);
}

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

DWORD PaceExtraction(float fraction) {
    int32_t target = static_cast<int32_t>(fraction * 4000.0);
    uint32_t elapsed = SetupTickCount() - ExtractStartTick;
    int32_t lead = static_cast<int32_t>(static_cast<uint32_t>(target) - elapsed);
    if (lead < 100)
        return 0;
    DWORD start = SetupTickCount();
    while (SetupTickCount() - start < static_cast<DWORD>(lead))
        Sleep(1);
    return static_cast<DWORD>(lead);
}

void ExtractProgress(TZCodec *, const std::string &, const char *label, float, uint32_t, uint32_t,
                     uint32_t deltaIn, uint32_t) {
    PayloadDoneBytes += deltaIn;
    char name[260], extension[260];
    SplitFilePath(label, nullptr, name, extension);
    std::string text = std::string(name) + extension;
    // A payload of no bytes counts as not started, never as NaN.
    float fraction = PayloadTotalBytes
                         ? static_cast<float>(static_cast<double>(PayloadDoneBytes) / PayloadTotalBytes)
                         : 0.0f;
    DrawProgress(text, fraction);
    if (PathConfirmA && PathConfirmA->ProgressCanvas && PathConfirmA->ProgressBitmap) {
        RECT rect = {0, 0, PathConfirmA->ProgressPanel->Width(), PathConfirmA->ProgressPanel->Height()};
        PathConfirmA->ProgressCanvas->CopyRect(rect, PathConfirmA->ProgressBitmap->Canvas(), rect);
    }
    PaceExtraction(fraction);
}

// ---------------------------------------------------------- TPathConfirmA

TPathConfirmA::TPathConfirmA(TForm *owner) : TForm(owner) {
    LoadForm("PathConfirmA");
    Shape1 = Find<TShape>("Shape1");
    Shape2 = Find<TShape>("Shape2");
    Shape3 = Find<TShape>("Shape3");
    Label1 = Find<TLabel>("Label1");
    Label3 = Find<TLabel>("Label3");
    ActualPathEdit = Find<TEdit>("ActualPathEdit");
    ProgressPanel = Find<TPanel>("ProgressPanel");
    Finish = Find<TButton>("Finish");
    Back = Find<TButton>("Back");
    ExitSetup = Find<TButton>("ExitSetup");
    PlacePage(*this, 156, 106, 478, 341);
    ExitOnClose = 1;
    ProgressCanvas = new TControlCanvas(ProgressPanel->Handle());
    ProgressBitmap = new TBitmap;
    ProgressBitmap->SetSize(ProgressPanel->Width(), ProgressPanel->Height());
    ProgressBitmap->Canvas().BrushColor = ProgressPanel->EffectiveColor();
    RECT all = {0, 0, ProgressBitmap->Width(), ProgressBitmap->Height()};
    ProgressBitmap->Canvas().FillRect(all);
}

TPathConfirmA::~TPathConfirmA() {
    ReleaseProgress();
}

TNotifyEvent TPathConfirmA::NotifyHandler(const std::string &name) {
    if (name == "FormCreate")
        return [this](TObject *sender) { FormCreate(sender); };
    if (name == "FormPaint")
        return [this](TObject *sender) { FormPaint(sender); };
    if (name == "FinishClick")
        return [this](TObject *sender) { FinishClick(sender); };
    if (name == "BackClick")
        return [this](TObject *sender) { BackClick(sender); };
    if (name == "ExitSetupClick")
        return [this](TObject *sender) { ExitSetupClick(sender); };
    return TForm::NotifyHandler(name);
}

TCloseEvent TPathConfirmA::CloseHandler(const std::string &name) {
    if (name == "FormClose")
        return [this](TObject *sender, TCloseAction &action) { FormClose(sender, action); };
    return TForm::CloseHandler(name);
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

void TPathConfirmA::FormCreate(TObject *) {
    ActualPathEdit->SetText(NormalizePath(PathA ? PathA->Path->Text() : std::string()));
    ScaleToScreen(*this, 30, 50);
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
    delete ProgressCanvas;
    ProgressCanvas = nullptr;
    delete ProgressBitmap;
    ProgressBitmap = nullptr;
}

void TPathConfirmA::FormClose(TObject *, TCloseAction &action) {
    ReleaseProgress();
    if (ExitOnClose) {
        QuitSetup();
        return;
    }
    ExitOnClose = 1;
    PathConfirmA = nullptr;
    action = caFree;
}

void TPathConfirmA::BackClick(TObject *) {
    if (ExtensionsA) {
        ExtensionsA->Show();
        BringWindowToTop(ExtensionsA->Handle());
    }
    ExitOnClose = 0;
    Close();
}

void TPathConfirmA::ExitSetupClick(TObject *) {
    if (ConfirmExitSetup())
        QuitSetup();
}

void TPathConfirmA::FinishClick(TObject *) {
    if (InstallRunning || InstallSucceeded)
        return;
    TInstallRun run;
    InstallDir = NormalizePath(ActualPathEdit->Text());
    TInstallDirBuffer buffer(InstallDir);
    if (!InstallPathsFit(InstallDir)) {
        buffer.Free();
        ShowFailurePage();
        return;
    }

    RemoveFolder(InstallDir, nullptr, false);
    // The steps run in this order; the first that fails ends the install.
    bool done = CreateFolder(InstallDir) && Form4 && Form4->LicenseText1->SaveToFile() && ExtractPayload() &&
                SetFileExtensions(Handle()) && CreateShortcuts();
    if (!done) {
        buffer.Free();
        ShowFailurePage();
        return;
    }
    InstallSucceeded = true;
    ShowSuccessPage(this);
    CheckDirectDraw(Handle());
    buffer.Free();
    QuitSetup();
}
