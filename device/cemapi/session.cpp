// The library's entry points and the session: one store, its table, the
// address book.
#include "cemapi_private.h"

#include <mapiguid.h>

#include "devlog.h"

namespace {

LONG g_initializations = 0;

const wchar_t kStoreName[] = L"Device Messages";

} // namespace

// ---- entry points ---------------------------------------------------------------

extern "C" HRESULT WINAPI MAPIInitialize(LPVOID /*lpMapiInit*/)
{
    InterlockedIncrement(&g_initializations);
    return S_OK;
}

extern "C" void WINAPI MAPIUninitialize()
{
    if (g_initializations <= 0)
        return;
    if (InterlockedDecrement(&g_initializations) == 0)
        DevLog(CEMAPI_LOG, L"uninitialized, %ld objects open", OpenObjectCount());
}

extern "C" HRESULT WINAPI MAPILogonEx(ULONG_PTR /*ulUIParam*/, LPTSTR /*profile*/, LPTSTR /*password*/,
                                      ULONG /*flags*/, LPMAPISESSION* lppSession)
{
    if (!lppSession)
        return MAPI_E_INVALID_PARAMETER;
    *lppSession = nullptr;
    if (g_initializations <= 0)
        return MAPI_E_NOT_INITIALIZED;
    if (DevStateGetDword(CEMAPI_FAIL_VALUE, 0) == kMailFailLogon) {
        DevLog(CEMAPI_LOG, L"logon failed (MailFail 1)");
        return MAPI_E_LOGON_FAILED;
    }
    MailDataRef data = CurrentMailData(true);
    DevLog(CEMAPI_LOG, L"logon, %d messages", (int)data->messages.size());
    *lppSession = new SimSession();
    return S_OK;
}

// ---- the store's own properties ------------------------------------------------

SimProps StoreProps()
{
    SimEntryId store = MakeEntryId(kEntryStore);
    SimEntryId inbox = MakeEntryId(kEntryInbox);
    return {SimProp::Binary(PR_ENTRYID, &store, sizeof(store)), SimProp::Text(PR_DISPLAY_NAME_W, kStoreName),
            SimProp::Bool(PR_DEFAULT_STORE, true), SimProp::Binary(CEMAPI_PR_INBOX_ENTRYID, &inbox, sizeof(inbox))};
}

HRESULT OpenStoreEntry(ULONG cb, LPENTRYID id, ULONG* type, LPUNKNOWN* unknown)
{
    if (!unknown)
        return MAPI_E_INVALID_PARAMETER;
    *unknown = nullptr;
    SimEntryId entry;
    if (!ReadEntryId(cb, id, &entry))
        return MAPI_E_INVALID_ENTRYID;
    ULONG objectType = 0;
    switch (entry.kind) {
    case kEntryStore:
        *unknown = static_cast<IMsgStore*>(new SimStore());
        objectType = MAPI_STORE;
        break;
    case kEntryInbox:
        *unknown = static_cast<IMAPIFolder*>(new SimFolder());
        objectType = MAPI_FOLDER;
        break;
    case kEntryMessage: {
        MailDataRef data = CurrentMailData();
        if (entry.index >= data->messages.size())
            return MAPI_E_NOT_FOUND;
        *unknown = static_cast<IMessage*>(new SimMessage(data, entry.index));
        objectType = MAPI_MESSAGE;
        break;
    }
    }
    if (type)
        *type = objectType;
    return S_OK;
}

// ---- the session -------------------------------------------------------------------

STDMETHODIMP SimSession::QueryInterface(REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IMAPISession)
        return E_NOINTERFACE;
    *ppv = static_cast<IMAPISession*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP SimSession::GetMsgStoresTable(ULONG /*flags*/, LPMAPITABLE* table)
{
    if (!table)
        return MAPI_E_INVALID_PARAMETER;
    *table = nullptr;
    if (loggedOff_)
        return MAPI_E_END_OF_SESSION;
    SimProps row = StoreProps();
    row.pop_back();  // the table lists the entry, name and default flag
    *table = new SimTable({row});
    return S_OK;
}

STDMETHODIMP SimSession::OpenMsgStore(ULONG_PTR /*ui*/, ULONG cb, LPENTRYID id, LPCIID /*iid*/, ULONG /*flags*/,
                                      LPMDB* store)
{
    if (!store)
        return MAPI_E_INVALID_PARAMETER;
    *store = nullptr;
    if (loggedOff_)
        return MAPI_E_END_OF_SESSION;
    SimEntryId entry;
    if (!ReadEntryId(cb, id, &entry) || entry.kind != kEntryStore)
        return MAPI_E_INVALID_ENTRYID;
    *store = new SimStore();
    return S_OK;
}

STDMETHODIMP SimSession::OpenAddressBook(ULONG_PTR /*ui*/, LPCIID /*iid*/, ULONG /*flags*/, LPADRBOOK* book)
{
    if (!book)
        return MAPI_E_INVALID_PARAMETER;
    *book = nullptr;
    if (loggedOff_)
        return MAPI_E_END_OF_SESSION;
    *book = new SimAddressBook();
    return S_OK;
}

STDMETHODIMP SimSession::OpenEntry(ULONG cb, LPENTRYID id, LPCIID /*iid*/, ULONG /*flags*/, ULONG* type,
                                   LPUNKNOWN* unknown)
{
    if (loggedOff_)
        return MAPI_E_END_OF_SESSION;
    return OpenStoreEntry(cb, id, type, unknown);
}

STDMETHODIMP SimSession::Logoff(ULONG_PTR /*ui*/, ULONG /*flags*/, ULONG /*reserved*/)
{
    if (!loggedOff_)
        DevLog(CEMAPI_LOG, L"logoff");
    loggedOff_ = true;
    return S_OK;
}

// ---- the address book, opened but never served ----------------------------------

STDMETHODIMP SimAddressBook::QueryInterface(REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IMAPIProp && riid != IID_IAddrBook)
        return E_NOINTERFACE;
    *ppv = static_cast<IAddrBook*>(this);
    AddRef();
    return S_OK;
}
