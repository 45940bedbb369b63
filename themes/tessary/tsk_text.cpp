// File sizes, dates and picture fitting for the library's dialogs.
#include "tsk_text.h"

#include <math.h>
#include <strsafe.h>
#include <wchar.h>

bool FormatKilobytes(ULONGLONG bytes, const wchar_t* prefix, wchar_t* out, size_t cch)
{
    if (!out || cch == 0)
        return false;
    if (!prefix)
        prefix = L"";
    HRESULT result = bytes <= 1024
                         ? StringCchPrintfW(out, cch, L"%ls%.2f KB", prefix, static_cast<double>(bytes) / 1024.0)
                         : StringCchPrintfW(out, cch, L"%ls%llu KB", prefix, (bytes + 512) / 1024);
    return SUCCEEDED(result);
}

bool FormatFileTime(const FILETIME& utc, const wchar_t* datePicture, const wchar_t* timePicture, wchar_t* out,
                    size_t cch)
{
    if (!out || cch == 0)
        return false;
    out[0] = L'\0';
    FILETIME local;
    SYSTEMTIME time;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &time))
        return false;
    wchar_t date[64] = L"";
    wchar_t clock[64] = L"";
    if (datePicture && !GetDateFormatW(LOCALE_USER_DEFAULT, 0, &time, datePicture, date, 64))
        return false;
    if (timePicture && !GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, timePicture, clock, 64))
        return false;
    return SUCCEEDED(StringCchPrintfW(out, cch, L"%ls%ls", date, clock));
}

bool IsSpecialThemeName(const wchar_t* path)
{
    return path && (_wcsicmp(path, L"<default>") == 0 || _wcsicmp(path, L"<current>") == 0);
}

RECT FitPicture(int width, int height, int boxWidth, int boxHeight)
{
    RECT fit = {0, 0, 0, 0};
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return fit;
    const double scaleX = static_cast<double>(boxWidth) / width;
    const double scaleY = static_cast<double>(boxHeight) / height;
    const double scale = scaleX < scaleY ? scaleX : scaleY;
    const int scaledWidth = static_cast<int>(floor(width * scale + 0.5));
    const int scaledHeight = static_cast<int>(floor(height * scale + 0.5));
    fit.left = (boxWidth - scaledWidth) / 2;
    fit.top = (boxHeight - scaledHeight) / 2;
    fit.right = fit.left + scaledWidth;
    fit.bottom = fit.top + scaledHeight;
    return fit;
}
