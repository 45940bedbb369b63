// Reading the calendar and the tasks through the Pocket Outlook objects.
#include "poom_reader.h"

#include <objbase.h>
#include <oleauto.h>

#include <pimstore.h>

#include <corvane.h>

using namespace agendo;

namespace {

// 48 hours in the file time's units of 100 ns.
const ULONGLONG kTwoDays = 1728000000000ULL;

template <class T>
void ReleaseAndClear(T** object)
{
    if (*object) {
        (*object)->Release();
        *object = nullptr;
    }
}

// A BSTR getter's text; empty when it fails or gives none.
template <class Item, class Getter>
std::wstring TextOf(Item* item, Getter getter)
{
    BSTR text = nullptr;
    std::wstring result;
    if (SUCCEEDED((item->*getter)(&text)) && text)
        result = text;
    SysFreeString(text);
    return result;
}

bool DateText(LCID lcid, const SYSTEMTIME& day, std::wstring* text)
{
    wchar_t buffer[64];
    if (!GetDateFormatW(lcid, DATE_SHORTDATE, &day, nullptr, buffer, 64))
        return false;
    *text = buffer;
    return true;
}

// The folder's items, or null.
IPOutlookItemCollection* FolderItems(IPOutlookApp* app, int folderId)
{
    IFolder* folder = nullptr;
    if (FAILED(app->GetDefaultFolder(folderId, &folder)) || !folder)
        return nullptr;
    IPOutlookItemCollection* items = nullptr;
    if (FAILED(folder->get_Items(&items)))
        items = nullptr;
    folder->Release();
    return items;
}

IPOutlookItemCollection* Restricted(IPOutlookItemCollection* items, const std::wstring& restriction)
{
    BSTR text = SysAllocString(restriction.c_str());
    IPOutlookItemCollection* result = nullptr;
    if (!text || FAILED(items->Restrict(text, &result)))
        result = nullptr;
    SysFreeString(text);
    return result;
}

} // namespace

LCID DeviceDateLocale()
{
    CRegistry registry;
    DWORD lcid = 0;
    if (registry.Open(HKEY_LOCAL_MACHINE, L"nls", TRUE) && registry.ReadDWORD(L"DefaultLCID", &lcid) && lcid != 0)
        return lcid;
    return LOCALE_USER_DEFAULT;
}

bool AppointmentRestrictions(LCID lcid, const SYSTEMTIME& now, std::wstring* from, std::wstring* to)
{
    FILETIME moment;
    if (!SystemTimeToFileTime(&now, &moment))
        return false;
    ULARGE_INTEGER later = {{moment.dwLowDateTime, moment.dwHighDateTime}};
    later.QuadPart += kTwoDays;
    moment.dwLowDateTime = later.LowPart;
    moment.dwHighDateTime = later.HighPart;
    SYSTEMTIME end;
    std::wstring today, last;
    if (!FileTimeToSystemTime(&moment, &end) || !DateText(lcid, now, &today) || !DateText(lcid, end, &last))
        return false;
    *from = L"[Start]>=\"" + today + L"\"";
    *to = L"[Start]<=\"" + last + L"\"";
    return true;
}

PoomReader::~PoomReader()
{
    Close();
}

bool PoomReader::LogOn(HWND owner)
{
    if (!m_pApp && FAILED(CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp,
                                           (void**)&m_pApp))) {
        m_pApp = nullptr;
        CWnd::WriteLog(L"POOM: the application object cannot be created");
        return false;
    }
    if (!m_bLoggedOn) {
        m_bLoggedOn = SUCCEEDED(m_pApp->Logon((long)(LONG_PTR)owner));
        if (!m_bLoggedOn)
            CWnd::WriteLog(L"POOM: logon failed");
    }
    return m_bLoggedOn;
}

void PoomReader::LogOff()
{
    if (m_pApp && m_bLoggedOn)
        m_pApp->Logoff();
    m_bLoggedOn = false;
}

void PoomReader::Close()
{
    LogOff();
    ReleaseAndClear(&m_pApp);
}

bool PoomReader::Appointments(LCID lcid, std::vector<AppointmentItem>* appointments)
{
    appointments->clear();
    if (!m_bLoggedOn)
        return false;
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::wstring from, to;
    if (!AppointmentRestrictions(lcid, now, &from, &to))
        return false;
    IPOutlookItemCollection* all = FolderItems(m_pApp, olFolderCalendar);
    if (!all)
        return false;
    IPOutlookItemCollection* sinceToday = Restricted(all, from);
    IPOutlookItemCollection* twoDays = sinceToday ? Restricted(sinceToday, to) : nullptr;
    int count = 0;
    if (twoDays && SUCCEEDED(twoDays->get_Count(&count))) {
        for (int i = 1; i <= count; ++i) {
            IDispatch* item = nullptr;
            IAppointment* appointment = nullptr;
            if (SUCCEEDED(twoDays->Item(i, &item)) && item &&
                SUCCEEDED(item->QueryInterface(IID_IAppointment, (void**)&appointment))) {
                AppointmentItem entry = {};
                DATE start = 0, end = 0;
                appointment->get_Start(&start);
                appointment->get_End(&end);
                m_pApp->VariantTimeToSystemTime(start, &entry.start);
                m_pApp->VariantTimeToSystemTime(end, &entry.end);
                entry.subject = TextOf(appointment, &IAppointment::get_Subject);
                entry.location = TextOf(appointment, &IAppointment::get_Location);
                entry.note = TextOf(appointment, &IAppointment::get_Body);
                appointments->push_back(entry);
                appointment->Release();
            }
            if (item)
                item->Release();
        }
    }
    bool read = twoDays != nullptr;
    ReleaseAndClear(&twoDays);
    ReleaseAndClear(&sinceToday);
    all->Release();
    return read;
}

bool PoomReader::Tasks(std::vector<TaskItem>* tasks)
{
    tasks->clear();
    if (!m_bLoggedOn)
        return false;
    IPOutlookItemCollection* items = FolderItems(m_pApp, olFolderTasks);
    if (!items)
        return false;
    int count = 0;
    if (SUCCEEDED(items->get_Count(&count))) {
        for (int i = 1; i <= count; ++i) {
            IDispatch* item = nullptr;
            ITask* task = nullptr;
            if (SUCCEEDED(items->Item(i, &item)) && item && SUCCEEDED(item->QueryInterface(IID_ITask, (void**)&task))) {
                VARIANT_BOOL complete = VARIANT_FALSE;
                task->get_Complete(&complete);
                tasks->push_back({TextOf(task, &ITask::get_Subject), TextOf(task, &ITask::get_Body),
                                  complete != VARIANT_FALSE});
                task->Release();
            }
            if (item)
                item->Release();
        }
    }
    items->Release();
    return true;
}
