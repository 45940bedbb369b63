// A table of fixed rows: columns chosen with SetColumns, rows read in order
// with QueryRows.
#include "cemapi_private.h"

#include <mapiguid.h>

SimTable::SimTable(std::vector<SimProps> rows) : rows_(std::move(rows))
{
    if (!rows_.empty())
        for (const SimProp& prop : rows_.front())
            columns_.push_back(prop.tag);
}

STDMETHODIMP SimTable::QueryInterface(REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IMAPITable)
        return E_NOINTERFACE;
    *ppv = static_cast<IMAPITable*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP SimTable::SetColumns(LPSPropTagArray tags, ULONG /*flags*/)
{
    if (!tags || tags->cValues == 0)
        return MAPI_E_INVALID_PARAMETER;
    columns_.assign(tags->aulPropTag, tags->aulPropTag + tags->cValues);
    return S_OK;
}

STDMETHODIMP SimTable::GetRowCount(ULONG /*flags*/, ULONG* count)
{
    if (!count)
        return MAPI_E_INVALID_PARAMETER;
    *count = (ULONG)rows_.size();
    return S_OK;
}

STDMETHODIMP SimTable::QueryRows(LONG count, ULONG flags, LPSRowSet* rowsOut)
{
    if (!rowsOut)
        return MAPI_E_INVALID_PARAMETER;
    *rowsOut = nullptr;
    if (count < 0)
        return MAPI_E_NO_SUPPORT;  // reading backwards
    size_t left = rows_.size() - cursor_;
    ULONG n = (ULONG)((size_t)count < left ? (size_t)count : left);
    LPVOID block = nullptr;
    if (MAPIAllocateBuffer(CbNewSRowSet(n), &block) != S_OK)
        return MAPI_E_NOT_ENOUGH_MEMORY;
    auto* rows = static_cast<LPSRowSet>(block);
    rows->cRows = 0;
    for (ULONG i = 0; i < n; ++i) {
        LPVOID props = nullptr;
        if (MAPIAllocateBuffer((ULONG)(columns_.size() * sizeof(SPropValue)), &props) != S_OK) {
            FreeProws(rows);
            return MAPI_E_NOT_ENOUGH_MEMORY;
        }
        SRow& row = rows->aRow[i];
        row.ulAdrEntryPad = 0;
        row.cValues = (ULONG)columns_.size();
        row.lpProps = static_cast<LPSPropValue>(props);
        rows->cRows = i + 1;
        if (FAILED(FillProps(rows_[cursor_ + i], columns_.data(), row.cValues, props, row.lpProps))) {
            FreeProws(rows);
            return MAPI_E_NOT_ENOUGH_MEMORY;
        }
    }
    if (!(flags & TBL_NOADVANCE))
        cursor_ += n;
    *rowsOut = rows;
    return S_OK;
}
