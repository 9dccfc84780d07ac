#include "forms/FileCtrls.h"

#include <cctype>

#include "win32/FindHandle.h"
#include "forms/Form.h"
#include "forms/GraphicCtrls.h"

#include <algorithm>

namespace {

std::string CurrentDirectory() {
    DWORD size = GetCurrentDirectoryA(0, nullptr);
    std::string path(size + 1, '\0');
    DWORD length = GetCurrentDirectoryA(size + 1, &path[0]);
    path.resize(length <= size ? length : 0);
    return path;
}

} // namespace

// ---------------------------------------------------------- TDriveComboBox

bool TDriveComboBox::SetEvent(const std::string &key, TNotifyEvent handler) {
    if (key != "onchange")
        return false;
    OnChange = handler;
    return true;
}

void TDriveComboBox::CreateParams(TCreateParams &params) {
    TWinControl::CreateParams(params);
    params.ClassName = "ComboBox";
    params.Standard = true;
    params.Style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
}

bool TDriveComboBox::CreateWnd() {
    // The drop-down part needs room below the edit part.
    int height = H;
    H = 200;
    bool made = TWinControl::CreateWnd();
    H = height;
    if (!made)
        return false;
    DWORD drives = GetLogicalDrives();
    std::string current = CurrentDirectory();
    char currentLetter = current.empty() ? 'c' : static_cast<char>(std::tolower(current[0]));
    int selected = 0;
    for (int i = 0; i < 26; i++) {
        if (!(drives & (1u << i)))
            continue;
        char letter = static_cast<char>('a' + i);
        std::string root = std::string(1, letter) + ":\\";
        std::string item = std::string(1, letter) + ":";
        UINT type = GetDriveTypeA(root.c_str());
        if (type != DRIVE_REMOVABLE) {
            char volume[MAX_PATH + 1] = "";
            UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
            GetVolumeInformationA(root.c_str(), volume, sizeof(volume), nullptr, nullptr, nullptr, nullptr,
                                  0);
            SetErrorMode(oldMode);
            item += std::string(" [") + volume + "]";
        }
        LRESULT index = SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        if (letter == currentLetter)
            selected = static_cast<int>(index);
    }
    SendMessageA(Handle(), CB_SETCURSEL, selected, 0);
    return true;
}

