// Linkora, the contacts add-in "Send SMS...": hands the chosen contact's
// mobile number to the SMS sender applet and brings the side bar up on it.
#include <windows.h>
#include <shellapi.h>

#include <stdio.h>

#include <string>

#include <ketra_host.h>
#include <pimstore.h>

#include "linkora_registry.h"

namespace {

const wchar_t kSmsSender[] = L"SMS Sender";
const wchar_t kSmsSenderKey[] = L"SOFTWARE\\ZARQ\\Applets\\SMS Sender";
const wchar_t kCallBackValue[] = L"CallBack";
const WPARAM kNumberHandedOver = 1406;
const DWORD kAppletNameChars = 64;

// The contact's mobile number; empty when the contact or number cannot be had.
std::wstring MobileNumberOf(long oid)
{
    std::wstring number;
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IPOutlookApp* app = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp,
                                   (void**)&app))) {
        if (SUCCEEDED(app->Logon(0))) {
            IDispatch* item = nullptr;
            if (SUCCEEDED(app->GetItemFromOid(oid, &item)) && item) {
                IContact* contact = nullptr;
                if (SUCCEEDED(item->QueryInterface(IID_IContact, (void**)&contact)) && contact) {
                    BSTR text = nullptr;
                    if (SUCCEEDED(contact->get_MobileTelephoneNumber(&text)) && text)
                        number = text;
                    SysFreeString(text);
                    contact->Release();
                }
                item->Release();
            }
            app->Logoff();
        }
        app->Release();
    }
    // S_FALSE (already initialised) is balanced too; a thread of another
    // model (RPC_E_CHANGED_MODE) was not initialised here.
    if (SUCCEEDED(com))
        CoUninitialize();
    return number;
}

// On the bar's own thread (the contacts applet calls from there) a sent
// message would run the bar's handling inside the caller: showing another
// applet unloads the contacts applet while its code is still on the stack.
// There the messages are posted instead.
LRESULT Deliver(HWND bar, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (::GetWindowThreadProcessId(bar, nullptr) == ::GetCurrentThreadId())
        return ::PostMessageW(bar, message, wParam, lParam);
    return ::SendMessageW(bar, message, wParam, lParam);
}

int StartBar()
{
    CLinkoraKey key;
    wchar_t folder[MAX_PATH] = {};
    if (!key.Open(KETRA_KEY) || !key.ReadString(L"path", folder, MAX_PATH))
        return 0;
    wchar_t program[MAX_PATH + 16];
    int n = _snwprintf(program, MAX_PATH + 16, L"%ls\\%ls", folder, KETRA_PROGRAM);
    if (n < 0 || n >= MAX_PATH + 16)
        return 0;
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.hwnd = ::FindWindowW(L"Desktop", nullptr);
    info.lpFile = program;
    info.lpParameters = kSmsSender;
    info.nShow = SW_SHOWNORMAL;
    ::ShellExecuteExW(&info);
    return 1;
}

}  // namespace

extern "C" __declspec(dllexport) int CePimCommand(HWND /*owner*/, PIMTYPE /*type*/, UINT count, HANDLE* items,
                                                  void* /*reserved*/)
{
    if (count != 1 || !items)
        return 0;
    std::wstring number = MobileNumberOf((long)(ULONG_PTR)items[0]);
    if (number.empty())
        return 0;
    {
        CLinkoraKey settings;
        if (!settings.Create(kSmsSenderKey) || !settings.WriteString(kCallBackValue, number.c_str()))
            return 0;
    }

    HWND bar = ::FindWindowW(KETRA_CLASS, nullptr);
    if (!bar)
        return StartBar();
    CLinkoraKey options;
    wchar_t current[kAppletNameChars + 1] = {};
    bool read = options.Create(KETRA_OPTIONS_KEY) &&
                options.ReadString(KETRA_CURRENT_APPLET_VALUE, current, kAppletNameChars + 1);
    if (!read || _wcsicmp(current, kSmsSender) != 0) {
        options.WriteString(KETRA_CURRENT_APPLET_VALUE, kSmsSender);
        return (int)Deliver(bar, WM_KETRA_SHOWAPPLET, 0, 0);
    }
    Deliver(bar, WM_KETRA_RELAY, kNumberHandedOver, 0);
    Deliver(bar, WM_KETRA_OPEN, 0, 0);
    return 1;
}
