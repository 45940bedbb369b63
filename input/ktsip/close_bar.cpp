// Closing the side bar when the empty input method is deselected: the user
// picked another input method while the bar showed the keyboard applet.
#include "ktim.h"

#include <ketra_host.h>

namespace {

const wchar_t kLastImValue[] = L"LastIM";
// A hung side bar must not hold the input panel.
constexpr UINT kCloseTimeoutMs = 2000;
// Applet names are registry key names: up to 255 characters.
constexpr DWORD kNameChars = 256;

}  // namespace

void CloseBarShowingKeyboard()
{
    HWND bar = FindWindowW(KETRA_CLASS, nullptr);
    if (!bar)
        return;
    wchar_t lastIm[kNameChars];
    wchar_t current[kNameChars];
    if (!RegReadText(HKEY_LOCAL_MACHINE, KETRA_OPTIONS_KEY, kLastImValue, lastIm, kNameChars) ||
        !RegReadText(HKEY_LOCAL_MACHINE, KETRA_OPTIONS_KEY, KETRA_CURRENT_APPLET_VALUE, current, kNameChars))
        return;
    // Both are applet names, which the registry compares without case.
    if (!lastIm[0] || CompareStringOrdinal(lastIm, -1, current, -1, TRUE) != CSTR_EQUAL)
        return;
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(bar, WM_KETRA_WINDOW, KETRA_WINDOW_CLOSE, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kCloseTimeoutMs,
                        &answer);
}
