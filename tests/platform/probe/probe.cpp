// A probe applet for the side bar's tests, made with the applet kit. It logs
// every message its window receives to the device log ("probe: msg <n>
// <wParam> <lParam>") and is steered from outside through HKLM
// "SOFTWARE\ZARQ\PROBE":
//   Height     answer to query-refresh: non-zero sets the record's cyp and
//              answers 1; absent or 0 answers 0
//   Fail240    non-zero: export 240 returns null
//   Notify     the answer of export 243
//   OptionsStay  non-zero: the options dialog (template 500) stays open
//              until answered; else it ends as soon as it has started
// The options dialog records the Today list-item record it was given under
// the same key: OptionsName, OptionsDLL and OptionsItem (the other fields).
// Message kMsgRequest (WM_APP + 1) to the probe window makes it send its
// parent 1031 (set height, lParam = height), 1125 (draw background, into
// a surface of the window's size) or 1030 (show "ProbeNarrow", the name in
// a buffer of its own; "probe: switch returned <answer>" is logged after
// the parent answered) as wParam says; the answer is returned.  With
// wParam 500 it runs its options dialog from its own code, as an applet's
// own dialogs run, and returns the dialog's result.
#include <windows.h>

#include <stdio.h>
#include <wchar.h>

#include <applet_module.h>
#include <ketra_host.h>

#include "devlog.h"
#include "todaycmn.h"

#ifndef PROBE_WIDTH
#define PROBE_WIDTH 240
#endif

namespace {

const wchar_t kStateKey[] = L"SOFTWARE\\ZARQ\\PROBE";
const int kHeight = 40;
const UINT kMsgRequest = WM_APP + 1;

DWORD ReadState(const wchar_t* name)
{
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kStateKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return 0;
    return value;
}

void WriteState(const wchar_t* name, const wchar_t* text)
{
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kStateKey, name, REG_SZ, text, (DWORD)((wcslen(text) + 1) * sizeof(wchar_t)));
}

// What the options dialog was given, for the settings program's tests. A
// name without terminator inside its field is recorded as such.
void RecordOptionsItem(const TODAYLISTITEM* item)
{
    if (!item) {
        WriteState(L"OptionsItem", L"none");
        return;
    }
    wchar_t name[MAX_ITEMNAME + 1] = {};
    if (wcsnlen(item->szName, MAX_ITEMNAME) == MAX_ITEMNAME)
        wcscpy_s(name, MAX_ITEMNAME + 1, L"(unterminated)");
    else
        wcscpy_s(name, MAX_ITEMNAME + 1, item->szName);
    WriteState(L"OptionsName", name);
    WriteState(L"OptionsDLL", item->szDLLPath);
    wchar_t fields[256];
    swprintf(fields, 256, L"type=%d order=%lu cyp=%lu enabled=%d options=%d flags=%lu module=%ls window=%d data=%d/%lu",
             (int)item->tlit, (unsigned long)item->dwOrder, (unsigned long)item->cyp, item->fEnabled, item->fOptions,
             (unsigned long)item->grfFlags, item->hinstDLL == CorAppletModule() ? L"probe" : L"other",
             item->hwndCustom != nullptr, item->prgbCachedData != nullptr, (unsigned long)item->cbCachedData);
    WriteState(L"OptionsItem", fields);
    DevLog(L"probe", L"options %ls", fields);
}

class CProbeWnd : public CApplet {
public:
    // The creation itself fails when the tests ask for a failing 240.
    BOOL PreCreateWindow(CREATESTRUCTW* cs) override
    {
        DevLog(L"probe", L"create %d", 1);
        if (ReadState(L"Fail240"))
            return FALSE;
        return CApplet::PreCreateWindow(cs);
    }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        DevLog(L"probe", L"msg %u %llu %lld", message, (unsigned long long)wParam, (long long)lParam);
        if (message == kMsgRequest) {
            if (wParam == WM_KETRA_SETHEIGHT)
                return RequestHeight((int)lParam);
            if (wParam == TODAYM_DRAWWATERMARK)
                return DrawBackgroundRequest();
            if (wParam == WM_KETRA_SHOWAPPLET)
                return AskForAnotherApplet();
            if (wParam == IDD_TODAY_CUSTOM)
                return RunOptionsDialog();
            return 0;
        }
        return CApplet::OnMessage(message, wParam, lParam);
    }

    int OnTodayQueryRefreshCache(TODAYLISTITEM* item) override
    {
        DWORD height = ReadState(L"Height");
        if (!height || !item)
            return 0;
        item->cyp = height;
        return 1;
    }

private:
    // Runs on in this library after the parent answered, as an applet that
    // asks for another applet from its own code does.
    LRESULT AskForAnotherApplet()
    {
        wchar_t name[] = L"ProbeNarrow";
        LRESULT answer = ::SendMessageW(::GetParent(m_hWnd), WM_KETRA_SHOWAPPLET, (WPARAM)name, 0);
        DevLog(L"probe", L"switch returned %lld", (long long)answer);
        return answer;
    }

    LRESULT RunOptionsDialog();

    LRESULT DrawBackgroundRequest()
    {
        RECT client;
        GetClientRect(m_hWnd, &client);
        HDC screen = GetDC(m_hWnd);
        HDC surface = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        HGDIOBJ old = SelectObject(surface, bitmap);
        LRESULT result = DrawHostBackground(surface, client);
        // Report the colour the parent painted, so tests can check it.
        DevLog(L"probe", L"background %06lx", (unsigned long)GetPixel(surface, 0, 0));
        SelectObject(surface, old);
        DeleteObject(bitmap);
        DeleteDC(surface);
        ReleaseDC(m_hWnd, screen);
        return result;
    }
};

INT_PTR CALLBACK ProbeOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        RecordOptionsItem(reinterpret_cast<const TODAYLISTITEM*>(lParam));
        if (!ReadState(L"OptionsStay"))
            EndDialog(dialog, IDOK);
        return 1;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return 1;
    }
    return 0;
}

LRESULT CProbeWnd::RunOptionsDialog()
{
    const INT_PTR result = ::DialogBoxParamW(CorAppletModule(), MAKEINTRESOURCEW(IDD_TODAY_CUSTOM), ::GetParent(m_hWnd),
                                             ProbeOptionsDialogProc, 0);
    DevLog(L"probe", L"dialog returned %lld", (long long)result);
    return result;
}

int ProbeCheckNotify()
{
    return (int)ReadState(L"Notify");
}

}  // namespace

COR_APPLET(CProbeWnd, L"KETRA_PROBE", PROBE_WIDTH, kHeight)
COR_APPLET_OPTIONS(ProbeOptionsDialogProc)
COR_APPLET_ATTENTION(ProbeCheckNotify)
