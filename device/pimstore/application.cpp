// The application object: logon reads the store files, the default
// folders and items by object id come from what the logon read.
//
// Device state (HKLM "Software\SimDevice"):
//   "PimFail" DWORD  1 fails Logon
#include "pimstore_private.h"

#include "devlog.h"

LONG g_pimObjects = 0;

HRESULT PimShareApplication(IPOutlookApp* app, IPOutlookApp** out)
{
    if (!out)
        return E_POINTER;
    *out = app;
    if (app)
        app->AddRef();
    return app ? S_OK : E_FAIL;
}

HRESULT PimReturnText(const std::wstring& text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = SysAllocStringLen(text.c_str(), (UINT)text.size());
    return *out ? S_OK : E_OUTOFMEMORY;
}

IDispatch* PimNewItem(IPOutlookApp* app, int folder, std::shared_ptr<const PimRecord> record)
{
    if (folder == olFolderContacts)
        return PimNewContact(app, std::move(record));
    if (folder == olFolderCalendar)
        return PimNewAppointment(app, std::move(record));
    if (folder == olFolderTasks)
        return PimNewTask(app, std::move(record));
    return nullptr;
}

namespace {

class CApplication : public PimObject<IPOutlookApp> {
public:
    CApplication() : PimObject(IID_IPOutlookApp) {}

    HRESULT STDMETHODCALLTYPE Logon(long) override
    {
        if (DevStateGetDword(L"PimFail", 0) == 1) {
            DevLog(L"pim", L"logon failed");
            return E_FAIL;
        }
        data_ = PimLoadData();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Logoff() override
    {
        data_.reset();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDefaultFolder(int number, IFolder** folder) override
    {
        if (!folder)
            return E_POINTER;
        *folder = nullptr;
        if (!data_)
            return E_FAIL;  // not logged on
        const PimRecords* items = data_->Folder(number);
        if (!items)
            return E_INVALIDARG;
        *folder = PimNewFolder(this, number, *items);
        return *folder ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE GetItemFromOid(long oid, IDispatch** item) override
    {
        if (!item)
            return E_POINTER;
        *item = nullptr;
        if (!data_)
            return E_FAIL;
        int folder = 0;
        auto record = data_->FindOid(oid, &folder);
        if (!record)
            return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
        *item = PimNewItem(this, folder, record);
        return *item ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** app) override { return PimShareApplication(this, app); }
    HRESULT STDMETHODCALLTYPE SysFreeString(BSTR text) override
    {
        ::SysFreeString(text);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE VariantTimeToSystemTime(DATE date, SYSTEMTIME* time) override
    {
        if (!time)
            return E_POINTER;
        return ::VariantTimeToSystemTime(date, time) ? S_OK : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE SystemTimeToVariantTime(SYSTEMTIME* time, DATE* date) override
    {
        if (!time || !date)
            return E_POINTER;
        return ::SystemTimeToVariantTime(time, date) ? S_OK : E_INVALIDARG;
    }

    // Not offered by the simulated device.
    HRESULT STDMETHODCALLTYPE get_Version(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateItem(int, IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_HomeCity(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_HomeCity(IDispatch*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_VisitingCity(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_VisitingCity(IDispatch*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_CurrentCityIndex(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_CurrentCityIndex(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ReceiveFromInfrared() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_OutlookCompatible(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTimeZoneFromIndex(int, ITimeZone**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTimeZoneInformationFromIndex(int, TIME_ZONE_INFORMATION*) override
    {
        return E_NOTIMPL;
    }

private:
    std::shared_ptr<const PimData> data_;  // null until Logon
};

} // namespace

IPOutlookApp* PimNewApplication()
{
    return new (std::nothrow) CApplication;
}
