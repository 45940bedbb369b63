// The summary's data: the Inbox's unread messages, the appointments of
// today and tomorrow, the open tasks and the bar's colours.
#include "agendo_wnd.h"

using namespace agendo;

namespace {

const wchar_t kColoursKey[] = L"Software\\ZARQ\\Ketra\\Colors";
const COLORREF kDefaultColours[3] = {0x00FEFCFC, 0x00D8E9EC, 0x00000000};

} // namespace

void CAgendoWnd::ReadColours()
{
    CRegistry registry;
    BOOL open = registry.Open(HKEY_LOCAL_MACHINE, kColoursKey, TRUE);
    const wchar_t* names[3] = {L"1", L"2", L"3"};
    for (int i = 0; i < 3; ++i) {
        DWORD value = kDefaultColours[i];
        if (!open || !registry.ReadDWORD(names[i], &value))
            value = kDefaultColours[i];
        m_colours[i] = value & 0x00FFFFFF;
    }
}

void CAgendoWnd::LoadAll()
{
    LoadMail();
    LoadCalendarAndTasks();
    for (Section& section : m_sections) {
        section.Finish();
        section.ResetIndex();
    }
}

void CAgendoWnd::LoadMail()
{
    // A logon, store or Inbox that failed before is tried again.
    std::vector<std::vector<BYTE>> entries;
    bool read = m_mapi.Open() && m_mapi.UnreadMessages(&entries);
    std::vector<MailItem> unread;
    for (const std::vector<BYTE>& entry : entries) {
        VOMAPIMessage message;
        if (!message.Open(&m_mapi, entry))
            continue;
        unread.push_back({message.Subject(), message.Body()});
    }
    agendo::LoadMail(&m_sections[kMail], read, unread);
}

void CAgendoWnd::LoadCalendarAndTasks()
{
    // Each load logs on afresh, so the store's changes show; objects that
    // cannot be created or opened leave the placeholders.
    std::vector<AppointmentItem> appointments;
    std::vector<TaskItem> tasks;
    const LCID lcid = DeviceDateLocale();
    if (m_poom.LogOn(m_hWnd)) {
        m_poom.Appointments(lcid, &appointments);
        m_poom.Tasks(&tasks);
    }
    m_poom.LogOff();
    agendo::LoadAppointments(&m_sections[kAppointments], appointments, lcid);
    agendo::LoadTasks(&m_sections[kTasks], tasks);
}
