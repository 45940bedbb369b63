// `boxes` and `dismiss`: the message boxes open on the device.
//
// A message box is a visible top-level dialog ("#32770") with the static text
// control 0xFFFF that MessageBox puts its text in; ordinary dialogs lack it.
#include "devctl.h"

#include <wchar.h>

namespace {

const WORD kMessageBoxTextId = 0xFFFF;

struct TextSearch {
    HWND found;
};

BOOL CALLBACK FindTextControl(HWND child, LPARAM lParam)
{
    // Ids come back as 0xFFFF or sign-extended; compare the low word only.
    if ((WORD)GetDlgCtrlID(child) == kMessageBoxTextId && _wcsicmp(WindowClass(child).c_str(), L"Static") == 0) {
        reinterpret_cast<TextSearch*>(lParam)->found = child;
        return FALSE;
    }
    return TRUE;
}

HWND MessageBoxText(HWND dialog)
{
    TextSearch search = {nullptr};
    EnumChildWindows(dialog, FindTextControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> OpenMessageBoxes()
{
    std::vector<HWND> boxes;
    for (HWND hwnd : TopLevelWindows())
        if (IsWindowVisible(hwnd) && WindowClass(hwnd) == L"#32770" && MessageBoxText(hwnd))
            boxes.push_back(hwnd);
    return boxes;
}

} // namespace

int CmdBoxes(const Args& args)
{
    if (!args.empty())
        return kExitUsage;
    for (HWND box : OpenMessageBoxes())
        OutLine(Quoted(WindowText(box)) + L" " + Quoted(WindowText(MessageBoxText(box))));
    return kExitOk;
}

int CmdDismiss(const Args& args)
{
    if (args.size() > 1)
        return kExitUsage;
    static const struct {
        const wchar_t* word;
        int id;
    } kButtons[] = {{L"ok", IDOK}, {L"cancel", IDCANCEL}, {L"yes", IDYES}, {L"no", IDNO}};
    std::wstring word = args.empty() ? L"ok" : args[0];
    int id = 0;
    for (const auto& button : kButtons)
        if (word == button.word)
            id = button.id;
    if (!id)
        return kExitUsage;

    std::vector<HWND> boxes = OpenMessageBoxes();
    if (boxes.empty()) {
        ErrLine(L"devctl: no message box is open");
        return kExitFailed;
    }
    HWND box = boxes.front();
    HWND button = GetDlgItem(box, id);
    if (!button) {
        ErrLine(Format(L"devctl: the message box %ls has no %ls button", Quoted(WindowText(box)).c_str(),
                       word.c_str()));
        return kExitFailed;
    }
    // Posted, as a real click arrives: the box's owner may be busy right now.
    if (!PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button))) {
        ErrLine(Format(L"devctl: cannot reach the message box: %ls", ErrorText(GetLastError()).c_str()));
        return kExitFailed;
    }
    return kExitOk;
}
