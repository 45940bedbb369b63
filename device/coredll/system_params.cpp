// System parameters the device answers itself: the platform type, the
// maker's device description and the input panel's (224-227).  Every other
// action goes to the desktop.
#include <cedevice.h>
#include <strsafe.h>

#include "coredll_private.h"

namespace {

// Copies text into the caller's buffer of `cb` bytes; FALSE (and nothing
// copied) when it does not fit whole.
BOOL AnswerText(const wchar_t* text, UINT cb, PVOID out)
{
    if (!out) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    size_t cch = cb / sizeof(wchar_t);
    size_t length = wcslen(text);
    if (cch == 0 || length >= cch) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    StringCchCopyW(static_cast<wchar_t*>(out), cch, text);
    return TRUE;
}

} // namespace

// uiParam is the size of pvParam's buffer in bytes for the two text actions.
extern "C" BOOL WINAPI CoreSystemParametersInfoW(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni)
{
    if (uiAction == SPI_GETPLATFORMTYPE)
        return AnswerText(L"PocketPC", uiParam, pvParam);

    if (uiAction == SPI_GETOEMINFO) {
        wchar_t oem[128];
        if (!DevStateGetString(L"OEMInfo", oem, ARRAYSIZE(oem)))
            StringCchCopyW(oem, ARRAYSIZE(oem), L"Simulated Pocket PC");
        return AnswerText(oem, uiParam, pvParam);
    }

    BOOL panelAnswer = FALSE;
    if (InputPanelParameters(uiAction, pvParam, &panelAnswer))
        return panelAnswer;

    using Fn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);
    static const Fn real = RealFunction<Fn>(L"user32.dll", "SystemParametersInfoW");
    if (!real) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    return real(uiAction, uiParam, pvParam, fWinIni);
}
