// The message store and its one folder, the Inbox.
#include "cemapi_private.h"

#include <mapiguid.h>

#include "devlog.h"

STDMETHODIMP SimStore::QueryInterface(REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IMAPIProp && riid != IID_IMsgStore)
        return E_NOINTERFACE;
    *ppv = static_cast<IMsgStore*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP SimStore::GetProps(LPSPropTagArray tags, ULONG /*flags*/, ULONG* count, LPSPropValue* values)
{
    return GetPropsOf(StoreProps(), tags, count, values);
}

STDMETHODIMP SimStore::OpenEntry(ULONG cb, LPENTRYID id, LPCIID /*iid*/, ULONG /*flags*/, ULONG* type,
                                 LPUNKNOWN* unknown)
{
    return OpenStoreEntry(cb, id, type, unknown);
}

STDMETHODIMP SimFolder::QueryInterface(REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IMAPIProp && riid != IID_IMAPIContainer && riid != IID_IMAPIFolder)
        return E_NOINTERFACE;
    *ppv = static_cast<IMAPIFolder*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP SimFolder::GetProps(LPSPropTagArray tags, ULONG /*flags*/, ULONG* count, LPSPropValue* values)
{
    SimEntryId inbox = MakeEntryId(kEntryInbox);
    SimProps props = {SimProp::Binary(PR_ENTRYID, &inbox, sizeof(inbox)), SimProp::Text(PR_DISPLAY_NAME_W, L"Inbox"),
                      SimProp::Long(PR_CONTENT_COUNT, (ULONG)CurrentMailData()->messages.size())};
    return GetPropsOf(props, tags, count, values);
}

STDMETHODIMP SimFolder::GetContentsTable(ULONG /*flags*/, LPMAPITABLE* table)
{
    if (!table)
        return MAPI_E_INVALID_PARAMETER;
    *table = nullptr;
    if (DevStateGetDword(CEMAPI_FAIL_VALUE, 0) == kMailFailContents) {
        DevLog(CEMAPI_LOG, L"contents table failed (MailFail 2)");
        return MAPI_E_CALL_FAILED;
    }
    MailDataRef data = CurrentMailData();
    std::vector<SimProps> rows;
    for (DWORD i = 0; i < data->messages.size(); ++i) {
        const MailMessage& message = data->messages[i];
        SimEntryId id = MakeEntryId(kEntryMessage, i);
        rows.push_back({SimProp::Binary(PR_ENTRYID, &id, sizeof(id)),
                        SimProp::Long(PR_MESSAGE_FLAGS, message.read ? MSGFLAG_READ : 0),
                        SimProp::Text(PR_SUBJECT_W, message.subject)});
    }
    *table = new SimTable(std::move(rows));
    return S_OK;
}

STDMETHODIMP SimFolder::OpenEntry(ULONG cb, LPENTRYID id, LPCIID /*iid*/, ULONG /*flags*/, ULONG* type,
                                  LPUNKNOWN* unknown)
{
    return OpenStoreEntry(cb, id, type, unknown);
}
