// Helpers shared by the wrappers.
#include "dovrel_private.h"

#include <commctrl.h>

#include <string>

void EnsureCommonControls(DWORD classes)
{
    INITCOMMONCONTROLSEX init = {sizeof(init), classes};
    ::InitCommonControlsEx(&init);
}

int CopyItemText(HWND control, UINT lengthMessage, UINT textMessage, int index, LPWSTR buffer, int capacity,
                 int error)
{
    if (!buffer || capacity <= 0)
        return error;
    buffer[0] = L'\0';
    LRESULT length = ::SendMessageW(control, lengthMessage, (WPARAM)index, 0);
    if (length < 0 || length >= capacity)
        return error;
    // The item is read into a buffer of its own reported length, so a text
    // that grew meanwhile cannot run past the caller's buffer either.
    std::wstring text((size_t)length + 1, L'\0');
    LRESULT copied = ::SendMessageW(control, textMessage, (WPARAM)index, (LPARAM)&text[0]);
    if (copied < 0 || copied > length)
        return error;
    wmemcpy(buffer, text.c_str(), (size_t)copied);
    buffer[copied] = L'\0';
    return (int)copied;
}
