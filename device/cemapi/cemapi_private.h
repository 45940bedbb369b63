// The device's messaging store (cemapi.dll): one message store whose Inbox
// holds the messages of "\Windows\PIM\inbox.txt", read at each logon and
// again whenever the file has changed since, as a live store shows new mail
// to a session that stays open.
//
// Objects in this library:
//   SimSession      IMAPISession: the stores table, the store, the address book
//   SimTable        IMAPITable: fixed rows, SetColumns and QueryRows
//   SimStore        IMsgStore: the Inbox's entry identifier, entries opened
//   SimFolder       IMAPIFolder: the Inbox and its contents table
//   SimMessage      IMessage: subject, flags, sender and the body as a stream
//   SimAddressBook  IAddrBook: answers MAPI_E_NO_SUPPORT to everything
//
// What the platform offers beyond these answers MAPI_E_NO_SUPPORT.  Every
// object counts itself, so MAPIUninitialize can log the objects its caller
// left open ("cemapi: uninitialized, N objects open").
//
// Device state (HKLM "Software\SimDevice"): "MailFail" DWORD 1 fails the
// logon, 2 the Inbox's contents table.
#pragma once

#include <windows.h>

#include <mapicode.h>
#include <mapidefs.h>
#include <mapitags.h>
#include <mapiutil.h>
#include <mapix.h>

#include <memory>
#include <string>
#include <vector>

#define CEMAPI_LOG L"cemapi"
#define CEMAPI_INBOX_PATH L"\\Windows\\PIM\\inbox.txt"
#define CEMAPI_FAIL_VALUE L"MailFail"
// The store property holding the Inbox's entry identifier.
#define CEMAPI_PR_INBOX_ENTRYID PROP_TAG(PT_BINARY, 0x8106)

enum MailFailStage : DWORD { kMailFailLogon = 1, kMailFailContents = 2 };

// ---- the store's data ------------------------------------------------------

struct MailMessage {
    std::wstring subject;
    std::wstring body;
    std::wstring from;
    bool read = false;
};

struct MailData {
    std::vector<MailMessage> messages;
};
using MailDataRef = std::shared_ptr<const MailData>;

// The Inbox as the file holds it now (a missing file is an empty Inbox):
// read again when the file's time or size changed, or always with reread.
MailDataRef CurrentMailData(bool reread = false);

// ---- entry identifiers ----------------------------------------------------------

enum EntryKind : DWORD { kEntryStore = 1, kEntryInbox = 2, kEntryMessage = 3 };

#pragma pack(push, 1)
struct SimEntryId {
    BYTE flags[4];
    DWORD kind;
    DWORD index;
};
#pragma pack(pop)

SimEntryId MakeEntryId(EntryKind kind, DWORD index = 0);
// False for anything that is not one of ours.
bool ReadEntryId(ULONG cb, const ENTRYID* id, SimEntryId* out);

// ---- property values -------------------------------------------------------------

// One property as the store keeps it.
struct SimProp {
    ULONG tag = 0;
    ULONG number = 0;            // PT_LONG, PT_BOOLEAN
    std::wstring text;           // PT_UNICODE
    std::vector<BYTE> binary;    // PT_BINARY

    static SimProp Long(ULONG tag, ULONG value);
    static SimProp Bool(ULONG tag, bool value);
    static SimProp Text(ULONG tag, const std::wstring& value);
    static SimProp Binary(ULONG tag, const void* data, size_t cb);
};
using SimProps = std::vector<SimProp>;

// Fills `values` (count of them) for the tags asked, strings and binaries
// allocated with MAPIAllocateMore on `block`; a tag the object lacks gets
// PT_ERROR and MAPI_E_NOT_FOUND.  Returns S_OK, or MAPI_W_ERRORS_RETURNED
// when some were missing.
HRESULT FillProps(const SimProps& props, const ULONG* tags, ULONG count, LPVOID block, LPSPropValue values);
// IMAPIProp::GetProps over a fixed list (a null tag array asks for all).
HRESULT GetPropsOf(const SimProps& props, LPSPropTagArray tags, ULONG* countOut, LPSPropValue* valuesOut);

// ---- object bookkeeping ----------------------------------------------------------

void CountObjectMade();
void CountObjectGone();
LONG OpenObjectCount();

// The reference count every object of this library keeps.
class SimRefCount {
public:
    SimRefCount() { CountObjectMade(); }
    virtual ~SimRefCount() { CountObjectGone(); }
    ULONG AddRefCount() { return (ULONG)InterlockedIncrement(&refs_); }
    ULONG ReleaseCount()
    {
        ULONG left = (ULONG)InterlockedDecrement(&refs_);
        if (left == 0)
            delete this;
        return left;
    }

private:
    LONG refs_ = 1;
};

#define SIM_IUNKNOWN                                                                                  \
    STDMETHODIMP QueryInterface(REFIID riid, LPVOID* ppv) override;                                    \
    STDMETHODIMP_(ULONG) AddRef() override { return AddRefCount(); }                                   \
    STDMETHODIMP_(ULONG) Release() override { return ReleaseCount(); }

