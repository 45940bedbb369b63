// The editor's rows and the schedule they stand for.
#include "theme_rows.h"

#include <corvane.h>
#include <tskfolders.h>
#include <wchar.h>

#include <algorithm>
#include <memory>

const int kDayChoices[7] = {0, 1, 2, 3, 4, 6, 7};
const int kHourChoices[9] = {0, 1, 2, 3, 4, 5, 6, 12, 18};
const int kMinuteChoices[8] = {0, 1, 3, 5, 10, 20, 30, 45};

namespace {

const unsigned kUnscheduled = 0xFFFF;

std::wstring TitleOf(const std::wstring& path)
{
    wchar_t title[MAX_PATH];
    if (CSH::GetFileTitle(path.c_str(), title, MAX_PATH))
        return title;
    return path;
}

bool IsFile(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::vector<ThemeRow> ListThemeRows()
{
    std::vector<ThemeRow> rows;
    wchar_t folders[kMaxTskFolders][MAX_PATH];
    int folderCount = 0;
    if (!GetTskFolders(folders, &folderCount))
        return rows;
    for (int f = 0; f < folderCount && f < kMaxTskFolders; ++f) {
        int count = 0;
        GetTskFilepaths(folders[f], nullptr, 0, &count);
        if (count <= 0)
            continue;
        std::unique_ptr<wchar_t[][MAX_PATH]> paths(new wchar_t[count][MAX_PATH]);
        int listed = 0;
        GetTskFilepaths(folders[f], paths.get(), count, &listed);
        for (int i = 0; i < std::min(count, listed); ++i)
            rows.push_back(ThemeRow{TitleOf(paths[i]), paths[i], false});
    }
    return rows;
}

void ClearMarks(std::vector<ThemeRow>* rows)
{
    for (ThemeRow& row : *rows)
        row.checked = false;
}

void MarkScheduledRows(std::vector<ThemeRow>* rows, const CSchedule& schedule)
{
    std::vector<std::pair<unsigned, ThemeRow>> keyed;
    for (ThemeRow& row : *rows) {
        row.checked = false;
        keyed.push_back({kUnscheduled, row});
    }
    for (size_t i = 0; i < schedule.themes.size(); ++i) {
        const std::wstring& path = schedule.themes[i];
        // A path listed twice keeps its first place.
        bool found = false;
        for (auto& entry : keyed) {
            if (_wcsicmp(entry.second.path.c_str(), path.c_str()) != 0)
                continue;
            if (entry.first == kUnscheduled) {
                entry.first = static_cast<unsigned>(i);
                entry.second.checked = true;
            }
            found = true;
            break;
        }
        if (!found && IsFile(path))
            keyed.push_back({static_cast<unsigned>(i), ThemeRow{TitleOf(path), path, true}});
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    rows->clear();
    for (auto& entry : keyed)
        rows->push_back(entry.second);
}

CSchedule ScheduleFromRows(const std::vector<ThemeRow>& rows, long interval, int order)
{
    CSchedule schedule;
    schedule.interval = interval < 0 ? 0 : interval;
    schedule.order = order;
    for (const ThemeRow& row : rows)
        if (row.checked)
            schedule.themes.push_back(row.path);
    return schedule;
}

IntervalParts SplitInterval(long interval)
{
    if (interval < 0)
        interval = 0;
    return IntervalParts{interval / 1440, (interval % 1440) / 60, interval % 60};
}

long JoinInterval(long days, long hours, long minutes)
{
    long long total = static_cast<long long>(days) * 1440 + static_cast<long long>(hours) * 60 + minutes;
    if (total < 0)
        return 0;
    return total > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<long>(total);
}
