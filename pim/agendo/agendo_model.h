// The PIM summary's model, apart from any drawing: three sections (mail,
// appointments, tasks) of entries with a current index, the rules that fill
// them from what the stores gave, the bar layouts of the view modes and
// what a tap in the 5 x 4 grid of hot areas does.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace agendo {

constexpr int kTitleChars = 63;   // an entry's title, without the terminator
constexpr int kTextChars = 127;   // an entry's text
constexpr int kSubjectChars = 40; // of an appointment's subject
constexpr int kBodyChars = 255;   // of a message's body

enum SectionId { kMail = 0, kAppointments = 1, kTasks = 2, kSectionCount = 3 };
// The view modes: a section open, or all closed.
constexpr int kAllClosed = 6;

// Icons of the sections and the arrows.
enum IconId { kIconMail = 101, kIconTasks = 102, kIconAppointments = 104, kIconPrevious = 105, kIconNext = 106 };

extern const wchar_t kNoContent[];
extern const wchar_t kNoSubject[];

struct Entry {
    wchar_t title[kTitleChars + 1];
    wchar_t text[kTextChars + 1];
};

// Bounded copy; true when all of source fit.
bool CopyText(wchar_t* out, size_t capacity, const wchar_t* source);
// Every CR and LF becomes a blank.
void BlankLineBreaks(wchar_t* text);
// The title as a bar shows it: 31 characters or more are cut to 30 and "...".
std::wstring DisplayTitle(const wchar_t* title);
// The text as an open section shows it: over 250 characters cut, with "...".
std::wstring DisplayText(const wchar_t* text);

class Section {
public:
    Section(int iconId, const wchar_t* placeholder);

    // No entries, index 0, no items.
    void Clear();
    // A real item: the title and text cut to their fields, line breaks of
    // the text made blanks; empty ones get "No Subject" / "No Content".
    void Add(const std::wstring& title, const std::wstring& text);
    // Ends a load: a section left without entries gets its placeholder and
    // no items, so it is never empty.
    void Finish();

    void Previous();  // wraps from the first entry to the last
    void Next();      // and from the last to the first
    void ResetIndex() { index_ = 0; }

    int Count() const { return (int)entries_.size(); }
    int Index() const { return index_; }
    bool HasItems() const { return hasItems_; }
    int IconId() const { return iconId_; }
    const Entry& Current() const { return entries_[index_]; }
    const Entry& At(int i) const { return entries_[i]; }

private:
    std::vector<Entry> entries_;
    int index_ = 0;
    bool hasItems_ = false;
    int iconId_;
    const wchar_t* placeholder_;
};

// ---- what the stores gave, and the rules that load it ---------------------------

struct MailItem {
    std::wstring subject;
    std::wstring body;  // the first 255 characters
};

struct AppointmentItem {
    std::wstring subject;
    std::wstring location;
    std::wstring note;
    SYSTEMTIME start;
    SYSTEMTIME end;
};

struct TaskItem {
    std::wstring subject;
    std::wstring note;
    bool complete;
};

// inboxRead false (the Inbox could not be read): the section keeps what it had.
void LoadMail(Section* section, bool inboxRead, const std::vector<MailItem>& unread);
// The appointments in the order given; the weekday in the locale lcid.
void LoadAppointments(Section* section, const std::vector<AppointmentItem>& appointments, LCID lcid);
void LoadTasks(Section* section, const std::vector<TaskItem>& tasks);

// "[Mon 10:00-11:00] Subject" on one day, else "[Multi-day event] Subject".
std::wstring AppointmentTitle(const AppointmentItem& appointment, LCID lcid);
// "[Location: %s] %s", "[Location: %s]", the note alone, or "No Content".
std::wstring AppointmentText(const std::wstring& location, const std::wstring& note);

// ---- layout and taps -------------------------------------------------------------

constexpr int kWidth = 236;
constexpr int kClosedHeight = 80;
constexpr int kOpenHeight = 130;
constexpr int kBarX = 3;

// The top of a section's bar in a mode.
int BarTop(int mode, int section);
// The top of the open section's text; -1 in mode 6.
int OpenTextTop(int mode);

// The hot area under a point: row x 4 + column, rows of 25 pixels from the
// top, columns icon (0-30), text (30-190), previous (190-213), next
// (213-236); -1 outside the grid.
int HotArea(POINT point);

struct TapAction {
    enum Kind { kNothing, kStartProgram, kOpen, kClose, kPrevious, kNext } kind;
    int section;
};
// What a tap on hot area `area` (-1 for none) does in `mode`.
TapAction DecideTap(int mode, int area);

} // namespace agendo
