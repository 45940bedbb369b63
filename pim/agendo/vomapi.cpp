// The messaging store's session, store, Inbox and messages.
#include "vomapi.h"

#include <mapicode.h>
#include <mapitags.h>
#include <mapiutil.h>

#include <corvane.h>

namespace {

// The store property holding the Inbox's entry identifier.
const ULONG kInboxEntryTag = PROP_TAG(PT_BINARY, 0x8106);
const ULONG kBodyBytes = 510;

template <class T>
void ReleaseAndClear(T** object)
{
    if (*object) {
        (*object)->Release();
        *object = nullptr;
    }
}

} // namespace

HRESULT VOMAPITrace(HRESULT result, const char* file, int line)
{
    if (FAILED(result))
        CWnd::WriteLog(L"CEMAPI: FAILED(%x) at %hs:%d", (unsigned)result, file, line);
    return result;
}

VOMAPI::~VOMAPI()
{
    Close();
}

bool VOMAPI::Initialize()
{
    if (!m_bInitialized)
        m_bInitialized = SUCCEEDED(VOMAPI_CALL(MAPIInitialize(nullptr)));
    return m_bInitialized;
}

bool VOMAPI::Open()
{
    if (!Initialize())
        return false;
    if (!m_pSession && FAILED(VOMAPI_CALL(MAPILogonEx(0, nullptr, nullptr, 0, &m_pSession)))) {
        m_pSession = nullptr;
        return false;
    }
    // Opened as the platform's programs do, though the summary needs none of it.
    if (!m_pAddressBook && FAILED(VOMAPI_CALL(m_pSession->OpenAddressBook(0, nullptr, 0, &m_pAddressBook))))
        m_pAddressBook = nullptr;
    return OpenDefaultStore() && OpenInbox();
}

bool VOMAPI::OpenDefaultStore()
{
    if (m_pStore)
        return true;
    IMAPITable* stores = nullptr;
    if (FAILED(VOMAPI_CALL(m_pSession->GetMsgStoresTable(0, &stores))))
        return false;
    SizedSPropTagArray(2, columns) = {2, {PR_ENTRYID, PR_DEFAULT_STORE}};
    SRowSet* rows = nullptr;
    HRESULT result = VOMAPI_CALL(stores->SetColumns((LPSPropTagArray)&columns, 0));
    if (SUCCEEDED(result))
        result = VOMAPI_CALL(stores->QueryRows(100, 0, &rows));
    if (SUCCEEDED(result) && rows) {
        // The row marked default, else the first.
        const SBinary* chosen = nullptr;
        for (ULONG i = 0; i < rows->cRows; ++i) {
            const SRow& row = rows->aRow[i];
            if (row.cValues < 2 || row.lpProps[0].ulPropTag != PR_ENTRYID)
                continue;
            bool isDefault = row.lpProps[1].ulPropTag == PR_DEFAULT_STORE && row.lpProps[1].Value.b;
            if (!chosen || isDefault)
                chosen = &row.lpProps[0].Value.bin;
            if (isDefault)
                break;
        }
        if (chosen && FAILED(VOMAPI_CALL(m_pSession->OpenMsgStore(0, chosen->cb, (LPENTRYID)chosen->lpb, nullptr, 0,
                                                                  &m_pStore))))
            m_pStore = nullptr;
    }
    FreeProws(rows);
    stores->Release();
    return m_pStore != nullptr;
}

bool VOMAPI::OpenInbox()
{
    if (m_pInbox)
        return true;
    SizedSPropTagArray(1, inboxTag) = {1, {kInboxEntryTag}};
    ULONG count = 0;
    SPropValue* value = nullptr;
    HRESULT result = VOMAPI_CALL(m_pStore->GetProps((LPSPropTagArray)&inboxTag, 0, &count, &value));
    if (SUCCEEDED(result) && value && count == 1 && value->ulPropTag == kInboxEntryTag) {
        ULONG type = 0;
        if (FAILED(VOMAPI_CALL(m_pStore->OpenEntry(value->Value.bin.cb, (LPENTRYID)value->Value.bin.lpb, nullptr, 0,
                                                   &type, (IUnknown**)&m_pInbox))))
            m_pInbox = nullptr;
    }
    MAPIFreeBuffer(value);
    return m_pInbox != nullptr;
}

