// A contact: its text properties are the store file's columns of the same
// name (an absent column reads as empty); nothing is written back.
#include "pimstore_private.h"

namespace {

class CContact : public PimObject<IContact> {
public:
    CContact(IPOutlookApp* app, std::shared_ptr<const PimRecord> record)
        : PimObject(IID_IContact), app_(app), record_(std::move(record))
    {
        app_->AddRef();
    }
    ~CContact() override { app_->Release(); }

#define PIM_WIDE_TEXT(text) L##text
#define PIM_WIDE(text) PIM_WIDE_TEXT(text)
#define PIM_DATE_GETTER(name) \
    HRESULT STDMETHODCALLTYPE get_##name(DATE*) override { return E_NOTIMPL; }
#define PIM_TEXT_GETTER(name) \
    HRESULT STDMETHODCALLTYPE get_##name(BSTR* value) override { return PimReturnText(record_->Field(PIM_WIDE(#name)), value); }
#define PIM_DATE_SETTER(name) \
    HRESULT STDMETHODCALLTYPE put_##name(DATE) override { return E_NOTIMPL; }
#define PIM_TEXT_SETTER(name) \
    HRESULT STDMETHODCALLTYPE put_##name(BSTR) override { return E_NOTIMPL; }
    PIM_CONTACT_PROPERTIES(PIM_DATE_GETTER, PIM_TEXT_GETTER)
    PIM_CONTACT_PROPERTIES(PIM_DATE_SETTER, PIM_TEXT_SETTER)
#undef PIM_DATE_GETTER
#undef PIM_TEXT_GETTER
#undef PIM_DATE_SETTER
#undef PIM_TEXT_SETTER

    HRESULT STDMETHODCALLTYPE get_Oid(long* oid) override
    {
        if (!oid)
            return E_POINTER;
        *oid = record_->oid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** app) override { return PimShareApplication(app_, app); }

    // Not offered by the simulated device.
    HRESULT STDMETHODCALLTYPE Save() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Delete() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Copy(IContact**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Display() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_BodyInk(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_BodyInk(BSTR*) override { return E_NOTIMPL; }

private:
    IPOutlookApp* app_;
    std::shared_ptr<const PimRecord> record_;
};

} // namespace

IContact* PimNewContact(IPOutlookApp* app, std::shared_ptr<const PimRecord> record)
{
    return new (std::nothrow) CContact(app, std::move(record));
}
