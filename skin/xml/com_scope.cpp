// CXmlComScope: a balanced start and stop of the component system.
#include "xmlaccess.h"

#include <objbase.h>

CXmlComScope::CXmlComScope(DWORD model) : m_started(0), m_ready(0)
{
    HRESULT hr = CoInitializeEx(nullptr, model);
    // S_FALSE: already started in this model; it still counts and must be
    // stopped once.  RPC_E_CHANGED_MODE: someone else started it in the
    // other model; usable, but not ours to stop.
    m_started = SUCCEEDED(hr);
    m_ready = m_started || hr == RPC_E_CHANGED_MODE;
}

CXmlComScope::~CXmlComScope()
{
    if (m_started)
        CoUninitialize();
}