void VOMAPI::Close()
{
    ReleaseAndClear(&m_pInbox);
    ReleaseAndClear(&m_pStore);
    ReleaseAndClear(&m_pAddressBook);
    if (m_pSession) {
        m_pSession->Logoff(0, 0, 0);
        ReleaseAndClear(&m_pSession);
    }
    if (m_bInitialized) {
        MAPIUninitialize();
        m_bInitialized = false;
    }
}

bool VOMAPI::UnreadMessages(std::vector<std::vector<BYTE>>* entries)
{
    entries->clear();
    if (!m_pInbox)
        return false;
    IMAPITable* contents = nullptr;
    if (FAILED(VOMAPI_CALL(m_pInbox->GetContentsTable(0, &contents))))
        return false;
    SizedSPropTagArray(2, columns) = {2, {PR_ENTRYID, PR_MESSAGE_FLAGS}};
    bool read = SUCCEEDED(VOMAPI_CALL(contents->SetColumns((LPSPropTagArray)&columns, 0)));
    while (read) {
        SRowSet* rows = nullptr;
        if (FAILED(VOMAPI_CALL(contents->QueryRows(1, 0, &rows)))) {
            read = false;
            break;
        }
        if (!rows || rows->cRows == 0) {
            FreeProws(rows);
            break;
        }
        const SRow& row = rows->aRow[0];
        if (row.cValues >= 2 && row.lpProps[0].ulPropTag == PR_ENTRYID &&
            row.lpProps[1].ulPropTag == PR_MESSAGE_FLAGS && !(row.lpProps[1].Value.l & MSGFLAG_READ)) {
            const SBinary& id = row.lpProps[0].Value.bin;
            entries->emplace_back(id.lpb, id.lpb + id.cb);
        }
        FreeProws(rows);
    }
    contents->Release();
    if (!read)
        entries->clear();
    return read;
}

// ---- one message -------------------------------------------------------------------

VOMAPIMessage::~VOMAPIMessage()
{
    if (m_pMessage)
        m_pMessage->Release();
}

bool VOMAPIMessage::Open(VOMAPI* mapi, const std::vector<BYTE>& entry)
{
    if (m_pMessage || !mapi->Store() || entry.empty())
        return false;
    ULONG type = 0;
    if (FAILED(VOMAPI_CALL(mapi->Store()->OpenEntry((ULONG)entry.size(), (LPENTRYID)entry.data(), nullptr, 0, &type,
                                                    (IUnknown**)&m_pMessage)))) {
        m_pMessage = nullptr;
        return false;
    }
    return true;
}

std::wstring VOMAPIMessage::Subject()
{
    std::wstring subject;
    if (!m_pMessage)
        return subject;
    SizedSPropTagArray(1, subjectTag) = {1, {PR_SUBJECT_W}};
    ULONG count = 0;
    SPropValue* value = nullptr;
    // A message without a subject answers with a warning and an error value.
    if (SUCCEEDED(m_pMessage->GetProps((LPSPropTagArray)&subjectTag, 0, &count, &value)) && value && count == 1 &&
        value->ulPropTag == PR_SUBJECT_W && value->Value.lpszW)
        subject = value->Value.lpszW;
    MAPIFreeBuffer(value);
    return subject;
}

std::wstring VOMAPIMessage::Body()
{
    std::wstring body;
    if (!m_pMessage)
        return body;
    IStream* stream = nullptr;
    if (m_pMessage->OpenProperty(PR_BODY_W, &IID_IStream, STGM_READ, 0, (IUnknown**)&stream) != S_OK || !stream)
        return body;  // no body
    wchar_t text[kBodyBytes / sizeof(wchar_t) + 1];
    ULONG got = 0;
    // The text ends where the bytes read end: the stream need not hold a terminator.
    if (SUCCEEDED(VOMAPI_CALL(stream->Read(text, kBodyBytes, &got))) && got <= kBodyBytes)
        body.assign(text, got / sizeof(wchar_t));
    stream->Release();
    return body.c_str();  // up to an embedded terminator
}
