// The applet history behind "PREV" and "NEXT".
#include "history.h"

void CKetraHistory::Record(const wchar_t* name)
{
    if (!m_bRecording || !name || !*name)
        return;
    for (int i = static_cast<int>(m_names.size()) - 1; i >= 0; --i) {
        if (m_names[i] != name)
            continue;
        m_names.erase(m_names.begin() + i);
        // The cursor follows its entry; when its own entry goes it steps back.
        if (i <= m_nCursor)
            --m_nCursor;
    }
    m_names.insert(m_names.begin() + (m_nCursor + 1), name);
    ++m_nCursor;
}

const wchar_t* CKetraHistory::Prev()
{
    if (m_nCursor <= 0)
        return nullptr;
    --m_nCursor;
    return m_names[m_nCursor].c_str();
}

const wchar_t* CKetraHistory::Next()
{
    if (m_nCursor + 1 >= static_cast<int>(m_names.size()))
        return nullptr;
    ++m_nCursor;
    return m_names[m_nCursor].c_str();
}

void CKetraHistory::Clear()
{
    m_names.clear();
    m_nCursor = -1;
}
