// CGdiObject: ownership of one drawing-object handle.
#include "gdiobject.h"

#include "gdi_shared.h"

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ object)
{
    if (!object)
        return FALSE;
    m_hObject = object;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ object = m_hObject;
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    HGDIOBJ object = Detach();
    if (IsSharedGdiObject(object))
        return TRUE;
    return ::DeleteObject(object);
}

CGdiObject& CGdiObject::operator=(HGDIOBJ object)
{
    if (object != m_hObject) {
        DeleteObject();
        Attach(object);
    }
    return *this;
}
