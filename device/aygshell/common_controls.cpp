// The common-control library's few functions aygshell calls, looked up on
// first use.  The library stays loaded once loaded: windows of its classes
// may outlive any one caller.
#include "common_controls.h"

#include "library_function.h"

namespace common_controls {
namespace {

HMODULE Library()
{
    static HMODULE library = ::LoadLibraryW(L"comctl32.dll");
    return library;
}

template <typename Function>
Function Find(const char* name)
{
    return LibraryFunction<Function>(Library(), name);
}

}  // namespace

bool Init(DWORD classes)
{
    static const auto init = Find<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>("InitCommonControlsEx");
    INITCOMMONCONTROLSEX controls = {sizeof(controls), classes};
    return init && init(&controls);
}

HIMAGELIST CreateImageList(int width, int height, UINT flags, int initial, int grow)
{
    static const auto create = Find<HIMAGELIST(WINAPI*)(int, int, UINT, int, int)>("ImageList_Create");
    return create ? create(width, height, flags, initial, grow) : nullptr;
}

int AddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask)
{
    static const auto add = Find<int(WINAPI*)(HIMAGELIST, HBITMAP, COLORREF)>("ImageList_AddMasked");
    return add && list ? add(list, bitmap, mask) : -1;
}

void DestroyImageList(HIMAGELIST list)
{
    static const auto destroy = Find<BOOL(WINAPI*)(HIMAGELIST)>("ImageList_Destroy");
    if (destroy && list)
        destroy(list);
}

}  // namespace common_controls
