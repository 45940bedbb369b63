// CCtrlList: the named control areas of a skin, in file order.
#include "skininfo.h"

CCtrlList::CCtrlList() : CObList(10) {}

CCtrlList::~CCtrlList()
{
    RemoveAll();
}

void CCtrlList::CopyFrom(const CCtrlList& other)
{
    if (this == &other)
        return;
    RemoveAll();
    for (POSITION pos = other.GetHeadPosition(); pos;)
        AddCtrl(static_cast<const CCtrl*>(other.GetNext(pos)));
}

int CCtrlList::AddCtrl(LPCWSTR type, LPCWSTR id, int align, const RECT& rect)
{
    AddTail(new CCtrl(type, id, align, rect));
    return 1;
}

int CCtrlList::AddCtrl(const CCtrl* ctrl)
{
    if (!ctrl)
        return 0;
    AddTail(new CCtrl(*ctrl));
    return 1;
}

void CCtrlList::RemoveAll()
{
    while (!IsEmpty())
        delete static_cast<CCtrl*>(RemoveHead());
}
