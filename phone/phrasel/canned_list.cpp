#include "canned_list.h"

void CCannedList::Load(const std::vector<std::wstring>& entries)
{
    m_entries.clear();
    for (const std::wstring& entry : entries)
        if (m_entries.size() < kMaxEntries)
            m_entries.push_back(entry.substr(0, kMaxChars));
    m_editing = m_entries.empty() ? -1 : 0;
}

void CCannedList::Select(int index)
{
    m_editing = index >= 0 && (size_t)index < m_entries.size() ? index : -1;
}

bool CCannedList::New()
{
    if (m_entries.size() >= kMaxEntries)
        return false;
    m_entries.emplace_back();
    m_editing = (int)m_entries.size() - 1;
    return true;
}

bool CCannedList::Delete()
{
    if (m_editing < 0)
        return false;
    m_entries.erase(m_entries.begin() + m_editing);
    if ((size_t)m_editing >= m_entries.size())
        m_editing = -1;
    return true;
}

CCannedList::TypeResult CCannedList::Typed(const std::wstring& text)
{
    std::wstring entry = text.substr(0, kMaxChars);
    if (m_editing >= 0) {
        m_entries[(size_t)m_editing] = entry;
        return kReplaced;
    }
    if (m_entries.size() >= kMaxEntries)
        return kRefused;
    m_entries.push_back(entry);
    m_editing = (int)m_entries.size() - 1;
    return kAdded;
}