// Every method of an interface group answering MAPI_E_NO_SUPPORT; a class
// overrides the few it serves.
#define SIM_NO_SUPPORT override { return MAPI_E_NO_SUPPORT; }

template <class Interface>
class UnsupportedProp : public Interface {
public:
    MAPI_IMAPIPROP_METHODS(SIM_NO_SUPPORT)
};
class UnsupportedTable : public IMAPITable {
public:
    MAPI_IMAPITABLE_METHODS(SIM_NO_SUPPORT)
};
class UnsupportedSession : public IMAPISession {
public:
    MAPI_IMAPISESSION_METHODS(SIM_NO_SUPPORT)
};
class UnsupportedStore : public UnsupportedProp<IMsgStore> {
public:
    MAPI_IMSGSTORE_METHODS(SIM_NO_SUPPORT)
};
class UnsupportedFolder : public UnsupportedProp<IMAPIFolder> {
public:
    MAPI_IMAPICONTAINER_METHODS(SIM_NO_SUPPORT)
    MAPI_IMAPIFOLDER_METHODS(SIM_NO_SUPPORT)
};
class UnsupportedMessage : public UnsupportedProp<IMessage> {
public:
    MAPI_IMESSAGE_METHODS(SIM_NO_SUPPORT)
};
class UnsupportedAddressBook : public UnsupportedProp<IAddrBook> {
public:
    MAPI_IADDRBOOK_METHODS(SIM_NO_SUPPORT)
};

// ---- the objects ------------------------------------------------------------------

class SimTable : public UnsupportedTable, public SimRefCount {
public:
    // Rows of properties; the columns start as those of the first row.
    explicit SimTable(std::vector<SimProps> rows);
    SIM_IUNKNOWN
    STDMETHODIMP SetColumns(LPSPropTagArray tags, ULONG flags) override;
    STDMETHODIMP QueryRows(LONG count, ULONG flags, LPSRowSet* rows) override;
    STDMETHODIMP GetRowCount(ULONG flags, ULONG* count) override;

private:
    std::vector<SimProps> rows_;
    std::vector<ULONG> columns_;
    size_t cursor_ = 0;
};

class SimAddressBook : public UnsupportedAddressBook, public SimRefCount {
public:
    SIM_IUNKNOWN
};

class SimMessage : public UnsupportedMessage, public SimRefCount {
public:
    SimMessage(MailDataRef data, DWORD index);
    SIM_IUNKNOWN
    STDMETHODIMP GetProps(LPSPropTagArray tags, ULONG flags, ULONG* count, LPSPropValue* values) override;
    STDMETHODIMP OpenProperty(ULONG tag, LPCIID iid, ULONG options, ULONG flags, LPUNKNOWN* unknown) override;

private:
    SimProps Props() const;

    MailDataRef data_;
    DWORD index_;
};

class SimFolder : public UnsupportedFolder, public SimRefCount {
public:
    SimFolder() = default;
    SIM_IUNKNOWN
    STDMETHODIMP GetContentsTable(ULONG flags, LPMAPITABLE* table) override;
    STDMETHODIMP OpenEntry(ULONG cb, LPENTRYID id, LPCIID iid, ULONG flags, ULONG* type, LPUNKNOWN* unknown) override;
    STDMETHODIMP GetProps(LPSPropTagArray tags, ULONG flags, ULONG* count, LPSPropValue* values) override;
};

class SimStore : public UnsupportedStore, public SimRefCount {
public:
    SimStore() = default;
    SIM_IUNKNOWN
    STDMETHODIMP GetProps(LPSPropTagArray tags, ULONG flags, ULONG* count, LPSPropValue* values) override;
    STDMETHODIMP OpenEntry(ULONG cb, LPENTRYID id, LPCIID iid, ULONG flags, ULONG* type, LPUNKNOWN* unknown) override;
};

class SimSession : public UnsupportedSession, public SimRefCount {
public:
    SimSession() = default;
    SIM_IUNKNOWN
    STDMETHODIMP GetMsgStoresTable(ULONG flags, LPMAPITABLE* table) override;
    STDMETHODIMP OpenMsgStore(ULONG_PTR ui, ULONG cb, LPENTRYID id, LPCIID iid, ULONG flags, LPMDB* store) override;
    STDMETHODIMP OpenAddressBook(ULONG_PTR ui, LPCIID iid, ULONG flags, LPADRBOOK* book) override;
    STDMETHODIMP OpenEntry(ULONG cb, LPENTRYID id, LPCIID iid, ULONG flags, ULONG* type, LPUNKNOWN* unknown) override;
    STDMETHODIMP Logoff(ULONG_PTR ui, ULONG flags, ULONG reserved) override;

private:
    bool loggedOff_ = false;
};

// Opens one of the store's entries (the store's, the folder's and the
// session's OpenEntry).
HRESULT OpenStoreEntry(ULONG cb, LPENTRYID id, ULONG* type, LPUNKNOWN* unknown);
// The store's own properties (entry identifier, name, default flag, Inbox).
SimProps StoreProps();
