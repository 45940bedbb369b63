// Writing the plain-text form of a schedule.
#include "schedule.h"

#include <skinpackage.h>
#include <stdio.h>
#include <wchar.h>

namespace {

void Append(std::wstring& text, const wchar_t* format, long value)
{
    wchar_t line[32];
    _snwprintf(line, 31, format, value);
    line[31] = L'\0';
    text += line;
}

} // namespace

bool WriteScheduleFile(const wchar_t* path, const CSchedule& schedule)
{
    if (!path || !*path)
        return false;
    std::wstring text;
    Append(text, L"%ld\r\n", schedule.interval < 0 ? 0 : schedule.interval);
    text += schedule.order == CSchedule::kRandom ? L"random\r\n" : L"sequential\r\n";
    Append(text, L"%ld\r\n", static_cast<long>(schedule.themes.size()));
    for (const std::wstring& theme : schedule.themes) {
        text += theme;
        text += L"\r\n";
    }

    // Into "<path>.new~", then renamed over the schedule.
    std::wstring temporary = std::wstring(path) + L".new~";
    ceWriteFile file;
    bool ok = file.OpenFile(temporary.c_str()) &&
              file.WriteFile(text.data(), 0, static_cast<DWORD>(text.size() * sizeof(wchar_t)));
    ok = file.CloseFile() && ok;
    if (ok)
        ok = MoveFileExW(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok)
        DeleteFileW(temporary.c_str());
    else
        SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    return ok;
}
