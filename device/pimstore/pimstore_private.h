// Inside pimstore.dll: the records the store files hold, the data a logon
// reads, and the COM plumbing every object of the server shares.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <pimstore.h>

// One item of a store file: its object id and its fields by column name.
struct PimRecord {
    long oid = 0;
    std::map<std::wstring, std::wstring> fields;

    // The field, empty when the record has none of that name.
    const std::wstring& Field(const std::wstring& name) const;
};

using PimRecords = std::vector<std::shared_ptr<const PimRecord>>;

// What one logon read: each folder's items in the folder's order.
struct PimData {
    std::map<int, PimRecords> folders;

    const PimRecords* Folder(int number) const;  // null for a folder the store does not keep
    std::shared_ptr<const PimRecord> FindOid(long oid, int* folder) const;
};

// Reads every store file the server serves (contacts: "\Windows\PIM\contacts.txt",
// ordered by file-as; appointments: "calendar.txt", ordered by start; tasks:
// "tasks.txt").  A store file that is missing gives an empty folder.
std::shared_ptr<const PimData> PimLoadData();
// The contacts of a store file's bytes, ordered (exposed for the loader above).
PimRecords PimReadContacts(const wchar_t* path);
PimRecords PimReadAppointments(const wchar_t* path);

// ---- COM plumbing -------------------------------------------------------------

// Live objects, for DllCanUnloadNow.
extern LONG g_pimObjects;

// IUnknown and IDispatch of a dual interface without type information
// (callers use the vtable).  Interface is the dual interface it implements.
template <class Interface>
class PimObject : public Interface {
public:
    explicit PimObject(const IID& iid) : iid_(iid) { InterlockedIncrement(&g_pimObjects); }
    virtual ~PimObject() { InterlockedDecrement(&g_pimObjects); }
    PimObject(const PimObject&) = delete;
    PimObject& operator=(const PimObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, iid_)) {
            *object = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0)
            delete this;
        return (ULONG)left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info)
            *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    LONG refs_ = 1;
    const IID& iid_;
};

// Hands out an application reference (get_Application of every object).
HRESULT PimShareApplication(IPOutlookApp* app, IPOutlookApp** out);
// A BSTR copy of text into *out.
HRESULT PimReturnText(const std::wstring& text, BSTR* out);

// The objects (each returned with one reference).
IPOutlookApp* PimNewApplication();
IFolder* PimNewFolder(IPOutlookApp* app, int number, const PimRecords& items);
IPOutlookItemCollection* PimNewCollection(IPOutlookApp* app, int folder, const PimRecords& items);
// The item of a folder as its interface (a contact for folder 10).
IDispatch* PimNewItem(IPOutlookApp* app, int folder, std::shared_ptr<const PimRecord> record);
IContact* PimNewContact(IPOutlookApp* app, std::shared_ptr<const PimRecord> record);
IAppointment* PimNewAppointment(IPOutlookApp* app, std::shared_ptr<const PimRecord> record);
ITask* PimNewTask(IPOutlookApp* app, std::shared_ptr<const PimRecord> record);

// ---- restrictions (restriction.cpp) ------------------------------------------------

// A restriction of an item collection: [Field]op"value".
struct PimRestriction {
    std::wstring field;  // "Start" or "End"
    std::wstring op;     // >=, <=, <>, >, <, =
    DATE value = 0;
};
// Parses the text, the value in the short date format (and time, when
// given) of HKLM "nls" "DefaultLCID"; false for any other text.
bool PimParseRestriction(const std::wstring& text, PimRestriction* out);
// Whether the record's field meets the restriction (a record without such a
// time never does).
bool PimMatches(const PimRecord& record, const PimRestriction& restriction);
// A time column of a record ("Start", "End") as a DATE; false when it holds no time.
bool PimRecordTime(const PimRecord& record, const std::wstring& column, DATE* value);
