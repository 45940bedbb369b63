// The summary's sections, their loading rules, the layouts and the taps.
#include "agendo_model.h"

#include <stdio.h>
#include <wchar.h>

namespace agendo {

const wchar_t kNoContent[] = L"No Content";
const wchar_t kNoSubject[] = L"No Subject";

namespace {

const int kLongTitle = 31;      // titles this long or longer are cut...
const int kShownTitle = 30;     // ...to this many characters
const int kLongText = 250;
const wchar_t kEllipsis[] = L"...";

const int kRowHeight = 25;
const int kRows = 5;
const int kColumnRight[] = {30, 190, 213, 236};

// Bar tops per mode (0, 1, 2 and the closed mode 6) and section.
const int kBarTops[4][kSectionCount] = {{4, 79, 104}, {4, 29, 104}, {4, 29, 54}, {4, 29, 54}};
const int kOpenTextTops[3] = {29, 54, 79};

int ModeRow(int mode)
{
    return mode == kAllClosed ? 3 : mode;
}

} // namespace

bool CopyText(wchar_t* out, size_t capacity, const wchar_t* source)
{
    if (capacity == 0)
        return false;
    size_t i = 0;
    for (; source && source[i] && i + 1 < capacity; ++i)
        out[i] = source[i];
    out[i] = L'\0';
    return !source || source[i] == L'\0';
}

void BlankLineBreaks(wchar_t* text)
{
    for (; *text; ++text)
        if (*text == L'\r' || *text == L'\n')
            *text = L' ';
}

std::wstring DisplayTitle(const wchar_t* title)
{
    std::wstring shown(title);
    if ((int)shown.size() >= kLongTitle)
        shown = shown.substr(0, kShownTitle) + kEllipsis;
    return shown;
}

std::wstring DisplayText(const wchar_t* text)
{
    std::wstring shown(text);
    if ((int)shown.size() > kLongText)
        shown = shown.substr(0, kLongText) + kEllipsis;
    return shown;
}

// ---- sections ------------------------------------------------------------------------

Section::Section(int iconId, const wchar_t* placeholder) : iconId_(iconId), placeholder_(placeholder) {}

void Section::Clear()
{
    entries_.clear();
    index_ = 0;
    hasItems_ = false;
}

void Section::Add(const std::wstring& title, const std::wstring& text)
{
    Entry entry;
    CopyText(entry.title, kTitleChars + 1, title.empty() ? kNoSubject : title.c_str());
    BlankLineBreaks(entry.title);
    CopyText(entry.text, kTextChars + 1, text.empty() ? kNoContent : text.c_str());
    BlankLineBreaks(entry.text);
    entries_.push_back(entry);
    hasItems_ = true;
}

void Section::Finish()
{
    if (!entries_.empty())
        return;
    Entry entry;
    CopyText(entry.title, kTitleChars + 1, placeholder_);
    CopyText(entry.text, kTextChars + 1, kNoContent);
    entries_.push_back(entry);
    index_ = 0;
    hasItems_ = false;
}

void Section::Previous()
{
    if (!entries_.empty())
        index_ = (index_ + Count() - 1) % Count();
}

void Section::Next()
{
    if (!entries_.empty())
        index_ = (index_ + 1) % Count();
}

// ---- loading rules ---------------------------------------------------------------------

void LoadMail(Section* section, bool inboxRead, const std::vector<MailItem>& unread)
{
    if (inboxRead) {
        section->Clear();
        for (const MailItem& item : unread)
            section->Add(item.subject, item.body.substr(0, kBodyChars));
    }
    section->Finish();
}

std::wstring AppointmentTitle(const AppointmentItem& appointment, LCID lcid)
{
    std::wstring subject = appointment.subject.substr(0, kSubjectChars);
    if (subject.empty())
        subject = kNoSubject;
    const SYSTEMTIME& start = appointment.start;
    const SYSTEMTIME& end = appointment.end;
    wchar_t title[kTitleChars + 1];
    if (start.wYear == end.wYear && start.wMonth == end.wMonth && start.wDay == end.wDay) {
        wchar_t weekday[16] = L"";
        if (!GetDateFormatW(lcid, 0, &start, L"ddd", weekday, 16))
            weekday[0] = L'\0';
        _snwprintf(title, kTitleChars, L"[%ls %d:%02d-%d:%02d] %ls", weekday, start.wHour, start.wMinute, end.wHour,
                   end.wMinute, subject.c_str());
    } else {
        _snwprintf(title, kTitleChars, L"[Multi-day event] %ls", subject.c_str());
    }
    title[kTitleChars] = L'\0';
    return title;
}

std::wstring AppointmentText(const std::wstring& location, const std::wstring& note)
{
    std::wstring shortNote = note.substr(0, kTextChars);
    wchar_t text[kTextChars + 1];
    if (!location.empty() && !shortNote.empty())
        _snwprintf(text, kTextChars, L"[Location: %ls] %ls", location.c_str(), shortNote.c_str());
    else if (!location.empty())
        _snwprintf(text, kTextChars, L"[Location: %ls]", location.c_str());
    else
        return shortNote.empty() ? kNoContent : shortNote;
    text[kTextChars] = L'\0';
    return text;
}

void LoadAppointments(Section* section, const std::vector<AppointmentItem>& appointments, LCID lcid)
{
    section->Clear();
    for (const AppointmentItem& appointment : appointments)
        section->Add(AppointmentTitle(appointment, lcid), AppointmentText(appointment.location, appointment.note));
    section->Finish();
}

void LoadTasks(Section* section, const std::vector<TaskItem>& tasks)
{
    section->Clear();
    for (const TaskItem& task : tasks)
        if (!task.complete)
            section->Add(task.subject, task.note);
    section->Finish();
}

// ---- layout and taps ----------------------------------------------------------------

int BarTop(int mode, int section)
{
    if (section < 0 || section >= kSectionCount || (mode != kAllClosed && (mode < 0 || mode > 2)))
        return -1;
    return kBarTops[ModeRow(mode)][section];
}

int OpenTextTop(int mode)
{
    return mode >= 0 && mode < kSectionCount ? kOpenTextTops[mode] : -1;
}

int HotArea(POINT point)
{
    if (point.x < 0 || point.y < 0 || point.y >= kRows * kRowHeight)
        return -1;
    for (int column = 0; column < 4; ++column)
        if (point.x < kColumnRight[column])
            return point.y / kRowHeight * 4 + column;
    return -1;
}

TapAction DecideTap(int mode, int area)
{
    const TapAction nothing = {TapAction::kNothing, 0};
    const TapAction close = {TapAction::kClose, mode};
    if (area < 0)
        return mode == kAllClosed ? nothing : close;
    const int row = area / 4;
    const int column = area % 4;
    // The bars of the closed view, and the open section's own bar.
    if ((mode == kAllClosed && row < kSectionCount) || (mode != kAllClosed && row == mode)) {
        switch (column) {
        case 0: return {TapAction::kStartProgram, row};
        case 1: return {mode == kAllClosed ? TapAction::kOpen : TapAction::kClose, row};
        case 2: return {TapAction::kPrevious, row};
        default: return {TapAction::kNext, row};
        }
    }
    if (mode == kAllClosed)
        return nothing;
    // The other sections' bars around the open text: their icon and their
    // title; anything else closes.
    for (int section = 0; section < kSectionCount; ++section) {
        if (section == mode || BarTop(mode, section) / kRowHeight != row)
            continue;
        if (column == 0)
            return {TapAction::kStartProgram, section};
        if (column == 1)
            return {TapAction::kOpen, section};
    }
    return close;
}

} // namespace agendo
