// Property values, entry identifiers and the count of open objects.
#include "cemapi_private.h"

#include <string.h>

namespace {

LONG g_openObjects = 0;

} // namespace

void CountObjectMade() { InterlockedIncrement(&g_openObjects); }
void CountObjectGone() { InterlockedDecrement(&g_openObjects); }
LONG OpenObjectCount() { return g_openObjects; }

SimEntryId MakeEntryId(EntryKind kind, DWORD index)
{
    SimEntryId id = {};
    id.kind = kind;
    id.index = index;
    return id;
}

bool ReadEntryId(ULONG cb, const ENTRYID* id, SimEntryId* out)
{
    if (!id || cb != sizeof(SimEntryId))
        return false;
    memcpy(out, id, sizeof(SimEntryId));
    return out->flags[0] == 0 && out->flags[1] == 0 && out->flags[2] == 0 && out->flags[3] == 0 &&
           out->kind >= kEntryStore && out->kind <= kEntryMessage;
}

SimProp SimProp::Long(ULONG tag, ULONG value)
{
    SimProp prop;
    prop.tag = tag;
    prop.number = value;
    return prop;
}

SimProp SimProp::Bool(ULONG tag, bool value)
{
    SimProp prop;
    prop.tag = tag;
    prop.number = value ? 1 : 0;
    return prop;
}

SimProp SimProp::Text(ULONG tag, const std::wstring& value)
{
    SimProp prop;
    prop.tag = tag;
    prop.text = value;
    return prop;
}

SimProp SimProp::Binary(ULONG tag, const void* data, size_t cb)
{
    SimProp prop;
    prop.tag = tag;
    const BYTE* bytes = static_cast<const BYTE*>(data);
    prop.binary.assign(bytes, bytes + cb);
    return prop;
}

HRESULT FillProps(const SimProps& props, const ULONG* tags, ULONG count, LPVOID block, LPSPropValue values)
{
    HRESULT result = S_OK;
    for (ULONG i = 0; i < count; ++i) {
        SPropValue& value = values[i];
        memset(&value, 0, sizeof(value));
        const SimProp* found = nullptr;
        for (const SimProp& prop : props)
            if (prop.tag == tags[i])
                found = &prop;
        if (!found) {
            value.ulPropTag = PROP_TAG(PT_ERROR, PROP_ID(tags[i]));
            value.Value.err = MAPI_E_NOT_FOUND;
            result = MAPI_W_ERRORS_RETURNED;
            continue;
        }
        value.ulPropTag = found->tag;
        switch (PROP_TYPE(found->tag)) {
        case PT_LONG:
            value.Value.l = (LONG)found->number;
            break;
        case PT_BOOLEAN:
            value.Value.b = (unsigned short)found->number;
            break;
        case PT_UNICODE: {
            LPVOID text = nullptr;
            ULONG cb = (ULONG)((found->text.size() + 1) * sizeof(wchar_t));
            if (MAPIAllocateMore(cb, block, &text) != S_OK)
                return MAPI_E_NOT_ENOUGH_MEMORY;
            memcpy(text, found->text.c_str(), cb);
            value.Value.lpszW = static_cast<LPWSTR>(text);
            break;
        }
        case PT_BINARY: {
            LPVOID bytes = nullptr;
            if (MAPIAllocateMore((ULONG)found->binary.size(), block, &bytes) != S_OK)
                return MAPI_E_NOT_ENOUGH_MEMORY;
            if (!found->binary.empty())
                memcpy(bytes, found->binary.data(), found->binary.size());
            value.Value.bin.cb = (ULONG)found->binary.size();
            value.Value.bin.lpb = static_cast<LPBYTE>(bytes);
            break;
        }
        }
    }
    return result;
}

HRESULT GetPropsOf(const SimProps& props, LPSPropTagArray tags, ULONG* countOut, LPSPropValue* valuesOut)
{
    if (!countOut || !valuesOut)
        return MAPI_E_INVALID_PARAMETER;
    *countOut = 0;
    *valuesOut = nullptr;
    std::vector<ULONG> asked;
    if (tags)
        asked.assign(tags->aulPropTag, tags->aulPropTag + tags->cValues);
    else
        for (const SimProp& prop : props)
            asked.push_back(prop.tag);
    if (asked.empty())
        return MAPI_E_INVALID_PARAMETER;
    LPVOID block = nullptr;
    if (MAPIAllocateBuffer((ULONG)(asked.size() * sizeof(SPropValue)), &block) != S_OK)
        return MAPI_E_NOT_ENOUGH_MEMORY;
    auto* values = static_cast<LPSPropValue>(block);
    HRESULT result = FillProps(props, asked.data(), (ULONG)asked.size(), block, values);
    if (FAILED(result)) {
        MAPIFreeBuffer(block);
        return result;
    }
    *countOut = (ULONG)asked.size();
    *valuesOut = values;
    return result;
}
