// MAPI's memory: a buffer and the blocks allocated "more" on it are freed
// together by one MAPIFreeBuffer.
#include "cemapi_private.h"

namespace {

const DWORD kBlockMagic = 0x4D41504D;  // "MPAM"

// Kept in front of every block, so the caller's pointer stays aligned.
struct alignas(16) BlockHeader {
    DWORD magic;
    BlockHeader* nextMore;  // the chain of blocks freed with this one
};

BlockHeader* HeaderOf(LPVOID buffer)
{
    if (!buffer)
        return nullptr;
    BlockHeader* header = static_cast<BlockHeader*>(buffer) - 1;
    return header->magic == kBlockMagic ? header : nullptr;
}

BlockHeader* NewBlock(ULONG cb)
{
    auto* header = static_cast<BlockHeader*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(BlockHeader) + cb));
    if (header)
        header->magic = kBlockMagic;
    return header;
}

} // namespace

extern "C" SCODE WINAPI MAPIAllocateBuffer(ULONG cbSize, LPVOID* lppBuffer)
{
    if (!lppBuffer)
        return MAPI_E_INVALID_PARAMETER;
    BlockHeader* header = NewBlock(cbSize);
    *lppBuffer = header ? header + 1 : nullptr;
    return header ? S_OK : MAPI_E_NOT_ENOUGH_MEMORY;
}

extern "C" SCODE WINAPI MAPIAllocateMore(ULONG cbSize, LPVOID lpObject, LPVOID* lppBuffer)
{
    if (!lppBuffer)
        return MAPI_E_INVALID_PARAMETER;
    *lppBuffer = nullptr;
    BlockHeader* parent = HeaderOf(lpObject);
    if (!parent)
        return MAPI_E_INVALID_PARAMETER;
    BlockHeader* header = NewBlock(cbSize);
    if (!header)
        return MAPI_E_NOT_ENOUGH_MEMORY;
    header->nextMore = parent->nextMore;
    parent->nextMore = header;
    *lppBuffer = header + 1;
    return S_OK;
}

extern "C" ULONG WINAPI MAPIFreeBuffer(LPVOID lpBuffer)
{
    BlockHeader* header = HeaderOf(lpBuffer);
    while (header) {
        BlockHeader* next = header->nextMore;
        header->magic = 0;
        HeapFree(GetProcessHeap(), 0, header);
        header = next;
    }
    return S_OK;
}

extern "C" void WINAPI FreeProws(LPSRowSet lpRows)
{
    if (!lpRows)
        return;
    for (ULONG i = 0; i < lpRows->cRows; ++i)
        MAPIFreeBuffer(lpRows->aRow[i].lpProps);
    MAPIFreeBuffer(lpRows);
}
