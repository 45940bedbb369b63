// An appointment of the calendar: subject, location, note and its start
// and end from the store file's columns; nothing is written back.
#include "pimstore_private.h"

namespace {

class CAppointment : public PimObject<IAppointment> {
public:
    CAppointment(IPOutlookApp* app, std::shared_ptr<const PimRecord> record)
        : PimObject(IID_IAppointment), app_(app), record_(std::move(record))
    {
        app_->AddRef();
    }
    ~CAppointment() override { app_->Release(); }

    HRESULT STDMETHODCALLTYPE get_Subject(BSTR* value) override { return PimReturnText(record_->Field(L"Subject"), value); }
    HRESULT STDMETHODCALLTYPE get_Location(BSTR* value) override { return PimReturnText(record_->Field(L"Location"), value); }
    HRESULT STDMETHODCALLTYPE get_Body(BSTR* value) override { return PimReturnText(record_->Field(L"Body"), value); }
    HRESULT STDMETHODCALLTYPE get_Categories(BSTR* value) override { return PimReturnText(L"", value); }
    HRESULT STDMETHODCALLTYPE get_Start(DATE* value) override { return Time(L"Start", value); }
    HRESULT STDMETHODCALLTYPE get_End(DATE* value) override { return Time(L"End", value); }
    HRESULT STDMETHODCALLTYPE get_Duration(long* minutes) override
    {
        DATE start = 0, end = 0;
        if (!minutes)
            return E_POINTER;
        if (FAILED(Time(L"Start", &start)) || FAILED(Time(L"End", &end)))
            return E_FAIL;
        *minutes = (long)((end - start) * 24 * 60 + 0.5);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_IsRecurring(VARIANT_BOOL* recurring) override { return No(recurring); }
    HRESULT STDMETHODCALLTYPE get_AllDayEvent(VARIANT_BOOL* allDay) override { return No(allDay); }
    HRESULT STDMETHODCALLTYPE get_Oid(long* oid) override
    {
        if (!oid)
            return E_POINTER;
        *oid = record_->oid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** app) override { return PimShareApplication(app_, app); }

    // Not offered by the simulated device.
    HRESULT STDMETHODCALLTYPE ClearRecurrencePattern() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetRecurrencePattern(IRecurrencePattern**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_BusyStatus(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Sensitivity(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Recipients(IRecipients**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_MeetingStatus(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ReminderSet(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ReminderSoundFile(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ReminderMinutesBeforeStart(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ReminderOptions(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Subject(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Location(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Categories(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Start(DATE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Duration(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_End(DATE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_AllDayEvent(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_BusyStatus(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Sensitivity(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Body(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_ReminderSet(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_ReminderSoundFile(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_ReminderMinutesBeforeStart(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_ReminderOptions(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Save() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Send() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Delete() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Cancel() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Copy(IAppointment**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Display() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_BodyInk(CEBLOB*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_BodyInk(CEBLOB*) override { return E_NOTIMPL; }

private:
    HRESULT Time(const wchar_t* column, DATE* value) const
    {
        if (!value)
            return E_POINTER;
        return PimRecordTime(*record_, column, value) ? S_OK : E_FAIL;
    }
    static HRESULT No(VARIANT_BOOL* value)
    {
        if (!value)
            return E_POINTER;
        *value = VARIANT_FALSE;
        return S_OK;
    }

    IPOutlookApp* app_;
    std::shared_ptr<const PimRecord> record_;
};

} // namespace

IAppointment* PimNewAppointment(IPOutlookApp* app, std::shared_ptr<const PimRecord> record)
{
    return new (std::nothrow) CAppointment(app, std::move(record));
}
