// Folders and their item collections: views of what a logon read.
#include "pimstore_private.h"

namespace {

class CFolder : public PimObject<IFolder> {
public:
    CFolder(IPOutlookApp* app, int number, const PimRecords& items)
        : PimObject(IID_IFolder), app_(app), number_(number), items_(items)
    {
        app_->AddRef();
    }
    ~CFolder() override { app_->Release(); }

    HRESULT STDMETHODCALLTYPE get_Items(IPOutlookItemCollection** items) override
    {
        if (!items)
            return E_POINTER;
        *items = PimNewCollection(app_, number_, items_);
        return *items ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_DefaultItemType(int* type) override
    {
        if (!type)
            return E_POINTER;
        *type = number_ == olFolderContacts ? olContactItem
                : number_ == olFolderTasks  ? olTaskItem
                                            : olAppointmentItem;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** app) override { return PimShareApplication(app_, app); }
    HRESULT STDMETHODCALLTYPE AddItemToInfraredFolder(int, IDispatch*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SendToInfrared() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ReceiveFromInfrared(IPOutlookItemCollection**) override { return E_NOTIMPL; }

private:
    IPOutlookApp* app_;
    int number_;
    PimRecords items_;
};

class CItemCollection : public PimObject<IPOutlookItemCollection> {
public:
    CItemCollection(IPOutlookApp* app, int folder, const PimRecords& items)
        : PimObject(IID_IPOutlookItemCollection), app_(app), folder_(folder), items_(items)
    {
        app_->AddRef();
    }
    ~CItemCollection() override { app_->Release(); }

    HRESULT STDMETHODCALLTYPE get_Count(int* count) override
    {
        if (!count)
            return E_POINTER;
        *count = (int)items_.size();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Item(int index, IDispatch** item) override
    {
        if (!item)
            return E_POINTER;
        *item = nullptr;
        if (index < 1 || (size_t)index > items_.size())
            return E_INVALIDARG;
        *item = PimNewItem(app_, folder_, items_[(size_t)index - 1]);
        return *item ? S_OK : E_OUTOFMEMORY;
    }
    // The items meeting "[Start]>=\"12/7/2026\"" and the like, in this
    // collection's order; a restricted collection restricts further.
    HRESULT STDMETHODCALLTYPE Restrict(BSTR text, IPOutlookItemCollection** restricted) override
    {
        if (!restricted)
            return E_POINTER;
        *restricted = nullptr;
        PimRestriction restriction;
        if (!text || !PimParseRestriction(text, &restriction))
            return E_INVALIDARG;
        PimRecords kept;
        for (const auto& record : items_)
            if (PimMatches(*record, restriction))
                kept.push_back(record);
        *restricted = PimNewCollection(app_, folder_, kept);
        return *restricted ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** app) override { return PimShareApplication(app_, app); }

    // Not offered by the simulated device.
    HRESULT STDMETHODCALLTYPE Add(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Find(BSTR, IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindNext(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Remove(int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Sort(BSTR, VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_IncludeRecurrences(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_IncludeRecurrences(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown**) override { return E_NOTIMPL; }

private:
    IPOutlookApp* app_;
    int folder_;
    PimRecords items_;
};

} // namespace

IFolder* PimNewFolder(IPOutlookApp* app, int number, const PimRecords& items)
{
    return new (std::nothrow) CFolder(app, number, items);
}

IPOutlookItemCollection* PimNewCollection(IPOutlookApp* app, int folder, const PimRecords& items)
{
    return new (std::nothrow) CItemCollection(app, folder, items);
}
