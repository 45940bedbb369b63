// Bounded text copies and path splitting for the shell and file helpers.
#include "shell_text.h"

#include <cwchar>

bool CopyBounded(wchar_t* out, size_t cch, const wchar_t* text, size_t length)
{
    if (!out || cch == 0)
        return false;
    if (!text)
        text = L"";
    size_t available = wcslen(text);
    if (length == kWholeText || length > available)
        length = available;
    bool fits = length < cch;
    size_t copied = fits ? length : cch - 1;
    wmemcpy(out, text, copied);
    out[copied] = L'\0';
    return fits;
}

const wchar_t* FileNamePart(const wchar_t* path)
{
    const wchar_t* slash = wcsrchr(path, L'\\');
    return slash ? slash + 1 : path;
}

size_t TitleLength(const wchar_t* name)
{
    const wchar_t* dot = wcsrchr(name, L'.');
    return dot ? static_cast<size_t>(dot - name) : wcslen(name);
}
