#include "call_list.h"

#include <corvane.h>
#include <phone.h>

#include <algorithm>

void CCallList::Clear()
{
    m_entries.clear();
    m_current = 0;
}

bool CCallList::IsRemoved(const std::wstring& number) const
{
    return std::find(m_removed.begin(), m_removed.end(), number) != m_removed.end();
}

void CCallList::SetRemoved(const std::vector<std::wstring>& numbers)
{
    m_removed.clear();
    for (const std::wstring& number : numbers)
        if (!number.empty() && !IsRemoved(number) && m_removed.size() < kRemovedKept)
            m_removed.push_back(number);
}

void CCallList::AddRecord(LPCWSTR number, LPCWSTR name, LPCWSTR nameType)
{
    if (!number || !*number)
        return;
    std::wstring taken = number;
    size_t bracket = taken.find(L'(');
    if (bracket != std::wstring::npos)
        taken = taken.substr(bracket);

    std::wstring display = name ? name : L"";
    if (!display.empty() && nameType && *nameType)
        display += std::wstring(L" (") + nameType + L")";
    if (display.size() > kNameChars)
        display.resize(kNameChars);

    for (CallEntry& entry : m_entries)
        if (entry.number == taken) {
            if (entry.name.empty())
                entry.name = display;
            return;
        }
    if (IsRemoved(taken))
        return;
    m_entries.push_back({taken, display});
}

bool CCallList::LoadCallLog()
{
    Clear();
    HANDLE log = nullptr;
    if (FAILED(PhoneOpenCallLog(&log))) {
        CWnd::WriteLog(L"Failed: Open Call Log");
        return false;
    }
    DWORD last = 0;
    // An empty log has no last record: nothing to read.
    if (SUCCEEDED(PhoneSeekCallLog(log, CALLLOGSEEK_END, 0, &last)) &&
        SUCCEEDED(PhoneSeekCallLog(log, CALLLOGSEEK_BEGINNING, 0, nullptr))) {
        for (DWORD i = 0; i <= last; ++i) {
            CALLLOGENTRY record = {};
            record.cbSize = sizeof(record);
            if (PhoneGetCallLogEntry(log, &record) != S_OK)
                break;
            AddRecord(record.pszNumber, record.pszName, record.pszNameType);
            LocalFree(record.pszNumber);
            LocalFree(record.pszName);
            LocalFree(record.pszNameType);
            LocalFree(record.pszNote);
        }
    }
    PhoneCloseCallLog(log);
    m_current = 0;
    return true;
}

const CallEntry* CCallList::CurrentEntry() const
{
    return m_entries.empty() ? nullptr : &m_entries[(size_t)m_current];
}

void CCallList::Previous()
{
    if (m_entries.empty())
        return;
    m_current = (m_current + Count() - 1) % Count();
}

void CCallList::Next()
{
    if (m_entries.empty())
        return;
    m_current = (m_current + 1) % Count();
}

bool CCallList::RemoveCurrent()
{
    if (m_entries.empty())
        return false;
    std::wstring number = m_entries[(size_t)m_current].number;
    if (!IsRemoved(number)) {
        // The oldest removal gives way when the file's share is full.
        if (m_removed.size() == kRemovedKept)
            m_removed.erase(m_removed.begin());
        m_removed.push_back(number);
    }
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                   [&](const CallEntry& entry) { return entry.number == number; }),
                    m_entries.end());
    m_current = m_entries.empty() ? 0 : m_current % Count();
    return true;
}
