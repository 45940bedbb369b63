// The launcher's settings in its configuration section.
#include "launch_list.h"

namespace {

const wchar_t kSection[] = L"Applets\\Launcher";
const wchar_t kLines[] = L"Lines";
const wchar_t kArrangeType[] = L"ArrangeType";

}  // namespace

namespace LaunchSettings {

int ReadLines()
{
    CAppConfig config;
    DWORD lines = 0;
    if (!config.Open(kSection) || !config.GetDWORD(kLines, &lines) || lines < 1 || lines > 10)
        return kDefaultLines;
    return static_cast<int>(lines);
}

int ReadArrangeMode(int fallback)
{
    CAppConfig config;
    DWORD mode = 0;
    if (!config.Open(kSection) || !config.GetDWORD(kArrangeType, &mode) || (mode != kInsert && mode != kSwap))
        return fallback;
    return static_cast<int>(mode);
}

BOOL Write(int lines, int arrangeMode)
{
    CAppConfig config;
    if (!config.Open(kSection))
        return FALSE;
    BOOL ok = config.SetDWORD(kLines, static_cast<DWORD>(lines));
    return config.SetDWORD(kArrangeType, static_cast<DWORD>(arrangeMode)) && ok;
}

}  // namespace LaunchSettings