std::vector<std::string> TDriveComboBox::Items() const {
    std::vector<std::string> items;
    if (!HandleAllocated())
        return items;
    LRESULT count = SendMessageA(Handle(), CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; i++) {
        LRESULT length = SendMessageA(Handle(), CB_GETLBTEXTLEN, i, 0);
        std::string text(length + 1, '\0');
        SendMessageA(Handle(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(length);
        items.push_back(text);
    }
    return items;
}

bool TDriveComboBox::RemoveItem(const std::string &text) {
    std::vector<std::string> items = Items();
    for (size_t i = 0; i < items.size(); i++) {
        if (items[i] == text) {
            LRESULT selected = SendMessageA(Handle(), CB_GETCURSEL, 0, 0);
            SendMessageA(Handle(), CB_DELETESTRING, i, 0);
            if (selected == static_cast<LRESULT>(i))
                SendMessageA(Handle(), CB_SETCURSEL, 0, 0);
            return true;
        }
    }
    return false;
}

char TDriveComboBox::Drive() const {
    if (!HandleAllocated())
        return 0;
    LRESULT selected = SendMessageA(Handle(), CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return 0;
    std::vector<std::string> items = Items();
    return static_cast<size_t>(selected) < items.size() && !items[selected].empty() ? items[selected][0] : 0;
}

void TDriveComboBox::CommandNotify(WORD code) {
    if (code == CBN_SELCHANGE && OnChange)
        OnChange(this);
}

// ------------------------------------------------------- TDirectoryListBox

TDirectoryListBox::TDirectoryListBox(TForm *owner) : TWinControl(owner) {
    Color = clWindow;
    ParentColor = false;
}

bool TDirectoryListBox::SetAttribute(const std::string &key, const std::string &value) {
    if (key != "dirlabel")
        return TWinControl::SetAttribute(key, value);
    DirLabelName = value;
    return true;
}

bool TDirectoryListBox::Loaded() {
    if (!DirLabelName.empty()) {
        DirLabel = Owner->Find<TLabel>(DirLabelName);
        if (!DirLabel)
            return false;
        DirLabel->SetCaption(Current);
    }
    return true;
}

bool TDirectoryListBox::SetEvent(const std::string &key, TNotifyEvent handler) {
    if (key == "onchange")
        OnChange = handler;
    else if (key == "ondblclick")
        OnDblClick = handler;
    else if (key == "onclick")
        OnClick = handler;
    else
        return false;
    return true;
}

void TDirectoryListBox::CreateParams(TCreateParams &params) {
    TWinControl::CreateParams(params);
    params.ClassName = "ListBox";
    params.Standard = true;
    params.Style |=
        WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

bool TDirectoryListBox::CreateWnd() {
    if (!TWinControl::CreateWnd())
        return false;
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, 16);
    if (Current.empty())
        Current = CurrentDirectory();
    Fill();
    return true;
}

void TDirectoryListBox::Fill() {
    Paths.clear();
    Levels.clear();
    if (!Current.empty()) {
        // The path's folders, root first, then the current folder's subfolders.
        std::string root = Current.substr(0, 3);
        root[0] = static_cast<char>(std::tolower(root[0]));
        Paths.push_back(root);
        Levels.push_back(0);
        size_t start = 3;
        int level = 1;
        while (start < Current.size()) {
            size_t end = Current.find('\\', start);
            if (end == std::string::npos)
                end = Current.size();
            Paths.push_back(Current.substr(0, end));
            Levels.push_back(level++);
            start = end + 1;
        }
        OpenIndex = Paths.size() - 1;
        std::string base = Current.back() == '\\' ? Current : Current + "\\";
        WIN32_FIND_DATAA found;
        TFindHandle search(FindFirstFileA((base + "*.*").c_str(), &found));
        std::vector<std::string> subfolders;
        if (search.Valid()) {
            do {
                if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                    lstrcmpA(found.cFileName, ".") != 0 && lstrcmpA(found.cFileName, "..") != 0)
                    subfolders.push_back(found.cFileName);
            } while (FindNextFileA(search.Get(), &found));
        }
        std::sort(subfolders.begin(), subfolders.end(), [](const std::string &a, const std::string &b) {
            return lstrcmpiA(a.c_str(), b.c_str()) < 0;
        });
        for (const std::string &name : subfolders) {
            Paths.push_back(base + name);
            Levels.push_back(level);
        }
    }
    if (DirLabel)
        DirLabel->SetCaption(Current);
    if (!HandleAllocated())
        return;
    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
    for (const std::string &path : Paths) {
        size_t slash = path.find_last_of('\\', path.size() - 2);
        std::string name = path.size() <= 3 ? path : path.substr(slash + 1);
        SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    // The open folder is the last of the path's items.
    if (!Paths.empty())
        SendMessageA(Handle(), LB_SETCURSEL, OpenIndex, 0);
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TDirectoryListBox::SetDirectory(const std::string &path) {
    if (path.empty())
        return;
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    if (length == 0 || length >= sizeof(full))
        return;
    std::string folder(full);
    if (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    if (!SetCurrentDirectoryA(folder.c_str()))
        return;
    Current = folder;
    Fill();
    if (OnChange)
        OnChange(this);
}

void TDirectoryListBox::SetDrive(char drive) {
    if (!Current.empty() && std::tolower(Current[0]) == std::tolower(drive))
        return;
    char relative[] = {drive, ':', '.', 0};
    SetDirectory(relative);
}

void TDirectoryListBox::Update() {
    Fill();
}

void TDirectoryListBox::Clear() {
    Paths.clear();
    Levels.clear();
    if (HandleAllocated())
        SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
}

void TDirectoryListBox::OpenSelected() {
    LRESULT selected = SendMessageA(Handle(), LB_GETCURSEL, 0, 0);
    if (selected != LB_ERR && static_cast<size_t>(selected) < Paths.size())
        SetDirectory(Paths[selected]);
}

void TDirectoryListBox::CommandNotify(WORD code) {
    if (code == LBN_DBLCLK) {
        OpenSelected();
        if (OnDblClick)
            OnDblClick(this);
    } else if (code == LBN_SELCHANGE && OnClick) {
        OnClick(this);
    }
}

LRESULT TDirectoryListBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        // Enter opens the highlighted folder instead of reaching the page.
        if (lParam && reinterpret_cast<MSG *>(lParam)->message == WM_KEYDOWN &&
            reinterpret_cast<MSG *>(lParam)->wParam == VK_RETURN)
            return DLGC_WANTMESSAGE;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            OpenSelected();
            return 0;
        }
        break;
    case CN_DRAWITEM: {
        auto *item = reinterpret_cast<DRAWITEMSTRUCT *>(lParam);
        if (item->itemID == static_cast<UINT>(-1) || item->itemID >= Paths.size())
            return TRUE;
        bool selected = (item->itemState & ODS_SELECTED) != 0;
        HDC dc = item->hDC;
        RECT rect = item->rcItem;
        TGdiObject back(CreateSolidBrush(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW)));
        FillRect(dc, &rect, back.Get());
        int x = rect.left + 2 + Levels[item->itemID] * 8;
        // A small folder: a tab and a body, open folders filled in yellow.
        bool open = item->itemID <= OpenIndex;
        TGdiObject body(CreateSolidBrush(open ? RGB(255, 255, 128) : RGB(224, 192, 96)));
        TSelectObject selectBody(dc, body.Get());
        Rectangle(dc, x, rect.top + 4, x + 6, rect.top + 6);
        Rectangle(dc, x, rect.top + 5, x + 14, rect.top + 14);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        // The item's text in a buffer of the length the list gives for it: a
        // folder name on a path longer than MAX_PATH is no reason to overrun.
        LRESULT length = SendMessageA(Handle(), LB_GETTEXTLEN, item->itemID, 0);
        std::string text(length > 0 ? static_cast<size_t>(length) + 1 : 1, '\0');
        if (length > 0)
            length = SendMessageA(Handle(), LB_GETTEXT, item->itemID, reinterpret_cast<LPARAM>(&text[0]));
        RECT textRect = {x + 18, rect.top, rect.right, rect.bottom};
        DrawTextA(dc, text.c_str(), length > 0 ? static_cast<int>(length) : 0, &textRect,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (item->itemState & ODS_FOCUS)
            DrawFocusRect(dc, &rect);
        return TRUE;
    }
    }
    return TWinControl::WndProc(message, wParam, lParam);
}
